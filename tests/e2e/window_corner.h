// What sandrel and stretch share as a user sees it: the client area shows the window's own
// top-left corner (the frame around the system-menu icon, the top of the frame and the caption)
// as the screen shows it, at any size, and a repaint after the window was deactivated or
// activated shows the corner as it looks then. The corner is read off the screen by the test.
#pragma once

#include "harness/checks.h"
#include "harness/bitmap_demos.h"

#include <functional>

namespace window_corner_scenarios {

using namespace harness;

// What the client area should show, given the corner and the client size.
using from_corner = std::function<image(const image& corner, int width, int height)>;

inline void expect_corner_shown(HWND hwnd, const image& shown, const from_corner& expected) {
    const image corner = window_corner(hwnd);
    // A corner of one colour would let a wrong copy pass: the icon and the frame differ.
    ASSERT_GT(bounds(corner, [&](uint32_t p) { return p != corner.px[0]; }).right, 0);
    std::string first;
    EXPECT_EQ(differing_pixels(shown, expected(corner, shown.width, shown.height), &first), 0)
        << first;
}

inline void shows_the_corner_at_any_size(const wchar_t* name, const wchar_t* caption,
                                         const from_corner& expected) {
    app a;
    HWND hwnd = launch_placed(a, name, 400, 300);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), caption);
    EXPECT_EQ(class_standard_icon(hwnd), L"information");
    EXPECT_EQ(gdi_net(hwnd), 0);
    const SIZE sizes[] = {{400, 300}, {233, 171}, {517, 333}, {150, 90}};
    for (const SIZE& s : sizes) {
        const SIZE reached = resize_client(hwnd, s.cx, s.cy);
        SCOPED_TRACE(std::to_string(reached.cx) + "x" + std::to_string(reached.cy));
        const image shown = capture_client(hwnd);
        ASSERT_EQ(shown.width, reached.cx);
        expect_corner_shown(hwnd, shown, expected);
    }
    EXPECT_EQ(gdi_net(hwnd), 0);
    expect_closes_with_0(a, hwnd);
}

// Another program taking the focus repaints the caption, not the client area; the next full
// repaint copies the corner as it looks then. The other program sits apart, leaving the corner
// and the client area uncovered.
inline void follows_the_corner_when_repainted(const wchar_t* name, const from_corner& expected) {
    app a, other;
    HWND hwnd = launch_placed(a, name, 360, 260);
    ASSERT_NE(hwnd, nullptr);
    const image active = capture_repainted(hwnd);
    expect_corner_shown(hwnd, active, expected);
    const image active_corner = window_corner(hwnd);

    HWND second = launch_placed(other, name, 200, 120, L"", 560, 420);
    ASSERT_NE(second, nullptr);
    ASSERT_TRUE(wait_until([&] { return !(window_corner(hwnd) == active_corner); }))
        << "the corner looks the same inactive";
    const image inactive = capture_repainted(hwnd);
    expect_corner_shown(hwnd, inactive, expected);
    EXPECT_FALSE(inactive == active);

    SetForegroundWindow(hwnd);
    ASSERT_TRUE(wait_until([&] { return window_corner(hwnd) == active_corner; }));
    EXPECT_TRUE(capture_repainted(hwnd) == active);
}

} // namespace window_corner_scenarios
