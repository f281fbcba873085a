// Small steps and checks that many end-to-end tests share: a click in the middle of a control,
// pictures compared pixel by pixel, a menu item's greying, a program closed and its exit code.
#pragma once

#include "harness/harness.h"

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

} // namespace harness
