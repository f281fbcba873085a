// The colour under the cursor: a fixed-size window twelve average characters wide and two lines
// tall; "  00 00 00" until the first tick; then, tick by tick, the colour of a patch of the test's
// own under the cursor, drawn exactly as DrawTextW centres it on a cleared client area (so a
// narrower text leaves nothing of a wider one); a repaint only when the colour changed; and when
// reading the cursor or the pixel fails, the last colour stays.
#include "harness/checks.h"
#include "harness/harness.h"
#include "harness/patches.h"
#include "harness/probe.h"
#include "harness/timers.h"

#include <algorithm>

using namespace harness;

namespace {

TEXTMETRICW display_metrics() {
    TEXTMETRICW tm{};
    HDC ic = CreateICW(L"DISPLAY", nullptr, nullptr, nullptr);
    GetTextMetricsW(ic, &tm);
    DeleteDC(ic);
    return tm;
}

// The window as it should look showing `text`.
image showing(int w, int h, const wchar_t* text) {
    return render(w, h, [&](HDC dc) {
        RECT r{0, 0, w, h};
        FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        DrawTextW(dc, text, -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    });
}

void expect_text(HWND hwnd, const wchar_t* text) {
    const image shown = capture_client(hwnd);
    const image want = showing(shown.width, shown.height, text);
    const int differing = differing_pixels(shown, want);
    EXPECT_EQ(differing, 0) << "not showing \"" << testing::PrintToString(std::wstring(text))
                            << "\"";
    if (differing) save_bmp(shown, L"boskin-shown.bmp");
}

TEST(boskin, shows_the_colour_under_the_cursor_and_repaints_only_on_change) {
    held_timers timers;
    ASSERT_TRUE(timers.ok());
    app a;
    HWND hwnd = launch(a, L"boskin");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"What Color");
    EXPECT_TRUE(runs_timer(hwnd, 1, 100));

    // Fixed size, no sizing frame or maximise box.
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX), 0);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), LONG(WS_CAPTION | WS_SYSMENU));
    const TEXTMETRICW tm = display_metrics();
    RECT outer;
    GetWindowRect(hwnd, &outer);
    // The platform widens a captioned window to its minimum tracking size.
    EXPECT_EQ(outer.right - outer.left,
              std::max<LONG>(2 * GetSystemMetrics(SM_CXBORDER) + 12 * tm.tmAveCharWidth,
                             GetSystemMetrics(SM_CXMINTRACK)));
    EXPECT_EQ(outer.bottom - outer.top,
              std::max<LONG>(2 * GetSystemMetrics(SM_CYBORDER) + GetSystemMetrics(SM_CYCAPTION) +
                                 2 * tm.tmHeight,
                             GetSystemMetrics(SM_CYMINTRACK)));

    expect_text(hwnd, L"  00 00 00");
    EXPECT_EQ(gdi_net(hwnd), 0);

    // A patch of the test's own, well away from the window, under the cursor.
    const RECT client = client_rect(hwnd);
    const int left = client.right + 40 < 900 ? client.right + 40 : 40;
    colour_patch patch(RECT{left, 500, left + 60, 560}, RGB(0x12, 0x34, 0x56));
    ASSERT_TRUE(SetCursorPos(patch.centre().x, patch.centre().y));

    const struct {
        COLORREF colour;
        const wchar_t* text;
    } steps[] = {
        {RGB(0x12, 0x34, 0x56), L"  12 34 56"}, {RGB(0xDB, 0xEC, 0xAD), L"  DB EC AD"},
        {RGB(0x11, 0x11, 0x11), L"  11 11 11"}, {RGB(0xFF, 0xFF, 0xFF), L"  FF FF FF"},
        {RGB(0, 0, 0), L"  00 00 00"},
    };
    for (const auto& s : steps) {
        patch.set(s.colour);
        const int painted = paints(hwnd);
        ASSERT_TRUE(tick(hwnd));
        expect_text(hwnd, s.text);
        EXPECT_EQ(paints(hwnd), painted + 1) << "one paint for a new colour";
        // The same colour again: nothing to repaint.
        ASSERT_TRUE(tick(hwnd, 3));
        EXPECT_EQ(paints(hwnd), painted + 1) << "no paint while the colour stays";
    }

    // Failed reads keep the colour shown; once they work again the new colour comes.
    patch.set(RGB(0x12, 0x34, 0x56));
    ASSERT_TRUE(tick(hwnd));
    expect_text(hwnd, L"  12 34 56");
    patch.set(RGB(0xA0, 0xB0, 0xC0));
    for (int fault : {PROBE_FAIL_GET_PIXEL, PROBE_FAIL_CURSOR_POS}) {
        EXPECT_EQ(probe(hwnd, fault), L"1");
        const int painted = paints(hwnd);
        ASSERT_TRUE(tick(hwnd));
        expect_text(hwnd, L"  12 34 56");
        EXPECT_EQ(paints(hwnd), painted);
    }
    EXPECT_EQ(probe(hwnd, PROBE_READS_WORK), L"1");
    ASSERT_TRUE(tick(hwnd));
    expect_text(hwnd, L"  A0 B0 C0");
    EXPECT_EQ(gdi_net(hwnd), 0);

    // A change of display mode makes the display context again, without a leak.
    SendMessageTimeoutW(hwnd, WM_DISPLAYCHANGE, 24, MAKELPARAM(1024, 768), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    patch.set(RGB(0x01, 0x02, 0x03));
    ASSERT_TRUE(tick(hwnd));
    expect_text(hwnd, L"  01 02 03");
    EXPECT_EQ(gdi_net(hwnd), 0);

    EXPECT_EQ(close_killing_timers(hwnd), L"1\n");
    expect_exits_with_0(a);
}

} // namespace
