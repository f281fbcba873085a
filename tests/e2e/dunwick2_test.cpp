// The callback-timer flip: the window background until the first tick (the window procedure never
// paints), then red, blue, red with a beep at each; a repainted window shows the background until
// the next tick fills the whole client area again; a brush per tick, each deleted.
#include "harness/checks.h"
#include "harness/harness.h"
#include "harness/patches.h"
#include "harness/timers.h"

using namespace harness;

namespace {

const uint32_t blue = 0x0000FF, red = 0xFF0000;

uint32_t window_background() {
    const COLORREF c = GetSysColor(COLOR_WINDOW);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

TEST(dunwick2, callback_ticks_flip_the_colour_and_nothing_else_paints) {
    held_timers timers;
    ASSERT_TRUE(timers.ok());
    app a;
    HWND hwnd = launch(a, L"dunwick2");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_TRUE(runs_timer(hwnd, 1, 1000));
    EXPECT_EQ(text_of(hwnd), L"Dunwick2 Timer Demo");
    resize_client(hwnd, 300, 200);
    EXPECT_TRUE(filled_with(capture_client(hwnd), window_background())) << "before the first tick";
    EXPECT_EQ(beeps(hwnd), 0);
    EXPECT_EQ(gdi_net(hwnd), 0);

    const struct {
        uint32_t colour;
        int beeps;
    } after_tick[] = {{red, 1}, {blue, 2}, {red, 3}};
    for (const auto& t : after_tick) {
        ASSERT_TRUE(tick(hwnd));
        EXPECT_TRUE(filled_with(capture_client(hwnd), t.colour)) << "after beep " << t.beeps;
        EXPECT_EQ(beeps(hwnd), t.beeps);
    }

    // Repainted between ticks (a resize invalidates the whole window; Wine keeps the pixels of a
    // covered window, so uncovering would repaint nothing): the background shows until the next
    // tick.
    resize_client(hwnd, 420, 260);
    EXPECT_TRUE(filled_with(capture_client(hwnd), window_background())) << "after growing";
    ASSERT_TRUE(tick(hwnd));
    EXPECT_TRUE(filled_with(capture_client(hwnd), blue)) << "at the next tick";

    ASSERT_TRUE(tick(hwnd, 20));
    EXPECT_TRUE(filled_with(capture_client(hwnd), blue)) << "after 20 more ticks";
    EXPECT_EQ(beeps(hwnd), 24);
    EXPECT_EQ(gdi_net(hwnd), 0) << "a brush per tick, each deleted";

    EXPECT_EQ(beep_types(hwnd), std::vector<unsigned>(24, 0xFFFFFFFF)) << "the simple beep";
    EXPECT_EQ(close_killing_timers(hwnd), L"1\n");
    expect_exits_with_0(a);
}

} // namespace
