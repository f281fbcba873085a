// Real mouse input for the tests of programs that follow the mouse while a button is held: the
// cursor moves and the buttons go down and up as the user's would (SendInput), so the system
// decides which window gets each event, and the capture counts.
#pragma once

#include <windows.h>

namespace harness {

enum class button { left, right };

// Each call moves the cursor to a point given in client coordinates of `hwnd` (it may lie outside
// the client area) and returns once the program has handled the event.
void mouse_move_to(HWND hwnd, POINT p);
void mouse_down(HWND hwnd, POINT p, button b);
void mouse_up(HWND hwnd, POINT p, button b);
// A move in `steps` equal steps from `from` to `to`, the last one exactly on `to`.
void mouse_glide(HWND hwnd, POINT from, POINT to, int steps);
// Down at `from`, glide, up at `to`.
void mouse_drag(HWND hwnd, POINT from, POINT to, button b = button::left, int steps = 4);
// Moves the cursor off the window to a corner of the screen, so that it sends no stray moves, and
// returns once it is there. Before a window is shown, too: a window shown under the cursor is sent
// a move at the cursor's place, taken only after the messages posted to it.
void park_cursor();

// Both buttons go up when the guard ends, so a test that fails half-way through a drag leaves no
// button held for the next one.
struct buttons_released {
    buttons_released() = default;
    buttons_released(const buttons_released&) = delete;
    buttons_released& operator=(const buttons_released&) = delete;
    ~buttons_released();
};

} // namespace harness
