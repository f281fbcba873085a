// Covering a client area with copies of one small block, as the brick wall, the window-corner
// wallpaper and the small text do.
#pragma once

#include <windows.h>

// Copies the tile_width x tile_height block at (0, 0) of `source` to (x, y) of `target` for
// x = 0, tile_width, ... and y = 0, tile_height, ... while x < width and y < height (x <= width
// and y <= height when `inclusive`), with SRCCOPY. A tile side of 0 or less, or no source, copies
// nothing: the positions would never advance. Returns the number of copies made.
int tile_blt(HDC target, int width, int height, HDC source, int tile_width, int tile_height,
             bool inclusive = false);

// The same with a bitmap of tile_width x tile_height as the tile, selected into a memory context
// compatible with `target` for the copies. No bitmap draws nothing.
int tile_bitmap(HDC target, int width, int height, HBITMAP tile, int tile_width, int tile_height);
