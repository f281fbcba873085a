// Making a program's window creation fail from outside, to reach its failure paths.
#pragma once

#include "harness/hooking.h"

#include <windows.h>

namespace harness {

// While it lives, windows of the class are refused on the whole desktop (a CBT hook in the probe,
// told the class through an environment variable that programs started meanwhile inherit).
class refuse_windows : public desktop_probe_hook {
public:
    explicit refuse_windows(const wchar_t* class_name);
    ~refuse_windows();
};

// While it lives, programs started meanwhile count their faults from their first window on (a
// desktop-wide CBT hook loads the probe into them), their WM_CREATE included; read them with
// faults().
class watch_faults : public desktop_probe_hook {
public:
    watch_faults() : desktop_probe_hook(WH_CBT, "probe_fault_watch_hook") {}
};

// While it lives, programs started meanwhile log their PlaySoundW calls from their first window
// on; read them with probe(hwnd, PROBE_SOUNDS).
class watch_sounds : public desktop_probe_hook {
public:
    watch_sounds() : desktop_probe_hook(WH_CBT, "probe_sound_watch_hook") {}
};

// The faults the program met (probe.h, PROBE_FAULTS).
int faults(HWND hwnd);

} // namespace harness
