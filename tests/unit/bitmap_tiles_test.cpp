// The tiling the brick walls, the corner wallpaper and the small text share; what it draws is
// checked on screen by those programs' tests. Here: the tiles and areas of no size, which must
// end the loops at once instead of stepping by nothing (or backwards) for ever.
#include "bitmaps/tiles.h"
#include <gtest/gtest.h>

#include <climits>

TEST(bitmap_tiles, degenerate_tiles_and_areas_draw_nothing_and_return) {
    HDC target = CreateCompatibleDC(nullptr), source = CreateCompatibleDC(nullptr);
    const struct {
        int width, height, tile_width, tile_height;
        bool inclusive;
        int copies;
    } cases[] = {{8, 5, 0, 2, false, 0},
                 {8, 5, 3, 0, true, 0},
                 {8, 5, -3, 2, false, 0},
                 {8, 5, 3, -2, true, 0},
                 {0, 5, 3, 2, false, 0},
                 {8, -1, 3, 2, false, 0},
                 {-4, 5, 3, 2, true, 0},
                 {0, 0, 0, 0, true, 0},
                 {0, 0, 3, 2, true, 1},
                 {8, 5, 3, 2, false, 9},
                 {6, 4, 3, 2, false, 4},
                 {6, 4, 3, 2, true, 9},
                 {INT_MAX, INT_MAX, INT_MAX, INT_MAX, false, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(
            tile_blt(target, c.width, c.height, source, c.tile_width, c.tile_height, c.inclusive),
            c.copies)
            << c.width << "x" << c.height << " by " << c.tile_width << "x" << c.tile_height
            << (c.inclusive ? " inclusive" : "");
    EXPECT_EQ(tile_blt(target, 8, 5, nullptr, 3, 2), 0);
    EXPECT_EQ(tile_bitmap(target, 8, 5, nullptr, 3, 2), 0);
    DeleteDC(source);
    DeleteDC(target);
}
