// The Bezier spline as a user sees it: the curve with its two tangents drawn for the control points
// the buttons have moved. The left button drags the first inner point, the right one the second,
// both buttons both; a move without a button changes nothing, and a new size puts every point
// back in its place. Each move must show at once (it draws without a repaint).
#include "drawing_support.h"
#include "harness/patches.h"

using namespace drawing;

namespace {

struct curve_points {
    POINT p[4];
};

curve_points defaults(int w, int h) {
    return {{{w / 4, h / 2}, {w / 2, h / 4}, {w / 2, 3 * h / 4}, {3 * w / 4, h / 2}}};
}

image curve(int w, int h, const curve_points& c, COLORREF window = RGB(255, 255, 255)) {
    return render(w, h, [&](HDC dc) {
        HBRUSH brush = CreateSolidBrush(window);
        const RECT all{0, 0, w, h};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
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

// The window colour as the user set it: Wine reads the colours from the user's settings when a
// program starts, so programs started while this lives see it. The previous value comes back.
class window_colour {
public:
    explicit window_colour(COLORREF c) {
        had_ = RegGetValueW(HKEY_CURRENT_USER, key, L"Window", RRF_RT_REG_SZ, nullptr, old_,
                            &size_) == ERROR_SUCCESS;
        const std::wstring v = std::to_wstring(GetRValue(c)) + L" " +
                               std::to_wstring(GetGValue(c)) + L" " + std::to_wstring(GetBValue(c));
        RegSetKeyValueW(HKEY_CURRENT_USER, key, L"Window", REG_SZ, v.c_str(),
                        DWORD((v.size() + 1) * sizeof(wchar_t)));
    }
    ~window_colour() {
        if (had_)
            RegSetKeyValueW(HKEY_CURRENT_USER, key, L"Window", REG_SZ, old_, size_);
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, key, L"Window");
    }

private:
    static constexpr const wchar_t* key = L"Control Panel\\Colors";
    wchar_t old_[64] = L"";
    DWORD size_ = sizeof old_;
    bool had_ = false;
};

// On a window colour other than white, every move leaves a white trail where the old curve was
// (it is erased with the white pen). Covering part of the window and uncovering it repaints the
// whole window: the trails are gone and only the curve where the buttons left it remains.
TEST(trondel, repaint_wipes_the_trails_of_a_coloured_window) {
    const COLORREF pale_blue = RGB(200, 220, 255);
    window_colour colour(pale_blue);
    app a;
    HWND hwnd = launch(a, L"trondel");
    ASSERT_NE(hwnd, nullptr);
    resize_client(hwnd, 500, 500);
    const POINT moves[] = {{60, 420}, {120, 80}, {400, 300}, {250, 450}};
    for (const POINT& at : moves)
        PostMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(at.x, at.y));
    drain(hwnd);
    // The corner a window covered and uncovered is invalid again. (Wine keeps the pixels of a
    // covered window and asks for no repaint, so the test asks for it as Windows would.)
    const RECT client = client_rect(hwnd);
    {
        colour_patch cover(RECT{client.left, client.top, client.left + 100, client.top + 100},
                           RGB(0, 128, 0));
    }
    const RECT corner{0, 0, 100, 100};
    InvalidateRect(hwnd, &corner, TRUE);
    const image shown = capture_client(hwnd);
    curve_points want = defaults(shown.width, shown.height);
    want.p[1] = want.p[2] = moves[3];
    expect_same_picture(shown, curve(shown.width, shown.height, want, pale_blue), L"trondel");
}

} // namespace
