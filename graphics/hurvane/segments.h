// The digital clock's figures, apart from the window: which of the seven segments each digit
// lights, the segments' and colons' outlines, and what the six digit cells show for a time.
// Units are those of one digit cell, 42 x 72 with y pointing down; a colon's cell is 12 wide.
#pragma once

#include <windows.h>

enum {
    SEGMENTS = 7,
    SEGMENT_POINTS = 6,
    COLON_POINTS = 4,
    DIGIT_WIDTH = 42,
    COLON_WIDTH = 12,
    STRIP_WIDTH = 6 * DIGIT_WIDTH + 2 * COLON_WIDTH, // 276
    STRIP_HEIGHT = 72,
    CELL_BLANK = -1, // a digit cell left empty
};

// Segments: 0 top, 1 upper left, 2 upper right, 3 middle, 4 lower left, 5 lower right, 6 bottom.
extern const bool segment_on[10][SEGMENTS];
extern const POINT segment_points[SEGMENTS][SEGMENT_POINTS];
extern const POINT colon_points[2][COLON_POINTS];

// The six digit cells (hours, minutes, seconds; two each) for a time: in 12-hour mode hour 0 shows
// as 12; a suppressed leading zero leaves the first cell blank; minutes and seconds always show
// two digits.
void time_cells(const SYSTEMTIME& t, bool use_24_hour, bool suppress_leading_zero, int cells[6]);
