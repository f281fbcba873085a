// Small steps and checks that many end-to-end tests share: a click in the middle of a control,
// pictures compared pixel by pixel, a menu item's greying, a program closed and its exit code.
#pragma once

#include "harness/harness.h"

#include <cstdlib>
#include <string>

namespace harness {

// A click (button down and up, posted) in the middle of the control.
void click(HWND control);

// Pixels in which the two pictures differ; -1 when their sizes differ.
int differing_pixels(const image& a, const image& b);

// Whether `item` of the window's menu is grey as the user sees it on opening pop-up `popup`
// (fails the test when there is no such item).
bool is_grey(HWND hwnd, const wchar_t* item, int popup = 0);

// The program ends by itself with exit code 0 (within ten seconds).
void expect_exits_with_0(app& a);
// Closing the window (WM_CLOSE, posted) ends the program with exit code 0.
void expect_closes_with_0(app& a, HWND hwnd);

// The cursor the user sees over the window while the mouse rests there, read inside the program:
// the shape its thread set last and the display count, "arrow 0" for the arrow shown as a mouse
// shows it (the shapes in probe.h, PROBE_CURSOR).
std::wstring cursor_at_rest(HWND hwnd);
// The program's SetCursor and ShowCursor calls since the previous call for it (the first starts
// watching and gives ""), one word each: "wait show hide arrow".
std::wstring cursor_calls(HWND hwnd);

// The hourglass showed while the program worked and the arrow is back, shown, once it is done:
// the program's cursor calls since the last look were `calls` (the order of its arrow and its
// hiding differs between programs), and the cursor at rest is the arrow.
void expect_hourglass_then_arrow(HWND hwnd, const wchar_t* calls = L"wait show arrow hide");

// Pixels of the window's own scroll bar (SB_VERT or SB_HORZ), or of the scroll-bar control hwnd
// (SB_CTL), that change when it is painted afresh: 0 when the bar on the screen shows its
// position, which a bar moved without being redrawn does not.
int stale_scroll_bar_pixels(HWND hwnd, int bar);

// The screen's palette size: 256 on the 8-bit screen of ./test's palette environment, 0 elsewhere.
int screen_palette_size();

} // namespace harness

// In a test for a 256-colour screen: skips it on a screen without a palette, and fails it when the
// test was given the palette environment and still has none.
#define REQUIRE_256_COLOUR_SCREEN()                                                                \
    do {                                                                                           \
        if (harness::screen_palette_size() != 256) {                                               \
            if (std::getenv("CTEST_RESOURCE_GROUP_0_PALETTE"))                                     \
                FAIL() << "the palette environment has no 256-colour palette";                     \
            GTEST_SKIP() << "the display has no 256-colour palette";                               \
        }                                                                                          \
    } while (0)

namespace harness {} // namespace harness
