// The sine wave as a user sees it: one period over the axis, starting on it at the left edge,
// crossing it at half the width and reaching the top and the bottom of the client area at a
// quarter and three quarters; point for point where the formula puts it.
#include "drawing_support.h"

#include <math.h>
#include <stdlib.h>

using namespace drawing;

namespace {

image wave(int w, int h) {
    return render(w, h, [&](HDC dc) {
        MoveToEx(dc, 0, h / 2, nullptr);
        LineTo(dc, w, h / 2);
        POINT p[1000];
        for (int i = 0; i < 1000; i++)
            p[i] = POINT{LONG(i * w / 1000.0), LONG(h / 2.0 * (1 - sin(6.28318 * i / 1000.0)))};
        Polyline(dc, p, 1000);
    });
}

// Columns where the curve has ink more than a pixel above or below the axis.
bool ink_above(const image& img, int x) {
    for (int y = 0; y < img.height / 2 - 1; y++)
        if (is_dark(img.at(x, y))) return true;
    return false;
}
bool ink_below(const image& img, int x) {
    for (int y = img.height / 2 + 2; y < img.height; y++)
        if (is_dark(img.at(x, y))) return true;
    return false;
}

TEST(wembrow, one_period_of_the_sine_over_the_axis) {
    app a;
    HWND hwnd = launch(a, L"wembrow");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Sine Wave Using Polyline");
    for (SIZE s : {SIZE{640, 400}, SIZE{333, 501}, SIZE{1000, 120}}) {
        resize_client(hwnd, s.cx, s.cy);
        const image shown = capture_client(hwnd);
        const int w = shown.width, h = shown.height;
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        ASSERT_GT(w, 8);
        ASSERT_GT(h, 8);
        expect_same_picture(shown, wave(w, h), L"wembrow");
        // On the axis at the left edge, rising from it.
        EXPECT_TRUE(is_dark(shown.at(0, h / 2 - 1)) || is_dark(shown.at(1, h / 2 - 1)));
        EXPECT_FALSE(ink_below(shown, 0));
        // Crossing it downwards at half the width: above it before, below it after, and within a
        // pixel of it at half the width.
        for (int x = w / 4 + 1; x <= w / 2 - 2; x++)
            ASSERT_FALSE(ink_below(shown, x)) << "below the axis at " << x;
        for (int x = w / 2 + 2; x < 3 * w / 4; x++)
            ASSERT_FALSE(ink_above(shown, x)) << "above the axis at " << x;
        bool near_axis = false;
        for (int x = w / 2 - 1; x <= w / 2 + 1; x++)
            near_axis |= is_dark(shown.at(x, h / 2 - 1)) || is_dark(shown.at(x, h / 2 + 1));
        EXPECT_TRUE(near_axis) << "not on the axis at half the width";
        EXPECT_TRUE(ink_above(shown, w / 2 - w / 10));
        EXPECT_TRUE(ink_below(shown, w / 2 + w / 10));
        // The top at a quarter, the bottom at three quarters.
        const RECT ink = bounds(shown, is_dark);
        EXPECT_EQ(ink.top, 0);
        EXPECT_GE(ink.bottom, h - 1);
        EXPECT_TRUE(is_dark(shown.at(w / 4, 0)) || is_dark(shown.at(w / 4 + 1, 0)));
        EXPECT_TRUE(is_dark(shown.at(3 * w / 4, h - 1)) || is_dark(shown.at(3 * w / 4, h - 2)));
    }
    expect_closes_with_0(a, hwnd);
}

} // namespace
