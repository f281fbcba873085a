// Driving the dialog and control programs: about boxes opened from a menu command, controls
// located inside a captured picture, and colours compared as the screen shows them.
#pragma once

#include "harness/harness.h"
#include "harness/ink.h"

namespace harness {

// Posts the menu command to the main window and waits for the dialog it opens (null on timeout).
HWND open_dialog(app& a, HWND main, int command);
// True once `hwnd` no longer exists.
bool wait_gone(HWND hwnd, DWORD timeout_ms = 5000);
// `inner`'s window rectangle in client coordinates of `outer` (the coordinates of a capture of
// `outer`).
RECT rect_in(HWND outer, HWND inner);
// How many pixels inside r have exactly this colour.
int count_px(const image& img, RECT r, uint32_t px);
// The first control child of `parent` with this class (case-insensitive), or null.
HWND child_of_class(HWND parent, const wchar_t* class_name);
// Whether the radio button or check box `id` of `dialog` is checked (read across processes).
bool is_checked(HWND dialog, int id);

} // namespace harness
