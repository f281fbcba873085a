// Loaded into a program's process by the harness's message hook; answers questions that only that
// process can answer.
#include <windows.h>
#include <string>
#include "probe.h"

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
