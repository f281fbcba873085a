// The two fill modes as a user sees them: the same figure in both halves, the square where the
// outline winds twice (figure square x 30-50, y 50-70) empty on the left (alternate) and gray on
// the right (winding), and the square it winds around zero times empty in both.
#include "drawing_support.h"

using namespace drawing;

namespace {

const POINT figure_points[10] = {{10, 70}, {50, 70}, {50, 10}, {90, 10}, {90, 50},
                                 {30, 50}, {30, 90}, {70, 90}, {70, 30}, {10, 30}};

image figures(int w, int h) {
    return render(w, h, [&](HDC dc) {
        SelectObject(dc, GetStockObject(GRAY_BRUSH));
        POINT p[10];
        for (int i = 0; i < 10; i++)
            p[i] = POINT{w * figure_points[i].x / 200, h * figure_points[i].y / 100};
        SetPolyFillMode(dc, ALTERNATE);
        Polygon(dc, p, 10);
        for (POINT& q : p)
            q.x += w / 2;
        SetPolyFillMode(dc, WINDING);
        Polygon(dc, p, 10);
    });
}

TEST(ploster, alternate_on_the_left_winding_on_the_right) {
    app a;
    HWND hwnd = launch(a, L"ploster");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Alternate and Winding Fill Modes");
    const uint32_t gray = 0x808080;
    for (SIZE s : {SIZE{600, 400}, SIZE{403, 611}}) {
        resize_client(hwnd, s.cx, s.cy);
        const image shown = capture_client(hwnd);
        const int w = shown.width, h = shown.height;
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        expect_same_picture(shown, figures(w, h), L"ploster");
        // Figure units to client pixels in the left half (right = false) or the right one.
        auto at = [&](int x, int y, bool right) {
            return shown.at(w * x / 200 + (right ? w / 2 : 0), h * y / 100);
        };
        const struct {
            int x, y;             // a point inside a cell of the figure
            uint32_t left, right; // what each half shows there
        } cells[] = {
            {40, 60, 0xFFFFFF, gray},     // winding number 2
            {60, 40, 0xFFFFFF, 0xFFFFFF}, // winding number 0, inside the outline's hull
            {20, 40, gray, gray},         // winding number 1
            {80, 20, gray, gray},         {5, 5, 0xFFFFFF, 0xFFFFFF}, // outside
        };
        for (const auto& c : cells) {
            EXPECT_EQ(at(c.x, c.y, false), c.left) << "left, at " << c.x << ", " << c.y;
            EXPECT_EQ(at(c.x, c.y, true), c.right) << "right, at " << c.x << ", " << c.y;
        }
    }
    expect_closes_with_0(a, hwnd);
}

} // namespace
