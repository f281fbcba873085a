#include "segments.h"

const bool segment_on[10][SEGMENTS] = {
    {1, 1, 1, 0, 1, 1, 1}, // 0
    {0, 0, 1, 0, 0, 1, 0}, // 1
    {1, 0, 1, 1, 1, 0, 1}, // 2
    {1, 0, 1, 1, 0, 1, 1}, // 3
    {0, 1, 1, 1, 0, 1, 0}, // 4
    {1, 1, 0, 1, 0, 1, 1}, // 5
    {1, 1, 0, 1, 1, 1, 1}, // 6
    {1, 0, 1, 0, 0, 1, 0}, // 7
    {1, 1, 1, 1, 1, 1, 1}, // 8
    {1, 1, 1, 1, 0, 1, 1}, // 9
};

// Hexagons: the horizontal segments pointed left and right, the vertical ones up and down.
const POINT segment_points[SEGMENTS][SEGMENT_POINTS] = {
    {{7, 6}, {11, 2}, {31, 2}, {35, 6}, {31, 10}, {11, 10}},
    {{6, 7}, {10, 11}, {10, 31}, {6, 35}, {2, 31}, {2, 11}},
    {{36, 7}, {40, 11}, {40, 31}, {36, 35}, {32, 31}, {32, 11}},
    {{7, 36}, {11, 32}, {31, 32}, {35, 36}, {31, 40}, {11, 40}},
    {{6, 37}, {10, 41}, {10, 61}, {6, 65}, {2, 61}, {2, 41}},
    {{36, 37}, {40, 41}, {40, 61}, {36, 65}, {32, 61}, {32, 41}},
    {{7, 66}, {11, 62}, {31, 62}, {35, 66}, {31, 70}, {11, 70}},
};

const POINT colon_points[2][COLON_POINTS] = {
    {{2, 21}, {6, 17}, {10, 21}, {6, 25}},
    {{2, 51}, {6, 47}, {10, 51}, {6, 55}},
};

void time_cells(const SYSTEMTIME& t, bool use_24_hour, bool suppress_leading_zero, int cells[6]) {
    int hour = t.wHour;
    if (!use_24_hour) {
        hour %= 12;
        if (hour == 0) hour = 12;
    }
    cells[0] = suppress_leading_zero && hour < 10 ? CELL_BLANK : hour / 10;
    cells[1] = hour % 10;
    cells[2] = t.wMinute / 10;
    cells[3] = t.wMinute % 10;
    cells[4] = t.wSecond / 10;
    cells[5] = t.wSecond % 10;
}
