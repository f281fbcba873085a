// Which build the tests drive, and how the probe's hooks reach its programs.
//
// A test process is always 64-bit. It drives the 64-bit programs beside it, or, when the
// environment variable SUITE_TARGET is "i686", the 32-bit build's programs and fixtures. A process
// can only set hooks whose procedure is of its own bitness, so for 32-bit programs the 32-bit
// build's hook host sets them, with the 32-bit probe (tests/agents/hook_host.h).
#pragma once

#include <windows.h>
#include <string>

namespace harness {

bool driving_32bit();

// The tests' folder of the build being driven (<build>\tests): where the probe, the fixtures and,
// for 32-bit, the hook host lie. The programs are in its sibling bin.
std::wstring agent_dir();

// Sets a hook of the probe (its exported procedure `proc`) on a thread of a program, or on the
// whole desktop when thread is 0. Null on failure.
HHOOK set_probe_hook(int id, const char* proc, DWORD thread);
void remove_probe_hook(HHOOK hook);

// One of the probe's hooks on the whole desktop, from construction to destruction: programs
// started meanwhile load the probe.
class desktop_probe_hook {
public:
    desktop_probe_hook(int id, const char* proc) : hook_(set_probe_hook(id, proc, 0)) {}
    ~desktop_probe_hook() { remove_probe_hook(hook_); }
    desktop_probe_hook(const desktop_probe_hook&) = delete;
    desktop_probe_hook& operator=(const desktop_probe_hook&) = delete;
    bool ok() const { return hook_ != nullptr; }

private:
    HHOOK hook_;
};

} // namespace harness
