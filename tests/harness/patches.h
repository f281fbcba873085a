// Screen furniture of the test's own: a topmost window of one colour, to put a known colour under
// the cursor or to cover part of a program's window and uncover it again; and sizing a program's
// window by its client area.
#pragma once

#include "harness/harness.h"

namespace harness {

class colour_patch {
public:
    // Shown at `screen_rect` without taking the activation, and on screen when this returns.
    colour_patch(const RECT& screen_rect, COLORREF colour);
    ~colour_patch(); // the window goes, uncovering what lay under it
    colour_patch(const colour_patch&) = delete;
    colour_patch& operator=(const colour_patch&) = delete;

    void set(COLORREF colour); // repaints in the new colour and waits until the screen shows it
    bool shown() const;        // the screen shows the patch's colour at its centre
    POINT centre() const;      // in screen coordinates
    HWND hwnd() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
    RECT rect_{};
    COLORREF colour_ = 0;
};

// Every pixel of the image has the colour (0x00RRGGBB); else where the first one differs.
::testing::AssertionResult filled_with(const image& img, uint32_t colour);

} // namespace harness
