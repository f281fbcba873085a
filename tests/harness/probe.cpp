// Loaded into a program's process by the harness's message hook; answers questions that only that
// process can answer.
#include <windows.h>
#include <string.h>
#include <string>
#include "probe.h"
#include "probe_imports.h"

bool probe_text_answer(WPARAM query, std::wstring& out);   // probe_text.cpp
void probe_gdi_answer(std::wstring& out);                  // probe_gdi.cpp
void probe_timers_answer(const MSG* m, std::wstring& out); // probe_timers.cpp

void probe_syscolor_answer(WPARAM query, std::wstring& out); // probe_syscolor.cpp

void probe_standard_icon_answer(HWND hwnd, std::wstring& out); // probe_bitmaps.cpp
bool probe_text_answer(WPARAM query, std::wstring& out);       // probe_text.cpp
void probe_gdi_answer(std::wstring& out);                      // probe_gdi.cpp
bool probe_capture_answer(WPARAM query, std::wstring& out);    // probe_capture.cpp
bool probe_text_answer(WPARAM query, std::wstring& out);       // probe_text.cpp
void probe_gdi_answer(std::wstring& out);                      // probe_gdi.cpp
void probe_drawing_answer(WPARAM query, std::wstring& out);    // probe_drawing.cpp
bool probe_device_answer(WPARAM query, std::wstring& out);     // probe_devices.cpp

static void dump_menu(HMENU menu, int depth, std::wstring& out) {
    int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; i++) {
        wchar_t text[256] = L"";
        GetMenuStringW(menu, i, text, 256, MF_BYPOSITION);
        UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        HMENU sub = GetSubMenu(menu, i);
        int id = sub ? -1 : int(GetMenuItemID(menu, i));
        out += std::to_wstring(depth) + L"\t" + std::to_wstring(id) + L"\t" +
               std::to_wstring(state) + L"\t" + text + L"\n";
        if (sub) dump_menu(sub, depth + 1, out);
    }
}

// The menu as the user would see it with one pop-up opened: the program sets its items' states
// on WM_INITMENUPOPUP.
static void menu_after_popup(HWND hwnd, int index, std::wstring& out) {
    if (HMENU menu = GetMenu(hwnd)) {
        SendMessageW(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(menu, index)),
                     index);
        dump_menu(menu, 0, out);
    }
}

// Scroll-bar state lives in the window's own process; other processes cannot read it.
static void dump_scroll(HWND hwnd, int bar, std::wstring& out) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    if (GetScrollInfo(hwnd, bar, &si))
        out = std::to_wstring(si.nMin) + L"\t" + std::to_wstring(si.nMax) + L"\t" +
              std::to_wstring(si.nPage) + L"\t" + std::to_wstring(si.nPos) + L"\t" +
              std::to_wstring(si.nTrackPos);
}

// The cursor display count: ShowCursor returns the count it leaves, so one step up and one back
// read it without changing it.
static int cursor_display_count() {
    int count = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    return count;
}

static const wchar_t* cursor_shape(HCURSOR cursor) {
    static const struct {
        const wchar_t *id, *name;
    } shapes[] = {
        {IDC_ARROW, L"arrow"}, {IDC_WAIT, L"wait"}, {IDC_CROSS, L"cross"}, {IDC_IBEAM, L"ibeam"}};
    if (!cursor) return L"none";
    for (const auto& shape : shapes)
        if (cursor == LoadCursorW(nullptr, shape.id)) return shape.name;
    return L"other";
}

// The program's own imports of SetCursor and ShowCursor are routed through a log, which tells a
// cursor restored too late from one never shown, though both leave the same cursor at rest.
static bool watching_cursor = false;
static std::wstring cursor_calls;
static HCURSOR(WINAPI* real_set_cursor)(HCURSOR);
static int(WINAPI* real_show_cursor)(BOOL);

static HCURSOR WINAPI logged_set_cursor(HCURSOR cursor) {
    cursor_calls += std::wstring(cursor_calls.empty() ? L"" : L" ") + cursor_shape(cursor);
    return real_set_cursor(cursor);
}

static int WINAPI logged_show_cursor(BOOL show) {
    cursor_calls += std::wstring(cursor_calls.empty() ? L"" : L" ") + (show ? L"show" : L"hide");
    return real_show_cursor(show);
}

