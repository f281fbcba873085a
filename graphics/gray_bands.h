// Shades of gray: vertical bands from black towards white across the client area, drawn with
// plain colours (felgar1) or through a 65-entry gray logical palette (felgar2, felgar3), whose
// window follows palette changes of other programs.
#pragma once

#include "runtime/runtime.h"

enum : int { GRAY_LEVELS = 65 };

// Level of band i: 0, 4, 8, ... 252, then 255 (white, not 256).
inline int gray_level(int i) {
    return 4 * i < 255 ? 4 * i : 255;
}

// The 65 entries of the gray palette: entry i is the gray of band i.
void gray_palette_entries(PALETTEENTRY* entries);

// Fills the 65 bands, band i from i * width / divisor to (i + 1) * width / divisor, each with a
// solid brush of colour_of(i) made for it and deleted after it.
void paint_gray_bands(HDC dc, int width, int height, int divisor, COLORREF (*colour_of)(int));

// The window of a palette program: its client size, its gray palette (or none) and how a band's
// colour names a palette entry.
struct gray_palette_window {
    int width, height;
    HPALETTE palette;
    COLORREF (*colour_of)(int band);
};

// The whole window procedure of felgar2 and felgar3.
LRESULT gray_palette_proc(gray_palette_window* w, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
