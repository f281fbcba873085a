#include "harness/timers.h"
#include "harness/harness.h"
#include "harness/probe.h"

#include <filesystem>
#include <string>

namespace harness {

held_timers::held_timers() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::filesystem::path dll = std::filesystem::path(path).parent_path() / L"probe.dll";
    dll_ = LoadLibraryW(dll.c_str());
    if (!dll_) return;
    auto proc = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(GetProcAddress(dll_, "probe_hold_timers_hook")));
    if (!proc) return;
    // The test's own process is named, so that only the programs it starts hold their timers.
    SetEnvironmentVariableW(L"PROBE_HOLD_TIMERS", std::to_wstring(GetCurrentProcessId()).c_str());
    hook_ = SetWindowsHookExW(WH_GETMESSAGE, proc, dll_, 0);
}

held_timers::~held_timers() {
    if (hook_) UnhookWindowsHookEx(hook_);
    SetEnvironmentVariableW(L"PROBE_HOLD_TIMERS", nullptr);
    if (dll_) FreeLibrary(dll_);
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
