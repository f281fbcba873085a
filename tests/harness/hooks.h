// Making a program's window creation fail from outside, to reach its failure paths.
#pragma once

#include <windows.h>

namespace harness {

// While it lives, windows of the class are refused on the whole desktop (a CBT hook in the probe,
// told the class through an environment variable that programs started meanwhile inherit).
class refuse_windows {
public:
    explicit refuse_windows(const wchar_t* class_name);
    ~refuse_windows();
    refuse_windows(const refuse_windows&) = delete;
    refuse_windows& operator=(const refuse_windows&) = delete;
    bool ok() const { return hook_ != nullptr; }

private:
    HHOOK hook_ = nullptr;
};

// While it lives, programs started meanwhile count their faults from their first window on (a
// desktop-wide CBT hook loads the probe into them), their WM_CREATE included; read them with
// faults().
class watch_faults {
public:
    watch_faults();
    ~watch_faults();
    watch_faults(const watch_faults&) = delete;
    watch_faults& operator=(const watch_faults&) = delete;
    bool ok() const { return hook_ != nullptr; }

private:
    HHOOK hook_ = nullptr;
};

// The faults the program met (probe.h, PROBE_FAULTS).
int faults(HWND hwnd);

} // namespace harness
