// Talbrek: the names of the process's environment variables in a sorted list box, and above it
// the value of the one chosen. The hidden per-drive entries ("=C:=C:\...") are left out.
#include "frame/frame.h"

namespace {

enum { ID_LIST = 1, ID_TEXT = 2 };

struct {
    app_frame frame;
    HWND list, text;
} g;

} // namespace

// Each string of the block up to its first "=" is one name; the list sorts itself.
static void fill_list() {
    wchar_t* block = GetEnvironmentStringsW();
    if (!block) return;
    for (const wchar_t* s = block; *s; s += lstrlenW(s) + 1) {
        if (*s == L'=') continue;
        const wchar_t* eq = s;
        while (*eq && *eq != L'=')
            eq++;
        const size_t start = rt.temp_top;
        temp_push_left(s, static_cast<int32_t>(eq - s), start);
        SendMessageW(g.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(temp_text(start)));
        rt.temp_top = start;
    }
    FreeEnvironmentStringsW(block);
}

static LRESULT on_create(HWND hwnd) {
    const LONG units = GetDialogBaseUnits();
    const int cx = LOWORD(units), cy = HIWORD(units);
    g.list = CreateWindowExW(0, L"ListBox", nullptr,
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_SORT,
                             cx, 3 * cy, 25 * cx + GetSystemMetrics(SM_CXVSCROLL), 20 * cy, hwnd,
                             reinterpret_cast<HMENU>(ID_LIST), rt.module, nullptr);
    g.text = CreateWindowExW(0, L"Static", nullptr, WS_CHILD | WS_VISIBLE | SS_LEFT, cx, cy,
                             GetSystemMetrics(SM_CXSCREEN), cy, hwnd,
                             reinterpret_cast<HMENU>(ID_TEXT), rt.module, nullptr);
    if (!g.list || !g.text) return -1;
    fill_list();
    return 0;
}

// The chosen name's value becomes the text; a name that no longer exists (or a list that cannot
// say what is chosen) leaves the text as it is.
static void show_value() {
    const LRESULT index = SendMessageW(g.list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return;
    const LRESULT length = SendMessageW(g.list, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) return;
    auto* name = static_cast<wchar_t*>(
        HeapAlloc(rt.program_heap, HEAP_ZERO_MEMORY, (static_cast<size_t>(length) + 1) * 2));
    if (!name) return;
    if (SendMessageW(g.list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(name)) != LB_ERR) {
        const DWORD needed = GetEnvironmentVariableW(name, nullptr, 0);
        if (needed) {
            auto* value = static_cast<wchar_t*>(
                HeapAlloc(rt.program_heap, HEAP_ZERO_MEMORY, static_cast<size_t>(needed) * 2));
            if (value) {
                if (GetEnvironmentVariableW(name, value, needed) < needed)
                    SetWindowTextW(g.text, value);
                HeapFree(rt.program_heap, 0, value);
            }
        }
    }
    HeapFree(rt.program_heap, 0, name);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: return on_create(hwnd);
    case WM_SETFOCUS: SetFocus(g.list); return 0;
    case WM_COMMAND:
        if (LOWORD(wp) == ID_LIST && HIWORD(wp) == LBN_SELCHANGE) show_value();
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"talbrek", L"Environment List Box", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
