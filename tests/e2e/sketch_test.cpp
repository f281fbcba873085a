// sketch: lines drawn black with the left button and white with the right, kept in a shadow bitmap
// that restores them after covering, shrinking and growing, including the parts drawn while the
// mouse was outside the window (which only the window holding the capture is told of).
//
// The mouse messages are posted with exact positions, as the window receives them: real input
// under Wine now and then reaches the program with a stale position, which draws a stray line.
// Who holds the capture is read from the system after each button.
#include "harness/grids.h"
#include "harness/harness.h"
#include "harness/ink.h"
#include "harness/input_wait.h"
#include "harness/mouse_input.h"
#include "harness/probe.h"

#include <vector>

using namespace harness;

namespace {

const int client_w = 400, client_h = 300, wide_w = 520;

struct segment {
    POINT from, to;
    bool black;
};

// The lines as the program draws them, segment by segment, over a white client area of w x h.
image expected(const std::vector<segment>& lines, int w, int h) {
    return render(w, h, [&](HDC dc) {
        for (const segment& s : lines) {
            SelectObject(dc, GetStockObject(s.black ? BLACK_PEN : WHITE_PEN));
            MoveToEx(dc, s.from.x, s.from.y, nullptr);
            LineTo(dc, s.to.x, s.to.y);
        }
    });
}

void expect_lines(const image& shown, const std::vector<segment>& lines, const char* what) {
    image ref = expected(lines, shown.width, shown.height);
    int bad = ink_mismatch(shown, ref, RECT{0, 0, shown.width, shown.height});
    EXPECT_EQ(bad, 0) << what;
    if (bad) save_pair(shown, ref, L"sketch");
}

struct mouse {
    HWND hwnd;
    WPARAM keys = 0; // the buttons held
    void post(UINT msg, POINT p) {
        PostMessageW(hwnd, msg, keys, MAKELPARAM(p.x, p.y));
        drain(hwnd);
    }
    void down(POINT p, bool left) {
        keys |= left ? MK_LBUTTON : MK_RBUTTON;
        post(left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, p);
    }
    void up(POINT p, bool left) {
        keys &= ~WPARAM(left ? MK_LBUTTON : MK_RBUTTON);
        post(left ? WM_LBUTTONUP : WM_RBUTTONUP, p);
    }
    void move(POINT p) { post(WM_MOUSEMOVE, p); }
};

HWND capture_of(HWND hwnd) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info);
    return info.hwndCapture;
}

// A window of the test's own laid over the program's and taken away again.
void cover_and_uncover(HWND hwnd) {
    RECT r = client_rect(hwnd);
    HWND cover = CreateWindowExW(WS_EX_TOPMOST, L"Static", L"",
                                 WS_POPUP | WS_VISIBLE | SS_BLACKRECT, r.left + 50, r.top + 40, 250,
                                 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(cover, nullptr);
    UpdateWindow(cover);
    settle(hwnd);
    DestroyWindow(cover);
}

} // namespace

TEST(sketch, lines_follow_both_buttons_and_survive_covering_shrinking_and_growing) {
    park_cursor();
    app a;
    HWND hwnd = launch(a, L"sketch");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Sketch");
    EXPECT_TRUE(GetWindowLongW(hwnd, GWL_STYLE) & WS_CLIPCHILDREN);
    SetWindowPos(hwnd, nullptr, 60, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    set_client_size(hwnd, client_w, client_h);
    ASSERT_TRUE(wait_input_handled(hwnd)) << "input still waiting before the first line";
    std::vector<segment> lines;

    mouse m{hwnd};

    // The left button draws black lines from point to point.
    const POINT path[] = {{30, 30}, {150, 30}, {250, 200}, {80, 250}}; // the first one level
    m.down(path[0], true);
    EXPECT_EQ(capture_of(hwnd), hwnd);
    for (int i = 1; i < 4; i++) {
        m.move(path[i]);
        lines.push_back({path[i - 1], path[i], true});
    }
    m.up(path[3], true);
    EXPECT_EQ(capture_of(hwnd), nullptr);
    expect_lines(capture_client(hwnd), lines, "black lines");

    // The right button draws white over them.
    m.down(path[0], false);
    m.move(path[1]);
    m.up(path[1], false);
    lines.push_back({path[0], path[1], false});
    expect_lines(capture_client(hwnd), lines, "erased with the right button");

    // Both buttons: the left one wins while down; after it goes up the right one goes on drawing
    // and the capture stays, so the line goes on outside the window too.
    m.down({300, 50}, true);
    m.down({300, 50}, false);
    m.move({300, 120});
    lines.push_back({{300, 50}, {300, 120}, true});
    m.up({300, 120}, true);
    EXPECT_EQ(capture_of(hwnd), hwnd) << "kept while the right button is down";
    m.move({470, 120});
    m.move({350, 200});
    m.up({350, 200}, false);
    EXPECT_EQ(capture_of(hwnd), nullptr);
    lines.push_back({{300, 120}, {470, 120}, false});
    lines.push_back({{470, 120}, {350, 200}, false});
    m.move({360, 280}); // no button: nothing drawn
    expect_lines(capture_client(hwnd), lines, "the right button after the left");

    // Covered and uncovered, the window repaints every line from the shadow.
    cover_and_uncover(hwnd);
    expect_lines(capture_client(hwnd), lines, "after covering");

    // Shrunk and grown, even wider than before: the part drawn outside the window appears.
    set_client_size(hwnd, 150, 100);
    expect_lines(capture_client(hwnd), lines, "shrunk");
    set_client_size(hwnd, wide_w, client_h);
    expect_lines(capture_client(hwnd), lines, "grown");
}

// When the capture is taken away in the middle of a stroke, the stroke ends there: moving the
// mouse afterwards draws nothing, although no button-up came.
TEST(sketch, a_lost_capture_ends_the_stroke) {
    park_cursor();
    app a;
    HWND hwnd = launch(a, L"sketch");
    ASSERT_NE(hwnd, nullptr);
    set_client_size(hwnd, client_w, client_h);
    ASSERT_TRUE(wait_input_handled(hwnd)) << "input still waiting before the stroke";
    const int before = gdi_net(hwnd);
    mouse m{hwnd};
    m.down({50, 200}, true);
    m.move({150, 280});
    EXPECT_EQ(probe(hwnd, PROBE_RELEASE_CAPTURE), L"1");
    m.move({250, 200});
    m.move({300, 100});
    m.up({300, 100}, true);
    m.move({350, 50});
    expect_lines(capture_client(hwnd), {{{50, 200}, {150, 280}, true}}, "only the first line");
    EXPECT_EQ(gdi_net(hwnd), before) << "drawing makes no objects it keeps";
}