static void answer_cursor_calls(std::wstring& out) {
    if (!watching_cursor) {
        watching_cursor = true;
        real_set_cursor = reinterpret_cast<decltype(real_set_cursor)>(redirect_import(
            "user32.dll", "SetCursor", reinterpret_cast<void*>(&logged_set_cursor)));
        real_show_cursor = reinterpret_cast<decltype(real_show_cursor)>(redirect_import(
            "user32.dll", "ShowCursor", reinterpret_cast<void*>(&logged_show_cursor)));
    }
    out = cursor_calls;
    cursor_calls.clear();
}

static LONG faults = -1;

static LONG CALLBACK count_fault(EXCEPTION_POINTERS* e) {
    switch (e->ExceptionRecord->ExceptionCode) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_STACK_OVERFLOW: InterlockedIncrement(&faults); break;
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

static void watch_faults() {
    if (faults < 0 && AddVectoredExceptionHandler(1, count_fault)) faults = 0;
}

static void answer_faults(std::wstring& out) {
    watch_faults();
    out = std::to_wstring(faults);
}

// Pauses are counted, not timed: the program's own import of Sleep goes through a counter.
static LONG sleep_calls = -1;
static unsigned long long slept_ms = 0;
static void(WINAPI* real_sleep)(DWORD);

static void WINAPI counted_sleep(DWORD ms) {
    InterlockedIncrement(&sleep_calls);
    slept_ms += ms;
    real_sleep(ms);
}

static void answer_sleeps(std::wstring& out) {
    if (sleep_calls < 0) {
        real_sleep = reinterpret_cast<decltype(real_sleep)>(
            redirect_import("kernel32.dll", "Sleep", reinterpret_cast<void*>(&counted_sleep)));
        if (real_sleep) sleep_calls = 0;
    }
    out = std::to_wstring(sleep_calls) + L"\t" + std::to_wstring(slept_ms);
}

// Sounds make nothing a test could hear here either: the program's own import of PlaySoundW goes
// through a log.
static std::wstring sounds;
static BOOL(WINAPI* real_play_sound)(LPCWSTR, HMODULE, DWORD);

static BOOL WINAPI logged_play_sound(LPCWSTR sound, HMODULE module, DWORD flags) {
    sounds += std::to_wstring(flags) + L"\t" + (sound ? sound : L"-") + L"\n";
    return real_play_sound(sound, module, flags);
}

static void watch_sounds() {
    if (real_play_sound) return;
    real_play_sound = reinterpret_cast<decltype(real_play_sound)>(
        redirect_import("winmm.dll", "PlaySoundW", reinterpret_cast<void*>(&logged_play_sound)));
}

// MessageBeep makes no sound that a test could hear here, so the program's own import of it is
// routed through a counter that then calls the real function.
static LONG beep_calls = -1;
static std::wstring beep_types; // one line per call
static BOOL(WINAPI* real_message_beep)(UINT);

static BOOL WINAPI counted_message_beep(UINT type) {
    InterlockedIncrement(&beep_calls);
    beep_types += std::to_wstring(type) + L"\n";
    return real_message_beep(type);
}

static void count_beeps() {
    if (beep_calls >= 0) return;
    real_message_beep = reinterpret_cast<decltype(real_message_beep)>(redirect_import(
        "user32.dll", "MessageBeep", reinterpret_cast<void*>(&counted_message_beep)));
    if (real_message_beep) beep_calls = 0;
}

struct window_list {
    std::wstring* out;
    HWND dialog; // the first visible dialog met
};

static BOOL CALLBACK list_window(HWND hwnd, LPARAM lp) {
    auto* list = reinterpret_cast<window_list*>(lp);
    if (!IsWindowVisible(hwnd)) return TRUE;
    wchar_t cls[64] = L"", title[256] = L"", focus_cls[64] = L"";
    GetClassNameW(hwnd, cls, 64);
    GetWindowTextW(hwnd, title, 256);
    HWND focus = GetFocus();
    if (focus && (focus == hwnd || IsChild(hwnd, focus))) GetClassNameW(focus, focus_cls, 64);
    std::wstring controls;
    for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t c_cls[64] = L"", c_text[256] = L"";
        GetClassNameW(c, c_cls, 64);
        GetWindowTextW(c, c_text, 256);
        controls += std::wstring(controls.empty() ? L"" : L";") + c_cls + L"=" + c_text;
    }
    HMENU sys = GetSystemMenu(hwnd, FALSE);
    const bool close_grayed = sys && (GetMenuState(sys, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
    *list->out += std::wstring(cls) + L"\t" + title + L"\t" +
                  (IsWindowEnabled(hwnd) ? L"1" : L"0") + L"\t" + focus_cls + L"\t" + controls +
                  L"\t" + (close_grayed ? L"1" : L"0") + L"\n";
    if (!list->dialog && lstrcmpW(cls, L"#32770") == 0) list->dialog = hwnd;
    return TRUE;
}

static HWND list_thread_windows(std::wstring& out) {
    window_list list{&out, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), list_window, reinterpret_cast<LPARAM>(&list));
    return list.dialog;
}

// Input as the user would give it, posted so that it waits in the queue for whoever pumps next.
static void post_key(HWND target, UINT vk) {
    UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    PostMessageW(target, WM_KEYDOWN, vk, 1 | (LPARAM(scan) << 16));
    PostMessageW(target, WM_KEYUP, vk, 1 | (LPARAM(scan) << 16) | (LPARAM(3) << 30));
}

static void post_click(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

// Menus and list boxes: probe_menus.cpp.
void probe_menus_answer(HWND hwnd, WPARAM query, std::wstring& out);

static void answer(const MSG* m) {
    std::wstring out;
    switch (m->wParam) {
    case PROBE_MENU:
        if (HMENU menu = GetMenu(m->hwnd)) dump_menu(menu, 0, out);
        break;
    case PROBE_SYSTEM_MENU:
        if (HMENU menu = GetSystemMenu(m->hwnd, FALSE)) dump_menu(menu, 0, out);
        break;
    case PROBE_THREAD_WINDOWS: list_thread_windows(out); break;
    case PROBE_PRESS_ESCAPE:
        list_thread_windows(out);
        if (HWND focus = GetFocus()) post_key(focus, VK_ESCAPE);
        break;
    case PROBE_CLICK_CANCEL:
        if (HWND dialog = list_thread_windows(out))
            if (HWND button = GetDlgItem(dialog, IDCANCEL)) post_click(button);
        break;
    case PROBE_VSCROLL: dump_scroll(m->hwnd, SB_VERT, out); break;
    case PROBE_HSCROLL: dump_scroll(m->hwnd, SB_HORZ, out); break;
    case PROBE_CTL_SCROLL: dump_scroll(m->hwnd, SB_CTL, out); break;
    case PROBE_PING: break;
    case PROBE_CURSOR_COUNT: out = std::to_wstring(cursor_display_count()); break;
    case PROBE_CURSOR:
        out = std::wstring(cursor_shape(GetCursor())) + L" " +
              std::to_wstring(cursor_display_count());
        break;
    case PROBE_CURSOR_CALLS: answer_cursor_calls(out); break;
    case PROBE_FAULTS: answer_faults(out); break;
    case PROBE_SLEEPS: answer_sleeps(out); break;
    case PROBE_SOUNDS:
        watch_sounds();
        out = sounds;
        break;
    case PROBE_BEEPS:
        count_beeps();
        out = std::to_wstring(beep_calls); // -1: the program imports no MessageBeep
        break;
    case PROBE_BEEP_TYPES: out = beep_types; break;
    case PROBE_GDI_NET: probe_gdi_answer(out); break;
    case PROBE_ENVIRONMENT ... PROBE_CLOSE_COUNTING_BITMAPS:
        probe_menus_answer(m->hwnd, m->wParam, out);
        break;
    case PROBE_SYSCOLOR_HIGHLIGHT:
    case PROBE_SYSCOLOR_RESTORE: probe_syscolor_answer(m->wParam, out); break;
    case PROBE_TIMER_TICK ... PROBE_MINUTE_ENDING_CLOCK: probe_timers_answer(m, out); break;
    case PROBE_CLASS_STANDARD_ICON: probe_standard_icon_answer(m->hwnd, out); break;
    case PROBE_RELEASE_CAPTURE:
    case PROBE_TRY_LOCK_DESKTOP:
    case PROBE_HOLD_DESKTOP_LOCK:
    case PROBE_DROP_DESKTOP_LOCK: probe_capture_answer(m->wParam, out); break;
    case PROBE_FILL_COUNT ... PROBE_REALIZED_PALETTE: probe_drawing_answer(m->wParam, out); break;
    case PROBE_INPUT_PENDING:
        out = HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE)) ? L"1" : L"0";
        break;
    case PROBE_RELOAD_TIME_FORMAT: {
        wchar_t format[80] = L"";
        DWORD size = sizeof format - sizeof(wchar_t);
        if (RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\International", L"sTimeFormat",
                         RRF_RT_REG_SZ, nullptr, format, &size) == ERROR_SUCCESS &&
            SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, format))
            out = format;
        break;
    }
    case PROBE_CLASS_INFO: {
        wchar_t name[256] = L"";
        GetClassNameW(m->hwnd, name, 256);
        HICON own = LoadIconW(GetModuleHandleW(nullptr), name);
        HICON icon = reinterpret_cast<HICON>(GetClassLongPtrW(m->hwnd, GCLP_HICON));
        out = std::to_wstring(GetClassLongPtrW(m->hwnd, GCL_STYLE)) + L"\t" +
              std::to_wstring(GetClassLongPtrW(m->hwnd, GCL_CBWNDEXTRA)) + L"\t" +
              std::to_wstring(GetClassLongPtrW(m->hwnd, GCLP_HBRBACKGROUND)) + L"\t" +
              (own && icon == own ? L"1" : L"0") + L"\n";
        break;
    }
    default:
        if (m->wParam >= PROBE_MENU_AFTER_POPUP && m->wParam <= PROBE_MENU_AFTER_POPUP_LAST)
            menu_after_popup(m->hwnd, int(m->wParam - PROBE_MENU_AFTER_POPUP), out);
        else if (!probe_device_answer(m->wParam, out))
            probe_text_answer(m->wParam, out);
        break;
    }
    COPYDATASTRUCT cd{};
    cd.dwData = m->wParam;
    cd.cbData = DWORD((out.size() + 1) * sizeof(wchar_t));
    cd.lpData = const_cast<wchar_t*>(out.c_str());
    SendMessageTimeoutW(reinterpret_cast<HWND>(m->lParam), WM_COPYDATA,
                        reinterpret_cast<WPARAM>(m->hwnd), reinterpret_cast<LPARAM>(&cd),
                        SMTO_ABORTIFHUNG, 5000, nullptr);
}

