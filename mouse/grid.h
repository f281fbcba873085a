// The cell arithmetic of the hit-testing grids: a client area split into 5 x 5 blocks of
// client width / 5 by client height / 5 pixels, with a strip of at most four pixels left over on
// the right and at the bottom. Pure logic, no window code.
#pragma once

#include <windows.h>

enum { GRID_CELLS = 5 };

// The cell under a client point. False when the point lies in the leftover strip, left of or
// above the client area, or when the grid has no cells at all because the client area is less
// than five pixels wide or high (a block size of 0, which must not be divided by).
bool grid_cell_at(int px, int py, int block_width, int block_height, int* x, int* y);

// The cell a keyboard user starts from: the quotients clamped into 0-4, so that a cursor outside
// the client area still starts from the nearest cell; 0 along an axis whose block size is 0.
void grid_nearest_cell(int px, int py, int block_width, int block_height, int* x, int* y);

// Moves a cell by a navigation key: arrows by one cell, Home to column 0, End to column 4 (both
// in the same row), wrapping around at the edges. False, and nothing moved, for any other key.
bool grid_move(UINT vk, int* x, int* y);
