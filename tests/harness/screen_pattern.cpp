#include "harness/screen_pattern.h"

namespace harness {

namespace {

const uint32_t colours[] = {0xC03020, 0x20A040, 0x3050D0, 0xE0C010, 0x10C0C0, 0xB020B0,
                            0x806040, 0x40E080, 0xF08080, 0x6060A0, 0xA0A020, 0x205060};
const int colour_count = int(sizeof colours / sizeof colours[0]);

struct paint_info {
    int cols, rows, block;
};

LRESULT CALLBACK pattern_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: {
        auto* p = reinterpret_cast<const paint_info*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        for (int r = 0; p && r < p->rows; r++)
            for (int c = 0; c < p->cols; c++) {
                uint32_t k = screen_pattern::colour(c, r);
                HBRUSH b = CreateSolidBrush(RGB(k >> 16, (k >> 8) & 0xFF, k & 0xFF));
                RECT cell{c * p->block, r * p->block, (c + 1) * p->block, (r + 1) * p->block};
                FillRect(dc, &cell, b);
                DeleteObject(b);
            }
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

} // namespace

uint32_t screen_pattern::colour(int col, int row) {
    return colours[(row * 4 + col) % colour_count];
}

screen_pattern::screen_pattern(int x, int y, int cols, int rows, int block)
    : x_(x), y_(y), cols_(cols), rows_(rows), block_(block) {
    ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, run, this, 0, nullptr);
    if (thread_) WaitForSingleObject(ready_, 10000);
}

screen_pattern::~screen_pattern() {
    if (hwnd_) PostMessageW(hwnd_, WM_CLOSE, 0, 0);
    if (thread_) {
        WaitForSingleObject(thread_, 10000);
        CloseHandle(thread_);
    }
    if (ready_) CloseHandle(ready_);
}

RECT screen_pattern::rect() const {
    return RECT{x_, y_, x_ + cols_ * block_, y_ + rows_ * block_};
}

DWORD WINAPI screen_pattern::run(void* self) {
    auto* s = static_cast<screen_pattern*>(self);
    static ATOM cls = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = pattern_proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"HarnessScreenPattern";
        return RegisterClassW(&wc);
    }();
    paint_info info{s->cols_, s->rows_, s->block_};
    HWND hwnd = cls ? CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                                      L"HarnessScreenPattern", L"", WS_POPUP, s->x_, s->y_,
                                      s->cols_ * s->block_, s->rows_ * s->block_, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr)
                    : nullptr;
    if (hwnd) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&info));
        ShowWindow(hwnd, SW_SHOWNOACTIVATE);
        UpdateWindow(hwnd);
    }
    s->hwnd_ = hwnd;
    SetEvent(s->ready_);
    MSG msg;
    while (hwnd && GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    return 0;
}

} // namespace harness
