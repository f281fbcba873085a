#include "harness/checks.h"
#include "metrics_scroll.h"
#include "harness/probe.h"

using namespace harness;
using namespace metrics_expect;

namespace {

void wheel(HWND hwnd, int delta) {
    RECT r = client_rect(hwnd);
    PostMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(short(delta))),
                 MAKELPARAM(r.left + 20, r.top + 20));
    settle(hwnd);
}

// Changes the program's wheel setting (lines per notch; WHEEL_PAGESCROLL for a page) and then
// announces the change as the system does after a control panel change. The setting is made inside
// the program's process: Wine keeps each process's system parameters apart.
void set_wheel_lines(HWND hwnd, UINT lines, bool announce = true) {
    const int query = lines == 0   ? PROBE_WHEEL_LINES_0
                      : lines == 1 ? PROBE_WHEEL_LINES_1
                      : lines == 3 ? PROBE_WHEEL_LINES_3
                                   : PROBE_WHEEL_PAGE;
    ASSERT_EQ(probe(hwnd, query), L"1");
    if (announce) {
        DWORD_PTR r;
        SendMessageTimeoutW(hwnd, WM_SETTINGCHANGE, SPI_SETWHEELSCROLLLINES, 0, SMTO_ABORTIFHUNG,
                            5000, &r);
    }
    settle(hwnd);
}

// Wine keeps a setting made without storing it in a volatile key that later processes read too:
// the usual 3 lines are put back before the program ends, whatever the test's outcome.
struct wheel_restorer {
    HWND hwnd;
    ~wheel_restorer() {
        if (hwnd) probe(hwnd, PROBE_WHEEL_LINES_3);
    }
};

} // namespace

TEST(dravik, wheel_turns_smaller_than_a_line_add_up) {
    app a;
    HWND hwnd = launch(a, L"dravik");
    ASSERT_NE(hwnd, nullptr);
    wheel_restorer restore{hwnd};
    set_wheel_lines(hwnd, 3); // 40 wheel units a line
    EXPECT_EQ(text_of(hwnd), L"Get System Metrics");
    resize(hwnd, 600, 320);
    const font_measures m = system_font_measures();
    post_key(hwnd, VK_DOWN, 10);
    settle(hwnd);
    ASSERT_EQ(vpos(hwnd), 10);

    wheel(hwnd, 30);
    EXPECT_EQ(vpos(hwnd), 10) << "30 units are less than a line";
    wheel(hwnd, 30);
    EXPECT_EQ(vpos(hwnd), 9) << "60 units make one line up, 20 are kept";
    EXPECT_EQ(differing_now(hwnd, 9, m.cx_char, L"dravik-wheel"), 0);
    wheel(hwnd, 20);
    EXPECT_EQ(vpos(hwnd), 8) << "the 20 kept and 20 more make a line";
    wheel(hwnd, 120);
    EXPECT_EQ(vpos(hwnd), 5) << "a notch is three lines";
    wheel(hwnd, -120);
    EXPECT_EQ(vpos(hwnd), 8) << "towards the user scrolls down";
    wheel(hwnd, -30);
    EXPECT_EQ(vpos(hwnd), 8);
    wheel(hwnd, -10);
    EXPECT_EQ(vpos(hwnd), 9);
    EXPECT_EQ(differing_now(hwnd, 9, m.cx_char, L"dravik-wheel-down"), 0);
}

TEST(dravik, wheel_follows_a_changed_setting) {
    app a;
    HWND hwnd = launch(a, L"dravik");
    ASSERT_NE(hwnd, nullptr);
    wheel_restorer restore{hwnd};
    set_wheel_lines(hwnd, 3);
    resize(hwnd, 600, 320);
    post_key(hwnd, VK_DOWN, 20);
    settle(hwnd);
    ASSERT_EQ(vpos(hwnd), 20);

    // Changed but not yet announced: the program still counts 40 units a line.
    set_wheel_lines(hwnd, 1, false);
    wheel(hwnd, 40);
    EXPECT_EQ(vpos(hwnd), 19);
    wheel(hwnd, -40);
    EXPECT_EQ(vpos(hwnd), 20);

    set_wheel_lines(hwnd, 1); // announced: a whole notch per line now
    wheel(hwnd, 60);
    EXPECT_EQ(vpos(hwnd), 20);
    wheel(hwnd, 60);
    EXPECT_EQ(vpos(hwnd), 19);
    wheel(hwnd, -120);
    EXPECT_EQ(vpos(hwnd), 20);

    set_wheel_lines(hwnd, 0); // the wheel does not scroll
    start_text_log(hwnd);
    wheel(hwnd, 120);
    wheel(hwnd, -240);
    EXPECT_EQ(vpos(hwnd), 20);
    EXPECT_TRUE(text_log(hwnd).empty());

    // The page-scroll setting (all bits set) is not a number of lines: the wheel stays still and
    // the program keeps answering.
    set_wheel_lines(hwnd, WHEEL_PAGESCROLL);
    wheel(hwnd, 120);
    EXPECT_EQ(vpos(hwnd), 20);
    post_key(hwnd, VK_UP);
    settle(hwnd);
    EXPECT_EQ(vpos(hwnd), 19);
}

TEST(dravik, keys_and_bars_scroll_as_in_the_earlier_viewers) {
    app a;
    HWND hwnd = launch(a, L"dravik");
    ASSERT_NE(hwnd, nullptr);
    resize(hwnd, 220, 320);
    const font_measures m = system_font_measures();
    const scroll_state h = read_scroll(hwnd, SB_HORZ);
    post_key(hwnd, VK_RIGHT);
    post_key(hwnd, VK_END);
    settle(hwnd);
    const int page = read_scroll(hwnd, SB_VERT).page;
    EXPECT_EQ(vpos(hwnd), 75 - page);
    EXPECT_EQ(hpos(hwnd), h.page);
    EXPECT_EQ(differing_now(hwnd, 75 - page, m.cx_char * (1 - h.page), L"dravik-end"), 0);
    scroll(hwnd, WM_VSCROLL, SB_TOP);
    scroll(hwnd, WM_HSCROLL, SB_PAGELEFT);
    EXPECT_EQ(vpos(hwnd), 0);
    EXPECT_EQ(hpos(hwnd), 0);
    expect_closes_with_0(a, hwnd);
}
