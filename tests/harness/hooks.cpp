#include "harness/hooks.h"

#include "harness/harness.h"
#include "harness/probe.h"

#include <string>

namespace harness {

// The class is named before any program the test starts can read it.
refuse_windows::refuse_windows(const wchar_t* class_name)
    : desktop_probe_hook(WH_CBT, "probe_refuse_hook") {
    SetEnvironmentVariableW(L"PROBE_REFUSE_CLASS", class_name);
}

refuse_windows::~refuse_windows() {
    SetEnvironmentVariableW(L"PROBE_REFUSE_CLASS", nullptr);
}

int faults(HWND hwnd) {
    const std::wstring answer = probe(hwnd, PROBE_FAULTS);
    return answer.empty() ? -1 : std::stoi(answer);
}

} // namespace harness
