#include "bitmaps/tiles.h"

int tile_blt(HDC target, int width, int height, HDC source, int tile_width, int tile_height,
             bool inclusive) {
    if (!source || tile_width <= 0 || tile_height <= 0) return 0;
    // The last row and column start at most at the edge itself; counted in 64 bits so that a
    // tile side near the integer limit cannot wrap a position back to the start.
    const long long last_x = inclusive ? width : width - 1LL;
    const long long last_y = inclusive ? height : height - 1LL;
    int copies = 0;
    for (long long y = 0; y <= last_y; y += tile_height)
        for (long long x = 0; x <= last_x; x += tile_width) {
            BitBlt(target, int(x), int(y), tile_width, tile_height, source, 0, 0, SRCCOPY);
            copies++;
        }
    return copies;
}

int tile_bitmap(HDC target, int width, int height, HBITMAP tile, int tile_width, int tile_height) {
    if (!tile) return 0;
    HDC memory = CreateCompatibleDC(target);
    if (!memory) return 0;
    int copies = 0;
    if (HGDIOBJ old = SelectObject(memory, tile)) {
        copies = tile_blt(target, width, height, memory, tile_width, tile_height);
        SelectObject(memory, old);
    }
    DeleteDC(memory);
    return copies;
}
