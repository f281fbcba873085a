// Reading the messages a program's windows receive, recorded inside it by the probe
// (tools/trace).
#pragma once

#include "harness/hooking.h"

#include <string>
#include <vector>

namespace harness {

// While it lives, the program of that executable name ("quenlor.exe") started meanwhile records
// its messages from its first window on, into `file` (a temporary file, removed at the end, when
// none is given): a desktop-wide CBT hook loads the probe into it, and the probe finds what to
// record in a named block of shared memory this object holds (tools/trace/trace_records.h).
class trace_messages : public desktop_probe_hook {
public:
    explicit trace_messages(const std::wstring& exe, const std::wstring& file = L"");
    ~trace_messages();
    bool ok() const { return desktop_probe_hook::ok() && request_; }
    const std::wstring& file() const { return file_; }
    // The messages so far, decoded one a line (tools/trace/trace_format.h), unfolded.
    std::vector<std::string> lines() const;

private:
    std::wstring file_;
    bool temporary_;
    HANDLE request_ = nullptr;
};

} // namespace harness
