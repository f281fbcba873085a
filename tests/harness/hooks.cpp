#include "harness/hooks.h"

#include "harness/hooking.h"

namespace harness {

refuse_windows::refuse_windows(const wchar_t* class_name) {
    SetEnvironmentVariableW(L"PROBE_REFUSE_CLASS", class_name);
    hook_ = set_probe_hook(WH_CBT, "probe_refuse_hook", 0);
}

refuse_windows::~refuse_windows() {
    remove_probe_hook(hook_);
    SetEnvironmentVariableW(L"PROBE_REFUSE_CLASS", nullptr);
}

} // namespace harness
