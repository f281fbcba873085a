// The rubber band of the two mouse-button demonstrations: the left button drags out an inverting
// rectangle; on release it becomes a solid black box that survives repaints; Escape cancels the
// drag and keeps the previous box. With `capture`, the window holds the mouse during the drag, so
// the band follows it outside the window too.
#pragma once

#include <windows.h>

struct rubber_band {
    bool capture; // set by the program before its window is made
    bool dragging;
    bool box_valid;
    POINT drag_start, drag_end; // the band, client coordinates
    POINT box_start, box_end;   // the finished box
};

// Handles the band's messages (mouse buttons and moves, Escape, paint, a lost capture); false for
// any other message, which the program handles or passes on.
bool rubber_band_message(rubber_band* b, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
