// sketch: lines drawn with the real mouse, black with the left button and white with the right,
// kept in a shadow bitmap that restores them after covering, shrinking and growing, including
// the parts drawn while the mouse was outside the window.
#include "harness/grids.h"
#include "harness/harness.h"
#include "harness/ink.h"
#include "harness/ink_near.h"
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
    int bad = ink_mismatch_near(shown, ref); // each point within a pixel of where it was aimed
    EXPECT_EQ(bad, 0) << what;
    if (bad) save_pair(shown, ref, L"sketch");
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
    app a;
    buttons_released guard;
    HWND hwnd = launch(a, L"sketch");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Sketch");
    EXPECT_TRUE(GetWindowLongW(hwnd, GWL_STYLE) & WS_CLIPCHILDREN);
    SetWindowPos(hwnd, nullptr, 60, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    set_client_size(hwnd, client_w, client_h);
    park_cursor();
    std::vector<segment> lines;

    // The left button draws black lines from point to point.
    const POINT path[] = {{30, 30}, {150, 60}, {250, 200}, {80, 250}};
    mouse_down(hwnd, path[0], button::left);
    for (int i = 1; i < 4; i++) {
        mouse_move_to(hwnd, path[i]);
        lines.push_back({path[i - 1], path[i], true});
    }
    mouse_up(hwnd, path[3], button::left);
    expect_lines(capture_client(hwnd), lines, "black lines");

    // The right button draws white over them.
    mouse_drag(hwnd, path[0], path[1], button::right, 1);
    lines.push_back({path[0], path[1], false});
    expect_lines(capture_client(hwnd), lines, "erased with the right button");

    // Both buttons: the left one wins while down; after it goes up the right one goes on drawing,
    // and the capture stays, so the line is drawn outside the window too.
    mouse_down(hwnd, {300, 50}, button::left);
    mouse_down(hwnd, {300, 50}, button::right);
    mouse_move_to(hwnd, {300, 120});
    lines.push_back({{300, 50}, {300, 120}, true});
    mouse_up(hwnd, {300, 120}, button::left);
    mouse_move_to(hwnd, {470, 120});
    mouse_move_to(hwnd, {350, 200});
    mouse_up(hwnd, {350, 200}, button::right);
    lines.push_back({{300, 120}, {470, 120}, false});
    lines.push_back({{470, 120}, {350, 200}, false});
    mouse_move_to(hwnd, {360, 280}); // no button: nothing drawn
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
    app a;
    buttons_released guard;
    HWND hwnd = launch(a, L"sketch");
    ASSERT_NE(hwnd, nullptr);
    set_client_size(hwnd, client_w, client_h);
    park_cursor();
    const int before = gdi_net(hwnd);
    mouse_down(hwnd, {50, 200}, button::left);
    mouse_move_to(hwnd, {150, 280});
    EXPECT_EQ(probe(hwnd, PROBE_RELEASE_CAPTURE), L"1");
    mouse_move_to(hwnd, {250, 200});
    mouse_move_to(hwnd, {300, 100});
    mouse_up(hwnd, {300, 100}, button::left);
    mouse_move_to(hwnd, {350, 50});
    expect_lines(capture_client(hwnd), {{{50, 200}, {150, 280}, true}}, "only the first line");
    EXPECT_EQ(gdi_net(hwnd), before) << "drawing makes no objects it keeps";
}
