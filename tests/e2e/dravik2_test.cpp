#include "metrics_scroll.h"

using namespace harness;
using namespace metrics_expect;

TEST(dravik2, starts_at_the_top_with_a_vertical_bar_over_the_75_rows) {
    app a;
    HWND hwnd = launch(a, L"dravik2");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Get System Metrics No. 2");
    EXPECT_NE(GetWindowLongW(hwnd, GWL_STYLE) & WS_VSCROLL, 0);
    scroll_state v = read_scroll(hwnd, SB_VERT);
    ASSERT_TRUE(v.present);
    EXPECT_EQ(v.min, 0);
    EXPECT_EQ(v.max, 74);
    EXPECT_EQ(v.pos, 0);
    image shown = capture_client(hwnd);
    EXPECT_EQ(differing(shown, reference(shown.width, shown.height, 0, 0), L"dravik2-top"), 0);
}

TEST(dravik2, line_up_at_the_top_neither_moves_nor_repaints) {
    app a;
    HWND hwnd = launch(a, L"dravik2");
    ASSERT_NE(hwnd, nullptr);
    start_text_log(hwnd);
    scroll(hwnd, WM_VSCROLL, SB_LINEUP);
    scroll(hwnd, WM_VSCROLL, SB_PAGEUP);
    EXPECT_EQ(vpos(hwnd), 0);
    EXPECT_TRUE(text_log(hwnd).empty()) << "nothing moved, so nothing is drawn";
}

TEST(dravik2, line_down_repaints_the_whole_window_one_row_higher) {
    app a;
    HWND hwnd = launch(a, L"dravik2");
    ASSERT_NE(hwnd, nullptr);
    const font_measures m = system_font_measures();
    start_text_log(hwnd);
    scroll(hwnd, WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(vpos(hwnd), 1);
    std::vector<text_call> log = text_log(hwnd);
    ASSERT_EQ(log.size(), 225u) << "every row is drawn again";
    EXPECT_EQ(log[0].text, L"SM_CXSCREEN");
    EXPECT_EQ(log[0].y, -m.cy_char);
    EXPECT_EQ(log[3].y, 0);
    EXPECT_EQ(differing_now(hwnd, 1, 0, L"dravik2-line"), 0);
}

TEST(dravik2, pages_and_the_thumb_stay_within_the_rows) {
    app a;
    HWND hwnd = launch(a, L"dravik2");
    ASSERT_NE(hwnd, nullptr);
    resize(hwnd, 640, 300);
    const int page = client_height(hwnd) / system_font_measures().cy_char;
    ASSERT_GT(page, 3);
    scroll(hwnd, WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(vpos(hwnd), page);
    scroll(hwnd, WM_VSCROLL, SB_THUMBPOSITION, 70);
    EXPECT_EQ(vpos(hwnd), 70);
    scroll(hwnd, WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(vpos(hwnd), 74) << "the last row may come to the top";
    EXPECT_EQ(differing_now(hwnd, 74, 0, L"dravik2-end"), 0);

    start_text_log(hwnd);
    scroll(hwnd, WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(vpos(hwnd), 74);
    EXPECT_TRUE(text_log(hwnd).empty());

    scroll(hwnd, WM_VSCROLL, SB_PAGEUP);
    EXPECT_EQ(vpos(hwnd), 74 - page);
    EXPECT_EQ(differing_now(hwnd, 74 - page, 0, L"dravik2-pageup"), 0);
    scroll(hwnd, WM_VSCROLL, SB_THUMBPOSITION, 0);
    EXPECT_EQ(vpos(hwnd), 0);
    // A resize keeps the position.
    scroll(hwnd, WM_VSCROLL, SB_LINEDOWN);
    resize(hwnd, 600, 400);
    EXPECT_EQ(vpos(hwnd), 1);
    EXPECT_EQ(differing_now(hwnd, 1, 0, L"dravik2-resized"), 0);
}
