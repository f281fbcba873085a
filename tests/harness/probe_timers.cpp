// Inside the program: its timer messages held back until the test gives them, and fault switches
// for its screen reads.
//
// Holding: the harness sets probe_hold_timers_hook for the whole desktop and names itself in the
// environment variable PROBE_HOLD_TIMERS, which programs it starts meanwhile inherit. In those
// programs every WM_TIMER taken from the queue is turned into WM_NULL and remembered, unless it is
// one the test gave. A tick posts the remembered message again, so it goes through the program's
// own loop and DispatchMessageW, which calls a callback timer's procedure as a real tick would.
// The same hook counts the program's paints.
#include <windows.h>
#include <string>
#include "probe.h"
#include "probe_imports.h"

static int holding = -1; // -1: not yet known
static MSG held;         // the last timer message held back
static bool have_held;
static LONG given;                  // ticks posted by the test and not yet taken
static LONG paints;                 // WM_PAINT messages taken
static int held_count;              // timer messages held back
static DWORD first_held, last_held; // when the first and the last one were

static bool holds_timers() {
    if (holding < 0) {
        wchar_t setter[32] = L"";
        holding = GetEnvironmentVariableW(L"PROBE_HOLD_TIMERS", setter, 32) > 0 &&
                  DWORD(_wtoi(setter)) != GetCurrentProcessId();
    }
    return holding == 1;
}

extern "C" __declspec(dllexport) LRESULT CALLBACK
    probe_hold_timers_hook(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION && wp == PM_REMOVE) {
        MSG* m = reinterpret_cast<MSG*>(lp);
        if (m->message == WM_PAINT && holds_timers()) paints++;
        if (m->message == WM_TIMER && holds_timers()) {
            if (given > 0) {
                given--;
            } else {
                last_held = GetTickCount();
                if (held_count++ == 0) first_held = last_held;
                held = *m;
                have_held = true;
                m->message = WM_NULL;
            }
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

static bool give_ticks(HWND hwnd, int count) {
    if (!have_held || held.hwnd != hwnd) return false;
    for (int i = 0; i < count; i++) {
        given++;
        PostMessageW(hwnd, WM_TIMER, held.wParam, held.lParam);
    }
    return true;
}

// The fault switches route the program's own imports through functions that fail on demand.
static bool cursor_fails, pixel_fails, reads_watched;
static BOOL(WINAPI* real_get_cursor_pos)(POINT*);
static COLORREF(WINAPI* real_get_pixel)(HDC, int, int);

static BOOL WINAPI switched_get_cursor_pos(POINT* p) {
    return cursor_fails ? FALSE : real_get_cursor_pos(p);
}

static COLORREF WINAPI switched_get_pixel(HDC dc, int x, int y) {
    return pixel_fails ? CLR_INVALID : real_get_pixel(dc, x, y);
}

static void watch_reads() {
    if (reads_watched) return;
    reads_watched = true;
    if (void* before = redirect_import("user32.dll", "GetCursorPos",
                                       reinterpret_cast<void*>(&switched_get_cursor_pos)))
        real_get_cursor_pos = reinterpret_cast<decltype(real_get_cursor_pos)>(before);
    if (void* before =
            redirect_import("gdi32.dll", "GetPixel", reinterpret_cast<void*>(&switched_get_pixel)))
        real_get_pixel = reinterpret_cast<decltype(real_get_pixel)>(before);
}

// The program's local time, moved `ahead` seconds past UTC.
static int ahead;
static void WINAPI zoned_local_time(SYSTEMTIME* t) {
    FILETIME f;
    GetSystemTimeAsFileTime(&f);
    ULARGE_INTEGER u{{f.dwLowDateTime, f.dwHighDateTime}};
    u.QuadPart += ULONGLONG(ahead) * 10000000;
    f = FILETIME{u.LowPart, u.HighPart};
    FileTimeToSystemTime(&f, t);
}

static bool move_clock(HWND hwnd, int seconds) {
    ahead = seconds;
    static bool redirected;
    if (!redirected)
        redirected = redirect_import("kernel32.dll", "GetLocalTime",
                                     reinterpret_cast<void*>(&zoned_local_time)) != nullptr;
    if (redirected) InvalidateRect(hwnd, nullptr, TRUE);
    return redirected;
}

// The program's KillTimer calls while its window closes.
static std::wstring killed;
static BOOL(WINAPI* real_kill_timer)(HWND, UINT_PTR);

static BOOL WINAPI watched_kill_timer(HWND hwnd, UINT_PTR id) {
    killed += std::to_wstring(id) + L"\n";
    return real_kill_timer(hwnd, id);
}

static void close_killing_timers(HWND hwnd, std::wstring& out) {
    if (!real_kill_timer)
        real_kill_timer = reinterpret_cast<decltype(real_kill_timer)>(redirect_import(
            "user32.dll", "KillTimer", reinterpret_cast<void*>(&watched_kill_timer)));
    killed.clear();
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    out = killed;
}

void probe_timers_answer(const MSG* m, std::wstring& out) {
    switch (m->wParam) {
    case PROBE_TIMER_TICK: out = give_ticks(m->hwnd, 1) ? L"1" : L"0"; break;
    case PROBE_TIMER_TICK_10: out = give_ticks(m->hwnd, 10) ? L"1" : L"0"; break;
    case PROBE_PAINTS:
        // A paint that is due (an update region waits) counts too: posted questions overtake it.
        out = std::to_wstring(paints + (GetUpdateRect(m->hwnd, nullptr, FALSE) ? 1 : 0));
        break;
    case PROBE_FAIL_CURSOR_POS:
    case PROBE_FAIL_GET_PIXEL:
    case PROBE_READS_WORK:
        watch_reads();
        cursor_fails = m->wParam == PROBE_FAIL_CURSOR_POS;
        pixel_fails = m->wParam == PROBE_FAIL_GET_PIXEL;
        out = (real_get_cursor_pos && real_get_pixel) ? L"1" : L"0";
        break;
    case PROBE_TIMERS_HELD:
        out =
            std::to_wstring(held_count) + L"\t" + std::to_wstring(held.wParam) + L"\t" +
            std::to_wstring(held_count > 1 ? long(last_held - first_held) / (held_count - 1) : -1L);
        break;
    case PROBE_CLOSE_KILLING_TIMERS: close_killing_timers(m->hwnd, out); break;
    case PROBE_AFTERNOON_CLOCK:
    case PROBE_MINUTE_ENDING_CLOCK: {
        SYSTEMTIME utc;
        GetSystemTime(&utc);
        const int seconds = m->wParam == PROBE_AFTERNOON_CLOCK ? (15 - utc.wHour + 24) % 24 * 3600
                                                               : (57 - utc.wSecond + 60) % 60;
        out = move_clock(m->hwnd, seconds)
                  ? std::to_wstring(m->wParam == PROBE_AFTERNOON_CLOCK ? seconds / 3600 : seconds)
                  : L"";
        break;
    }
    }
}
