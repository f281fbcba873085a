// Head: a directory browser. The list box holds the current directory's files, its
// subdirectories as "[name]" and the drives as "[-x-]"; a double click or Enter on a directory or
// drive moves there, and on a file shows the file's first 8192 bytes beside the list as ANSI text.
// The file is opened afresh on every repaint, so a file that went away simply stops showing.
#include "frame/frame.h"

namespace {

enum { ID_LIST = 1, ID_PATH = 2 };
const UINT list_attributes =
    DDL_READONLY | DDL_HIDDEN | DDL_SYSTEM | DDL_DIRECTORY | DDL_ARCHIVE | DDL_DRIVES;
const DWORD read_size = 8192;

struct {
    app_frame frame;
    HWND list, path;
    WNDPROC list_proc; // the list box's own procedure, under the subclass
    bool file_chosen;
    wchar_t* file_name; // dynamic string: the chosen file as listed
    RECT text_rect;     // where the file's text is drawn
    char buffer[read_size];
} g;

} // namespace

// The current directory, however long, in the temporary area at `start`; false when it cannot be
// had. The size asked for is the one the last answer said it needs, until it fits.
static bool push_current_directory(size_t start) {
    DWORD size = MAX_PATH + 1;
    for (int attempt = 0; attempt < 8; attempt++) {
        rt.temp_top = start;
        wchar_t* dst = temp_reserve(static_cast<int32_t>(size), start);
        const DWORD got = GetCurrentDirectoryW(size, dst);
        if (got == 0) break;
        if (got < size) {
            temp_release(static_cast<int32_t>(size - got));
            return true;
        }
        size = got; // includes the terminator
    }
    rt.temp_top = start;
    temp_push(L"");
    return false;
}

static void show_current_directory() {
    const size_t start = rt.temp_top;
    push_current_directory(start);
    SetWindowTextW(g.path, temp_text(start));
    rt.temp_top = start;
}

static void fill_list() {
    SendMessageW(g.list, LB_RESETCONTENT, 0, 0);
    SendMessageW(g.list, LB_DIR, list_attributes, reinterpret_cast<LPARAM>(L"*.*"));
}

// Enter in the list works as a double click.
static LRESULT CALLBACK list_subclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_KEYDOWN && wp == VK_RETURN)
        SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(ID_LIST, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(hwnd));
    return CallWindowProcW(g.list_proc, hwnd, msg, wp, lp);
}

static LRESULT on_create(HWND hwnd) {
    const LONG units = GetDialogBaseUnits();
    const int cx = LOWORD(units), cy = HIWORD(units);
    g.list = CreateWindowExW(0, L"ListBox", nullptr,
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_SORT,
                             cx, 3 * cy, 25 * cx + GetSystemMetrics(SM_CXVSCROLL), 20 * cy, hwnd,
                             reinterpret_cast<HMENU>(ID_LIST), rt.module, nullptr);
    g.path =
        CreateWindowExW(0, L"Static", nullptr, WS_CHILD | WS_VISIBLE | SS_LEFT, 0, cy, 260 * cx, cy,
                        hwnd, reinterpret_cast<HMENU>(ID_PATH), rt.module, nullptr);
    if (!g.list || !g.path) return -1;
    g.text_rect.left = 27 * cx + GetSystemMetrics(SM_CXVSCROLL);
    g.text_rect.top = 3 * cy;
    show_current_directory();
    g.list_proc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(g.list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(list_subclass)));
    fill_list();
    return 0;
}

static HANDLE open_for_reading(const wchar_t* name) {
    return CreateFileW(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
}

// "[name]" names a directory, "[-x-]" a drive; anything else is neither.
static bool is_directory_item(const wchar_t* t, int n) {
    return n >= 3 && t[0] == L'[' && t[n - 1] == L']';
}
static bool is_drive_item(const wchar_t* t, int n) {
    return n == 5 && t[0] == L'[' && t[1] == L'-' && t[3] == L'-' && t[4] == L']';
}

// A directory item changes to that directory; a drive item, when it is not also a directory of
// that name, to the drive. False when the item is neither or the change failed.
static bool change_directory(wchar_t* t) {
    const int n = lstrlenW(t);
    if (!is_directory_item(t, n)) return false;
    t[n - 1] = 0;
    if (SetCurrentDirectoryW(t + 1)) return true;
    t[n - 1] = L']';
    if (!is_drive_item(t, n)) return false;
    const wchar_t drive[3] = {t[2], L':', 0};
    return SetCurrentDirectoryW(drive) != FALSE;
}

static void show_file(const wchar_t* t) {
    g.file_chosen = true;
    str_assign(&g.file_name, t);
    const size_t start = rt.temp_top;
    push_current_directory(start);
    const size_t length = str_length(temp_text(start));
    if (length == 0 || temp_text(start)[length - 1] != L'\\') temp_push(L"\\");
    temp_push(t);
    SetWindowTextW(g.path, temp_text(start));
    rt.temp_top = start;
}

// A double click or Enter on an item. An item that neither opens as a file nor names a directory
// or drive that can be entered (a locked or denied file, for one) changes nothing.
static void open_item(HWND hwnd) {
    const LRESULT index = SendMessageW(g.list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return;
    const LRESULT length = SendMessageW(g.list, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) return;
    auto* t = static_cast<wchar_t*>(
        HeapAlloc(rt.program_heap, HEAP_ZERO_MEMORY, (static_cast<size_t>(length) + 1) * 2));
    if (!t) return;
    if (SendMessageW(g.list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(t)) != LB_ERR) {
        HANDLE file = open_for_reading(t);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            show_file(t);
            InvalidateRect(hwnd, nullptr, TRUE);
        } else if (change_directory(t)) {
            g.file_chosen = false;
            show_current_directory();
            fill_list();
            InvalidateRect(hwnd, nullptr, TRUE);
        }
    }
    HeapFree(rt.program_heap, 0, t);
}

// The chosen file's first bytes, read now; false (and no longer chosen) when it cannot be opened.
static bool read_chosen_file(DWORD* got) {
    HANDLE file = open_for_reading(g.file_name);
    if (file == INVALID_HANDLE_VALUE) {
        g.file_chosen = false;
        return false;
    }
    if (!ReadFile(file, g.buffer, read_size, got, nullptr)) *got = 0;
    CloseHandle(file);
    return true;
}

static bool on_paint(HWND hwnd) {
    DWORD got = 0;
    if (!g.file_chosen || !read_chosen_file(&got)) return false;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    DrawTextA(dc, g.buffer, static_cast<int>(got), &g.text_rect,
              DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP | DT_NOPREFIX);
    SelectObject(dc, old);
    EndPaint(hwnd, &ps);
    return true;
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: return on_create(hwnd);
    case WM_SIZE:
        g.text_rect.right = LOWORD(lp);
        g.text_rect.bottom = static_cast<short>(HIWORD(lp));
        return 0;
    case WM_SETFOCUS: SetFocus(g.list); return 0;
    case WM_COMMAND:
        if (LOWORD(wp) == ID_LIST && HIWORD(wp) == LBN_DBLCLK) open_item(hwnd);
        return 0;
    case WM_PAINT:
        if (on_paint(hwnd)) return 0;
        break;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"head", L"Head", wnd_proc);
    g.frame.wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
