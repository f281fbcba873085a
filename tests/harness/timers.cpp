#include "harness/timers.h"
#include "harness/harness.h"
#include "harness/hooking.h"
#include "harness/probe.h"

#include <string>

namespace harness {

held_timers::held_timers() {
    // The test's own process is named, so that only the programs it starts hold their timers.
    SetEnvironmentVariableW(L"PROBE_HOLD_TIMERS", std::to_wstring(GetCurrentProcessId()).c_str());
    hook_ = set_probe_hook(WH_GETMESSAGE, "probe_hold_timers_hook", 0);
}

held_timers::~held_timers() {
    remove_probe_hook(hook_);
    SetEnvironmentVariableW(L"PROBE_HOLD_TIMERS", nullptr);
}

bool tick(HWND hwnd, int count, DWORD timeout_ms) {
    while (count > 0) {
        const int query = count >= 10 ? PROBE_TIMER_TICK_10 : PROBE_TIMER_TICK;
        if (!wait_until([&] { return probe(hwnd, query) == L"1"; }, timeout_ms)) return false;
        count -= query == PROBE_TIMER_TICK_10 ? 10 : 1;
    }
    drain(hwnd);
    return true;
}

int paints(HWND hwnd) {
    return _wtoi(probe(hwnd, PROBE_PAINTS).c_str());
}

} // namespace harness
