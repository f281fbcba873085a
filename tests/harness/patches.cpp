#include "harness/patches.h"
#include "harness/harness.h"

namespace harness {

static LRESULT CALLBACK patch_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(hwnd, &r);
        HBRUSH brush = CreateSolidBrush(COLORREF(GetWindowLongPtrW(hwnd, GWLP_USERDATA)));
        FillRect(reinterpret_cast<HDC>(wp), &r, brush);
        DeleteObject(brush);
        return 1;
    }
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

colour_patch::colour_patch(const RECT& screen_rect, COLORREF colour)
    : rect_(screen_rect), colour_(colour) {
    static ATOM cls = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = patch_proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"HarnessColourPatch";
        return RegisterClassW(&wc);
    }();
    if (!cls) return;
    hwnd_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW,
                            L"HarnessColourPatch", L"", WS_POPUP, rect_.left, rect_.top,
                            rect_.right - rect_.left, rect_.bottom - rect_.top, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) return;
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, LONG_PTR(colour));
    ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd_);
    EXPECT_TRUE(wait_until([&] { return shown(); })) << "the colour patch did not show";
}

colour_patch::~colour_patch() {
    if (hwnd_) DestroyWindow(hwnd_);
}

void colour_patch::set(COLORREF colour) {
    colour_ = colour;
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, LONG_PTR(colour));
    InvalidateRect(hwnd_, nullptr, TRUE);
    UpdateWindow(hwnd_);
    EXPECT_TRUE(wait_until([&] { return shown(); })) << "the colour patch did not change";
}

bool colour_patch::shown() const {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&m);
    const POINT c = centre();
    const image px = capture_screen(RECT{c.x, c.y, c.x + 1, c.y + 1});
    const uint32_t want =
        (GetRValue(colour_) << 16) | (GetGValue(colour_) << 8) | GetBValue(colour_);
    return px.width == 1 && px.px[0] == want;
}

POINT colour_patch::centre() const {
    return POINT{(rect_.left + rect_.right) / 2, (rect_.top + rect_.bottom) / 2};
}

::testing::AssertionResult filled_with(const image& img, uint32_t colour) {
    if (img.px.empty()) return ::testing::AssertionFailure() << "no client area";
    for (size_t i = 0; i < img.px.size(); i++)
        if (img.px[i] != colour)
            return ::testing::AssertionFailure()
                   << "pixel (" << i % img.width << ", " << i / img.width << ") is " << std::hex
                   << img.px[i] << ", not " << colour;
    return ::testing::AssertionSuccess();
}

} // namespace harness
