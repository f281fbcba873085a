#include "harness/hooks.h"

#include "harness/harness.h"
#include "harness/hooking.h"
#include "harness/probe.h"

#include <string>

namespace harness {

refuse_windows::refuse_windows(const wchar_t* class_name) {
    SetEnvironmentVariableW(L"PROBE_REFUSE_CLASS", class_name);
    hook_ = set_probe_hook(WH_CBT, "probe_refuse_hook", 0);
}

refuse_windows::~refuse_windows() {
    remove_probe_hook(hook_);
    SetEnvironmentVariableW(L"PROBE_REFUSE_CLASS", nullptr);
}

watch_faults::watch_faults() {
    hook_ = set_probe_hook(WH_CBT, "probe_fault_watch_hook", 0);
}

watch_faults::~watch_faults() {
    remove_probe_hook(hook_);
}

int faults(HWND hwnd) {
    const std::wstring answer = probe(hwnd, PROBE_FAULTS);
    return answer.empty() ? -1 : std::stoi(answer);
}

} // namespace harness
