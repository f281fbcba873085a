// The two timer demonstrations fill their client area with red or blue, by the flip-flop that each
// tick toggles: a new brush for each fill, deleted once the fill is done.
#pragma once

#include <windows.h>

inline void fill_flip_colour(HDC dc, const RECT* client, int flip_flop) {
    HBRUSH brush = CreateSolidBrush(flip_flop ? RGB(255, 0, 0) : RGB(0, 0, 255));
    FillRect(dc, client, brush);
    DeleteObject(brush);
}
