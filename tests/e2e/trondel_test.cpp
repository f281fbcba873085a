// The Bezier spline as a user sees it: the curve with its two tangents drawn for the control points
// the buttons have moved. The left button drags the first inner point, the right one the second,
// both buttons both; a move without a button changes nothing, and a new size puts every point
// back in its place. Each move must show at once (it draws without a repaint).
#include "drawing_support.h"

using namespace drawing;

namespace {

struct curve_points {
    POINT p[4];
};

curve_points defaults(int w, int h) {
    return {{{w / 4, h / 2}, {w / 2, h / 4}, {w / 2, 3 * h / 4}, {3 * w / 4, h / 2}}};
}

image curve(int w, int h, const curve_points& c) {
    return render(w, h, [&](HDC dc) {
        PolyBezier(dc, c.p, 4);
        MoveToEx(dc, c.p[0].x, c.p[0].y, nullptr);
        LineTo(dc, c.p[1].x, c.p[1].y);
        MoveToEx(dc, c.p[2].x, c.p[2].y, nullptr);
        LineTo(dc, c.p[3].x, c.p[3].y);
    });
}

TEST(trondel, control_points_follow_the_buttons_held) {
    app a;
    HWND hwnd = launch(a, L"trondel");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Trondel Splines");
    resize_client(hwnd, 600, 400);
    image shown = capture_client(hwnd);
    const int w = shown.width, h = shown.height;
    curve_points want = defaults(w, h);
    expect_same_picture(shown, curve(w, h, want), L"trondel");

    const struct {
        UINT message;
        WPARAM keys;
        int x, y;
        bool moves_1, moves_2;
    } steps[] = {
        {WM_MOUSEMOVE, MK_LBUTTON, 100, 60, true, false},
        {WM_MOUSEMOVE, MK_RBUTTON, 520, 350, false, true},
        {WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, 300, 40, true, true},
        {WM_MOUSEMOVE, 0, 50, 380, false, false},
        {WM_MOUSEMOVE, MK_SHIFT, 70, 300, false, false},
        {WM_LBUTTONDOWN, MK_LBUTTON, 200, 330, true, false},
        {WM_RBUTTONDOWN, MK_RBUTTON, 420, 90, false, true},
        {WM_MOUSEMOVE, MK_RBUTTON | MK_CONTROL, 580, 20, false, true},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE("keys " + std::to_string(s.keys) + " at " + std::to_string(s.x) + ", " +
                     std::to_string(s.y));
        PostMessageW(hwnd, s.message, s.keys, MAKELPARAM(s.x, s.y));
        if (s.moves_1) want.p[1] = POINT{s.x, s.y};
        if (s.moves_2) want.p[2] = POINT{s.x, s.y};
        expect_same_picture(capture_client(hwnd), curve(w, h, want), L"trondel");
    }

    resize_client(hwnd, 500, 300);
    shown = capture_client(hwnd);
    expect_same_picture(
        shown, curve(shown.width, shown.height, defaults(shown.width, shown.height)), L"trondel");
    expect_closes_with_0(a, hwnd);
}

// The subject is the painting itself: a repaint shows the curve where the buttons left it.
TEST(trondel, repaint_shows_the_moved_curve) {
    app a;
    HWND hwnd = launch(a, L"trondel");
    ASSERT_NE(hwnd, nullptr);
    resize_client(hwnd, 500, 500);
    PostMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(60, 420));
    const image shown = capture_repainted(hwnd);
    curve_points want = defaults(shown.width, shown.height);
    want.p[1] = want.p[2] = POINT{60, 420};
    expect_same_picture(shown, curve(shown.width, shown.height, want), L"trondel");
}

} // namespace
