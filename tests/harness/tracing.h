// Reading the messages a program's windows receive, recorded inside it by the probe
// (tools/trace).
#pragma once

#include "harness/hooking.h"

#include <string>
#include <vector>

namespace harness {

// While it lives, the program of that executable name ("quenlor.exe") started meanwhile records
// its messages from its first window on (a desktop-wide CBT hook loads the probe into it, told
// the program and the file through environment variables that programs inherit).
class trace_messages : public desktop_probe_hook {
public:
    explicit trace_messages(const std::wstring& exe);
    ~trace_messages();
    // The messages so far, decoded one a line (tools/trace/trace_format.h), unfolded.
    std::vector<std::string> lines() const;

private:
    std::wstring file_;
};

} // namespace harness
