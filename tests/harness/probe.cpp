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

static void answer(const MSG* m) {
    std::wstring out;
    switch (m->wParam) {
    case PROBE_MENU:
        if (HMENU menu = GetMenu(m->hwnd)) dump_menu(menu, 0, out);
        break;
    case PROBE_SYSTEM_MENU:
        if (HMENU menu = GetSystemMenu(m->hwnd, FALSE)) dump_menu(menu, 0, out);
        break;
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
