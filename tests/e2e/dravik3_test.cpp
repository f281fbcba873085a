#include "metrics_scroll.h"

#include <set>

using namespace harness;
using namespace metrics_expect;

TEST(dravik3, scroll_bars_follow_the_client_size) {
    app a;
    HWND hwnd = launch(a, L"dravik3");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Get System Metrics No. 3");
    const font_measures m = system_font_measures();
    const int max_width = 40 * m.cx_char + 22 * m.cx_caps;
    for (SIZE size : {SIZE{420, 300}, SIZE{360, 520}}) {
        resize(hwnd, size.cx, size.cy);
        scroll_state v = read_scroll(hwnd, SB_VERT), h = read_scroll(hwnd, SB_HORZ);
        EXPECT_EQ(v.min, 0);
        EXPECT_EQ(v.max, 74);
        EXPECT_EQ(v.page, client_height(hwnd) / m.cy_char);
        EXPECT_EQ(h.min, 0);
        EXPECT_EQ(h.max, 2 + max_width / m.cx_char);
        EXPECT_EQ(h.page, client_width(hwnd) / m.cx_char);
    }
    // The columns start one character in from the left edge.
    EXPECT_EQ(differing_now(hwnd, 0, m.cx_char, L"dravik3-top"), 0);
    // Positions survive a resize.
    scroll(hwnd, WM_VSCROLL, SB_LINEDOWN);
    scroll(hwnd, WM_HSCROLL, SB_LINERIGHT);
    resize(hwnd, 400, 330);
    EXPECT_EQ(vpos(hwnd), 1);
    EXPECT_EQ(hpos(hwnd), 1);
    EXPECT_EQ(differing_now(hwnd, 1, 0, L"dravik3-resized"), 0);
}

TEST(dravik3, one_line_down_moves_the_picture_and_draws_only_the_uncovered_rows) {
    app a;
    HWND hwnd = launch(a, L"dravik3");
    ASSERT_NE(hwnd, nullptr);
    resize(hwnd, 600, 320);
    const font_measures m = system_font_measures();
    const int height = client_height(hwnd);
    capture_client(hwnd); // fully drawn at the top

    start_text_log(hwnd);
    scroll(hwnd, WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(vpos(hwnd), 1);
    // The strip the scroll uncovered is the last cy_char pixels; only the rows that meet it are
    // drawn.
    const int first = 1 + (height - m.cy_char) / m.cy_char, last = 1 + height / m.cy_char;
    std::set<std::wstring> want, drawn;
    for (int r = first; r <= last && r < 75; r++)
        want.insert(rows[r].label);
    std::vector<text_call> log = text_log(hwnd);
    ASSERT_FALSE(log.empty()) << "the uncovered row was not drawn";
    for (size_t i = 0; i < log.size(); i += 3)
        drawn.insert(log[i].text);
    EXPECT_EQ(drawn, want);
    EXPECT_EQ(log.size(), 3 * want.size());
    EXPECT_EQ(log[0].y, m.cy_char * (first - 1));
    // What was already there moved up by one row, and the new row is in place.
    EXPECT_EQ(differing_now(hwnd, 1, m.cx_char, L"dravik3-line"), 0);
}

TEST(dravik3, top_bottom_and_pages) {
    app a;
    HWND hwnd = launch(a, L"dravik3");
    ASSERT_NE(hwnd, nullptr);
    resize(hwnd, 600, 320);
    const int page = read_scroll(hwnd, SB_VERT).page;
    ASSERT_GT(page, 3);
    scroll(hwnd, WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(vpos(hwnd), 75 - page) << "the last page fills the window";
    EXPECT_EQ(differing_now(hwnd, 75 - page, system_font_measures().cx_char, L"dravik3-bottom"), 0);
    scroll(hwnd, WM_VSCROLL, SB_PAGEUP);
    EXPECT_EQ(vpos(hwnd), 75 - 2 * page);
    scroll(hwnd, WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(vpos(hwnd), 74 - 2 * page);
    scroll(hwnd, WM_VSCROLL, SB_TOP);
    EXPECT_EQ(vpos(hwnd), 0);
    scroll(hwnd, WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(vpos(hwnd), page);
    EXPECT_EQ(differing_now(hwnd, page, system_font_measures().cx_char, L"dravik3-page"), 0);

    // At the top, line up changes nothing and draws nothing.
    scroll(hwnd, WM_VSCROLL, SB_TOP);
    start_text_log(hwnd);
    scroll(hwnd, WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(vpos(hwnd), 0);
    EXPECT_TRUE(text_log(hwnd).empty());
}

TEST(dravik3, horizontal_scrolling_moves_by_whole_characters) {
    app a;
    HWND hwnd = launch(a, L"dravik3");
    ASSERT_NE(hwnd, nullptr);
    resize(hwnd, 360, 300);
    const font_measures m = system_font_measures();
    scroll(hwnd, WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(hpos(hwnd), 1);
    EXPECT_EQ(differing_now(hwnd, 0, 0, L"dravik3-right1"), 0);
    scroll(hwnd, WM_HSCROLL, SB_PAGERIGHT);
    const scroll_state h = read_scroll(hwnd, SB_HORZ);
    const int want = std::min(1 + h.page, h.max - h.page + 1);
    EXPECT_EQ(h.pos, want);
    EXPECT_EQ(differing_now(hwnd, 0, m.cx_char * (1 - want), L"dravik3-pageright"), 0);
    scroll(hwnd, WM_HSCROLL, SB_PAGELEFT);
    scroll(hwnd, WM_HSCROLL, SB_LINELEFT);
    scroll(hwnd, WM_HSCROLL, SB_LINELEFT);
    EXPECT_EQ(hpos(hwnd), 0);
    EXPECT_EQ(differing_now(hwnd, 0, m.cx_char, L"dravik3-left"), 0);
}

TEST(dravik3, a_window_wider_than_the_columns_does_not_scroll_sideways) {
    app a;
    HWND hwnd = launch(a, L"dravik3");
    ASSERT_NE(hwnd, nullptr);
    const font_measures m = system_font_measures();
    resize(hwnd, (2 + 40 + 22 * m.cx_caps / m.cx_char + 12) * m.cx_char, 300);
    const scroll_state h = read_scroll(hwnd, SB_HORZ);
    EXPECT_GT(h.page, h.max - h.min) << "the page covers every column";
    scroll(hwnd, WM_HSCROLL, SB_LINERIGHT);
    scroll(hwnd, WM_HSCROLL, SB_PAGERIGHT);
    EXPECT_EQ(hpos(hwnd), 0);
    EXPECT_EQ(differing_now(hwnd, 0, m.cx_char, L"dravik3-wide"), 0);
}
