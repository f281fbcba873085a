// The floor for showing a bitmap file: command 40001 asks for a file, reads it whole with one
// ReadFile and draws it with SetDIBitsToDevice at the top-left corner. Only what a bitmap of the
// common layouts needs is checked.
#include <windows.h>
#include <commdlg.h>

static BYTE* file_bytes;

static void open_file(HWND hwnd) {
    wchar_t name[MAX_PATH] = L"";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = hwnd;
    ofn.lpstrFile = name;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrFilter = L"Bitmaps (*.bmp)\0*.bmp\0";
    if (!GetOpenFileNameW(&ofn)) return;
    HANDLE f = CreateFileW(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD size = GetFileSize(f, nullptr), got = 0;
    HeapFree(GetProcessHeap(), 0, file_bytes);
    file_bytes = static_cast<BYTE*>(HeapAlloc(GetProcessHeap(), 0, size));
    if (file_bytes && (!ReadFile(f, file_bytes, size, &got, nullptr) || got != size ||
                       size < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))) {
        HeapFree(GetProcessHeap(), 0, file_bytes);
        file_bytes = nullptr;
    }
    CloseHandle(f);
    InvalidateRect(hwnd, nullptr, TRUE);
}

static void paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (file_bytes) {
        auto* fh = reinterpret_cast<BITMAPFILEHEADER*>(file_bytes);
        auto* info = reinterpret_cast<BITMAPINFO*>(fh + 1);
        const LONG w = info->bmiHeader.biWidth, h = info->bmiHeader.biHeight;
        SetDIBitsToDevice(dc, 0, 0, w, h < 0 ? -h : h, 0, 0, 0, h < 0 ? -h : h,
                          file_bytes + fh->bfOffBits, info, DIB_RGB_COLORS);
    }
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wp) == 40001) open_file(hwnd);
        return 0;
    case WM_PAINT: paint(hwnd); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = wnd_proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"bare_dib";
    if (!RegisterClassW(&wc)) return 1;
    HWND hwnd =
        CreateWindowW(L"bare_dib", L"Bare DIB", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    return int(m.wParam);
}
