// The message-timer flip: blue before the first tick, red after it, blue after the second, a beep
// at each; the window shows its current colour again when it is repainted; and a brush made for
// each paint is deleted again. Ticks are given by the test, so each state is seen for sure.
#include "harness/checks.h"
#include "harness/harness.h"
#include "harness/patches.h"
#include "harness/timers.h"

using namespace harness;

namespace {

const uint32_t blue = 0x0000FF, red = 0xFF0000;

TEST(dunwick1, flips_between_blue_and_red_at_each_tick_with_a_beep) {
    held_timers timers;
    ASSERT_TRUE(timers.ok());
    app a;
    HWND hwnd = launch(a, L"dunwick1");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_TRUE(runs_timer(hwnd, 1, 1000));
    EXPECT_EQ(text_of(hwnd), L"Dunwick1 Timer Demo");
    EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE) & WS_OVERLAPPEDWINDOW, LONG(WS_OVERLAPPEDWINDOW));
    resize_client(hwnd, 300, 200);
    EXPECT_TRUE(filled_with(capture_client(hwnd), blue)) << "before the first tick";
    EXPECT_EQ(beeps(hwnd), 0);
    EXPECT_EQ(gdi_net(hwnd), 0);

    const struct {
        uint32_t colour;
        int beeps;
    } after_tick[] = {{red, 1}, {blue, 2}, {red, 3}};
    const int painted = paints(hwnd);
    for (const auto& t : after_tick) {
        ASSERT_TRUE(tick(hwnd));
        EXPECT_TRUE(filled_with(capture_client(hwnd), t.colour)) << "after beep " << t.beeps;
        EXPECT_EQ(beeps(hwnd), t.beeps);
    }
    // One paint per tick: each paint validates what it painted, so none repeats.
    EXPECT_EQ(paints(hwnd), painted + 3);

    // Repainted between ticks (a resize invalidates the whole window; Wine keeps the pixels of a
    // covered window, so uncovering would repaint nothing): filled whole in the current colour.
    resize_client(hwnd, 420, 260);
    EXPECT_TRUE(filled_with(capture_client(hwnd), red)) << "after growing";
    resize_client(hwnd, 200, 150);
    EXPECT_TRUE(filled_with(capture_client(hwnd), red)) << "after shrinking";

    ASSERT_TRUE(tick(hwnd, 20));
    EXPECT_TRUE(filled_with(capture_client(hwnd), red)) << "after 20 more ticks";
    EXPECT_EQ(gdi_net(hwnd), 0) << "a brush per paint, each deleted";

    EXPECT_EQ(beep_types(hwnd), std::vector<unsigned>(23, 0xFFFFFFFF)) << "the simple beep";
    EXPECT_EQ(close_killing_timers(hwnd), L"1\n");
    expect_exits_with_0(a);
}

} // namespace
