#include "harness/checks.h"
#include "harness/probe.h"

namespace harness {

void click(HWND control) {
    RECT r;
    GetClientRect(control, &r);
    post_click(control, r.right / 2, r.bottom / 2);
}

int differing_pixels(const image& a, const image& b) {
    if (a.width != b.width || a.height != b.height) return -1;
    int n = 0;
    for (size_t i = 0; i < a.px.size(); i++)
        n += a.px[i] != b.px[i];
    return n;
}

bool is_grey(HWND hwnd, const wchar_t* item, int popup) {
    const std::vector<menu_item> menu = read_menu_opened(hwnd, popup);
    const menu_item* it = find_item(menu, item);
    EXPECT_NE(it, nullptr) << "no menu item " << std::wstring(item).size() << " characters long";
    return it && (it->state & MF_GRAYED);
}

void expect_exits_with_0(app& a) {
    DWORD code = 99;
    ASSERT_TRUE(a.wait_exit(10000, &code)) << "still running";
    EXPECT_EQ(code, 0u);
}

void expect_closes_with_0(app& a, HWND hwnd) {
    close(hwnd);
    expect_exits_with_0(a);
}

std::wstring cursor_at_rest(HWND hwnd) {
    return probe(hwnd, PROBE_CURSOR);
}

std::wstring cursor_calls(HWND hwnd) {
    return probe(hwnd, PROBE_CURSOR_CALLS);
}

void expect_hourglass_then_arrow(HWND hwnd, const wchar_t* calls) {
    EXPECT_EQ(cursor_calls(hwnd), calls) << "the hourglass while working, then the arrow";
    EXPECT_EQ(cursor_at_rest(hwnd), L"arrow 0");
}

int stale_scroll_bar_pixels(HWND hwnd, int bar) {
    drain(hwnd);
    RECT r = client_rect(hwnd);
    if (bar == SB_CTL) {
        // Wine draws a focused control's scroll box hatched when the whole bar is painted and
        // plain when only the box moves, so only the box's outline is compared: the bar's left
        // column.
        GetWindowRect(hwnd, &r);
        r.right = r.left + 1;
        const image shown = capture_settled(hwnd, r);
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return differing_pixels(shown, capture_settled(hwnd, r));
    }
    if (bar == SB_VERT) {
        r.left = r.right;
        r.right += GetSystemMetrics(SM_CXVSCROLL);
    } else {
        r.top = r.bottom;
        r.bottom += GetSystemMetrics(SM_CYHSCROLL);
    }
    const image shown = capture_settled(hwnd, r);
    SendMessageW(hwnd, WM_NCPAINT, 1, 0); // 1: the whole frame
    return differing_pixels(shown, capture_settled(hwnd, r));
}

int screen_palette_size() {
    HDC screen = GetDC(nullptr);
    const int size = GetDeviceCaps(screen, SIZEPALETTE);
    ReleaseDC(nullptr, screen);
    return size;
}

} // namespace harness