extern "C" __declspec(dllexport) LRESULT CALLBACK probe_hook(int code, WPARAM wp, LPARAM lp) {
    static UINT probe_message = RegisterWindowMessageW(PROBE_MESSAGE_NAME);
    if (code == HC_ACTION && wp == PM_REMOVE) {
        MSG* m = reinterpret_cast<MSG*>(lp);
        if (m->message == probe_message) {
            answer(m);
            m->message = WM_NULL; // the program never sees the question
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

// Set as a CBT hook for the whole desktop by a test that counts a program's faults from its very
// first window on (its WM_CREATE included), before any question could load the probe.
extern "C" __declspec(dllexport) LRESULT CALLBACK
    probe_fault_watch_hook(int code, WPARAM wp, LPARAM lp) {
    watch_faults();
    return CallNextHookEx(nullptr, code, wp, lp);
}

// Set as a CBT hook for the whole desktop by a test that logs a program's sounds from its very
// first window on, the one its WM_CREATE plays included.
extern "C" __declspec(dllexport) LRESULT CALLBACK
    probe_sound_watch_hook(int code, WPARAM wp, LPARAM lp) {
    watch_sounds();
    return CallNextHookEx(nullptr, code, wp, lp);
}

// Set as a CBT hook for the whole desktop by a test that wants a program's window creation to
// fail: refuses windows of the class named in PROBE_REFUSE_CLASS (an environment variable the
// program inherits from the test).
extern "C" __declspec(dllexport) LRESULT CALLBACK
    probe_refuse_hook(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_CREATEWND) {
        wchar_t wanted[64] = L"", name[64] = L"";
        if (GetEnvironmentVariableW(L"PROBE_REFUSE_CLASS", wanted, 64) &&
            GetClassNameW(reinterpret_cast<HWND>(wp), name, 64) && _wcsicmp(name, wanted) == 0)
            return 1;
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}
