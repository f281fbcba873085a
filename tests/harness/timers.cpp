#include "harness/timers.h"
#include "harness/harness.h"
#include "harness/hooking.h"
#include "harness/probe.h"

#include <algorithm>
#include <string>
#include <wchar.h>

namespace harness {

// The test's own process is named, so that only the programs it starts hold their timers.
held_timers::held_timers() : desktop_probe_hook(WH_GETMESSAGE, "probe_hold_timers_hook") {
    SetEnvironmentVariableW(L"PROBE_HOLD_TIMERS", std::to_wstring(GetCurrentProcessId()).c_str());
}

held_timers::~held_timers() {
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

held_timer held_timer_of(HWND hwnd) {
    held_timer t;
    const std::wstring text = probe(hwnd, PROBE_TIMERS_HELD);
    if (swscanf(text.c_str(), L"%d\t%llu\t%ld", &t.count, &t.id, &t.gap_ms) != 3)
        ADD_FAILURE() << "no account of held timers";
    return t;
}

held_timer wait_held(HWND hwnd, int count, DWORD timeout_ms) {
    held_timer t;
    wait_until([&] { return (t = held_timer_of(hwnd)).count >= count; }, timeout_ms);
    return t;
}

::testing::AssertionResult runs_timer(HWND hwnd, unsigned long long id, long period_ms) {
    const int more = std::max(3, int(1000 / period_ms));
    const held_timer t =
        wait_held(hwnd, held_timer_of(hwnd).count + more, DWORD(4 * period_ms + 5000));
    if (t.id != id || t.gap_ms < period_ms * 3 / 4 || t.gap_ms > period_ms * 3 / 2 + 5)
        return ::testing::AssertionFailure()
               << "timer " << t.id << " every " << t.gap_ms << " ms (" << t.count << " held)";
    return ::testing::AssertionSuccess();
}

std::wstring close_killing_timers(HWND hwnd) {
    return probe(hwnd, PROBE_CLOSE_KILLING_TIMERS);
}

} // namespace harness
