// Reading and driving the hit-testing grids: a client area drawn as 5 x 5 cells, each an outlined
// white rectangle that may carry an X (both diagonals) and, in the keyboard version with child
// windows, a dashed focus rectangle inset by a tenth.
#pragma once

#include "harness/harness.h"
#include <string>

namespace harness {

// A grid's marks as text: five rows top to bottom separated by '/', five cells each from the left:
// '.' empty, 'X' marked, 'o' empty with the focus rectangle, 'x' marked with it, '?' anything else.
// "X..../...../...../...../....o" has the top-left cell marked and the focus in the bottom-right.
using grid_marks = std::string;
grid_marks empty_grid();
grid_marks with_cell(grid_marks marks, int x, int y, char c);

// What the program should show over a client area of w x h: the cells as the marks say, the
// strip right of and below them in the window colour. `children`: each cell drawn in a window of
// its own (clipped to it), as opposed to all in the main window's client area.
image grid_picture(int w, int h, const grid_marks& marks, bool children);

// What `hwnd` shows, repainted from the program's state first (children included). Each cell is
// compared pixel for pixel with every kind of cell; when all cells are recognised, the whole client
// area must also equal grid_picture of them, or " stray pixels" is appended.
grid_marks read_grid(HWND hwnd, bool children);
// Waits (bounded) until read_grid gives `want`; returns what it gave last. With marks_only, where
// the focus rectangle is does not count ('o' reads as '.', 'x' as 'X').
grid_marks wait_grid(HWND hwnd, bool children, const grid_marks& want, bool marks_only = false);

// The client area set to exactly w x h.
void set_client_size(HWND hwnd, int w, int h);
// A real click of the left button at a client point: the cursor moves there, the button goes
// down and up (SendInput), so the system's own hit-testing picks the window that gets it.
void mouse_click(HWND hwnd, int x, int y);

// Inside the program: its thread's cursor display count, and how often it called MessageBeep
// since the first beep_count (which starts the counting and gives 0).
int cursor_display_count(HWND hwnd);
int beep_count(HWND hwnd);

} // namespace harness
