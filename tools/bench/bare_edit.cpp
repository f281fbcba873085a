// The floor for opening a text: the UTF-8 file named on the command line (after its mark) is read
// with one ReadFile, converted to UTF-16 and set into a multi-line edit control filling the window.
#include <windows.h>

static HWND edit;

static void load(const wchar_t* name) {
    HANDLE f = CreateFileW(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD size = GetFileSize(f, nullptr), got = 0;
    char* bytes = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, size + 1));
    if (bytes && ReadFile(f, bytes, size, &got, nullptr) && got == size) {
        const int skip = size >= 3 && !memcmp(bytes, "\xEF\xBB\xBF", 3) ? 3 : 0;
        int n = MultiByteToWideChar(CP_UTF8, 0, bytes + skip, int(size) - skip, nullptr, 0);
        auto* text = static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), 0, (n + 1) * 2));
        if (text) {
            MultiByteToWideChar(CP_UTF8, 0, bytes + skip, int(size) - skip, text, n);
            text[n] = 0;
            SetWindowTextW(edit, text);
            HeapFree(GetProcessHeap(), 0, text);
        }
    }
    HeapFree(GetProcessHeap(), 0, bytes);
    CloseHandle(f);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        edit = CreateWindowW(L"edit", nullptr,
                             WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | ES_LEFT |
                                 ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL,
                             0, 0, 0, 0, hwnd, HMENU(1), nullptr, nullptr);
        return edit ? 0 : -1;
    case WM_SIZE: MoveWindow(edit, 0, 0, LOWORD(lp), HIWORD(lp), TRUE); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR cmd, int show) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = wnd_proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"bare_edit";
    if (!RegisterClassW(&wc)) return 1;
    HWND hwnd =
        CreateWindowW(L"bare_edit", L"Bare Edit", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    // The file name, without the quotes around it.
    if (cmd && *cmd == L'"') {
        cmd++;
        if (wchar_t* end = wcschr(cmd, L'"')) *end = 0;
    }
    if (cmd && *cmd) load(cmd);
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    return int(m.wParam);
}
