#include "metrics_scroll.h"

using namespace harness;
using namespace metrics_expect;

// The keys scroll as the scroll bars would: Home/End to the ends, Page Up/Down by a page, the
// arrows up and down by a line and left and right by a page.
TEST(dravik4, keys_scroll_the_rows) {
    app a;
    HWND hwnd = launch(a, L"dravik4");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Get System Metrics No. 4");
    resize(hwnd, 600, 320);
    // Created without scroll-bar styles; the vertical bar appears once it has a range.
    EXPECT_NE(GetWindowLongW(hwnd, GWL_STYLE) & WS_VSCROLL, 0);
    const font_measures m = system_font_measures();
    const int page = read_scroll(hwnd, SB_VERT).page;
    ASSERT_GT(page, 3);

    post_key(hwnd, VK_DOWN);
    settle(hwnd);
    EXPECT_EQ(vpos(hwnd), 1);
    EXPECT_EQ(differing_now(hwnd, 1, m.cx_char, L"dravik4-down"), 0);
    post_key(hwnd, VK_NEXT);
    settle(hwnd);
    EXPECT_EQ(vpos(hwnd), 1 + page);
    post_key(hwnd, VK_UP);
    settle(hwnd);
    EXPECT_EQ(vpos(hwnd), page);
    post_key(hwnd, VK_PRIOR);
    settle(hwnd);
    EXPECT_EQ(vpos(hwnd), 0);
    post_key(hwnd, VK_END);
    settle(hwnd);
    EXPECT_EQ(vpos(hwnd), 75 - page);
    EXPECT_EQ(differing_now(hwnd, 75 - page, m.cx_char, L"dravik4-end"), 0);
    post_key(hwnd, VK_HOME);
    settle(hwnd);
    EXPECT_EQ(vpos(hwnd), 0);
    EXPECT_EQ(differing_now(hwnd, 0, m.cx_char, L"dravik4-home"), 0);

    // Keys without a scrolling meaning do nothing.
    start_text_log(hwnd);
    post_key(hwnd, VK_SPACE);
    post_key(hwnd, 'A');
    settle(hwnd);
    EXPECT_EQ(vpos(hwnd), 0);
    EXPECT_TRUE(text_log(hwnd).empty());
}

TEST(dravik4, right_and_left_arrows_scroll_by_a_page_of_characters) {
    app a;
    HWND hwnd = launch(a, L"dravik4");
    ASSERT_NE(hwnd, nullptr);
    resize(hwnd, 220, 320);
    const font_measures m = system_font_measures();
    scroll_state h = read_scroll(hwnd, SB_HORZ);
    ASSERT_TRUE(h.present);
    ASSERT_GT(h.page, 5);
    EXPECT_NE(GetWindowLongW(hwnd, GWL_STYLE) & WS_HSCROLL, 0);
    post_key(hwnd, VK_RIGHT);
    settle(hwnd);
    ASSERT_LT(2 * h.page, h.max) << "room for a whole page";
    EXPECT_EQ(hpos(hwnd), h.page) << "a page, not a line";
    EXPECT_EQ(differing_now(hwnd, 0, m.cx_char * (1 - h.page), L"dravik4-right"), 0);
    post_key(hwnd, VK_LEFT);
    settle(hwnd);
    EXPECT_EQ(hpos(hwnd), 0);
    EXPECT_EQ(differing_now(hwnd, 0, m.cx_char, L"dravik4-left"), 0);
}
