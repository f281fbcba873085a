#include "harness/checks.h"
#include "metrics_expect.h"

using namespace harness;
using namespace metrics_expect;

// One full paint of the program, as logged inside it.
static std::vector<text_call> full_paint(HWND hwnd) {
    start_text_log(hwnd);
    InvalidateRect(hwnd, nullptr, TRUE);
    settle(hwnd);
    return text_log(hwnd);
}

TEST(dravik1, a_full_paint_shows_label_description_and_value_in_their_columns) {
    app a;
    HWND hwnd = launch(a, L"dravik1");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Get System Metrics No. 1");
    EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), 0);
    const font_measures m = system_font_measures();

    std::vector<text_call> log = full_paint(hwnd);
    ASSERT_EQ(log.size(), 225u) << "75 rows of three texts";
    // Row 0: the screen width, read here, right-aligned to end 40 characters after the description.
    EXPECT_EQ(log[0].text, L"SM_CXSCREEN");
    EXPECT_EQ(log[0].x, 0);
    EXPECT_EQ(log[0].y, 0);
    EXPECT_EQ(log[1].text, L"Screen width in pixels");
    EXPECT_EQ(log[1].x, 22 * m.cx_caps);
    EXPECT_EQ(log[2].text, number_column(GetSystemMetrics(SM_CXSCREEN), 5));
    EXPECT_EQ(log[2].x, 22 * m.cx_caps + 40 * m.cx_char);
    EXPECT_EQ(log[2].align, UINT(TA_RIGHT | TA_TOP));
    EXPECT_EQ(log[0].align, UINT(TA_LEFT | TA_TOP));
    // Row 1 one line lower; the last row at line 74.
    EXPECT_EQ(log[3].text, L"SM_CYSCREEN");
    EXPECT_EQ(log[3].y, m.cy_char);
    EXPECT_EQ(log[5].text, number_column(GetSystemMetrics(SM_CYSCREEN), 5));
    EXPECT_EQ(log[222].text, L"SM_SAMEDISPLAYFORMAT");
    EXPECT_EQ(log[223].text, L"Same color format flag");
    EXPECT_EQ(log[222].y, 74 * m.cy_char);

    // On screen, pixel for pixel, with the values read here.
    image shown = capture_client(hwnd);
    ASSERT_GT(shown.height, 5 * m.cy_char);
    image want = reference(shown.width, shown.height, 0, 0);
    EXPECT_EQ(differing(shown, want, L"dravik1"), 0);
    RECT ink = bounds(shown, is_dark);
    EXPECT_EQ(ink.left, bounds(want, is_dark).left);
}

TEST(dravik1, a_full_paint_shows_every_row_with_its_own_value) {
    app a;
    HWND hwnd = launch(a, L"dravik1");
    ASSERT_NE(hwnd, nullptr);
    std::vector<text_call> log = full_paint(hwnd);
    ASSERT_EQ(log.size(), 225u);

    const font_measures m = system_font_measures();
    for (size_t i = 0; i < 75; i++) {
        EXPECT_EQ(log[3 * i].text, rows[i].label) << "row " << i;
        EXPECT_EQ(log[3 * i + 1].text, rows[i].description) << "row " << i;
        EXPECT_EQ(log[3 * i + 2].text, value_text(rows[i].index)) << "row " << i;
        EXPECT_EQ(log[3 * i].y, m.cy_char * int(i)) << "row " << i;
    }
}

TEST(dravik1, closing_exits_with_code_0) {
    app a;
    HWND hwnd = launch(a, L"dravik1");
    ASSERT_NE(hwnd, nullptr);
    expect_closes_with_0(a, hwnd);
}
