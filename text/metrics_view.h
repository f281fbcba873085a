// Drawing and scrolling shared by the system metrics viewers: the three columns of one row (label,
// description, current value) and, for the viewers whose scroll state lives in the scroll bars,
// the size, scroll and paint handlers.
#pragma once

#include "text/metrics_table.h"

struct metrics_view {
    table_row* table; // the 75 rows
    int cx_char;      // average character width of the system font
    int cx_caps;      // width of a capital letter
    int cy_char;      // line height
    int cx_client, cy_client;
    int max_width; // the width of the three columns
};

// The system font's measures, from the window's own device context.
void metrics_measure(metrics_view* v, HWND hwnd);

// Label at x0, description at x0 + 22 capitals, the value right-aligned to end 40 characters
// further.
void metrics_draw_row(const metrics_view* v, HDC dc, int x0, int y, const table_row* row);

// Scroll state held in the scroll bars (ranges and pages set on every resize, positions read back
// from the bars after the platform has clamped them), with ScrollWindow and painting limited to
// the rows that are invalid.
void metrics_on_size(metrics_view* v, HWND hwnd, LPARAM lp);
void metrics_on_vscroll(const metrics_view* v, HWND hwnd, WPARAM wp);
void metrics_on_hscroll(const metrics_view* v, HWND hwnd, WPARAM wp);
void metrics_on_paint(const metrics_view* v, HWND hwnd);
