// The line demonstration as a user sees it, in several window shapes down to a client area a few
// pixels high: rectangle, diagonals, ellipse and rounded rectangle exactly where they scale to.
#include "drawing_support.h"

using namespace drawing;

namespace {

image figure(int w, int h) {
    return render(w, h, [&](HDC dc) {
        Rectangle(dc, w / 8, h / 8, 7 * w / 8, 7 * h / 8);
        MoveToEx(dc, 0, 0, nullptr);
        LineTo(dc, w, h);
        MoveToEx(dc, 0, h, nullptr);
        LineTo(dc, w, 0);
        Ellipse(dc, w / 8, h / 8, 7 * w / 8, 7 * h / 8);
        RoundRect(dc, w / 4, h / 4, 3 * w / 4, 3 * h / 4, w / 4, h / 4);
    });
}

TEST(carvell, draws_the_figure_scaled_to_the_client_area) {
    app a;
    HWND hwnd = launch(a, L"carvell");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Line Demonstration");
    const SIZE sizes[] = {{640, 480}, {301, 517}, {900, 150}, {200, 6}, {150, 1}};
    for (SIZE s : sizes) {
        resize_client(hwnd, s.cx, s.cy);
        const image shown = capture_client(hwnd);
        SCOPED_TRACE(std::to_string(shown.width) + " x " + std::to_string(shown.height));
        if (shown.width == 0 || shown.height == 0) continue; // nothing left to see
        expect_same_picture(shown, figure(shown.width, shown.height), L"carvell");
        if (s.cy < 100) continue;
        // Where the ellipse leaves them: the rectangle's corners and the diagonals near the
        // window's corners; inside the rounded rectangle, white.
        const int w = shown.width, h = shown.height;
        EXPECT_TRUE(is_dark(shown.at(w / 8, h / 8)));
        EXPECT_TRUE(is_dark(shown.at(7 * w / 8 - 1, 7 * h / 8 - 1)));
        EXPECT_TRUE(is_dark(shown.at(0, 0)));
        EXPECT_TRUE(is_white(shown.at(w / 2 + 5, h / 2 - h / 40)));
    }
    expect_closes_with_0(a, hwnd);
}

} // namespace
