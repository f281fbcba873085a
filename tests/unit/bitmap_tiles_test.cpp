#include "bitmaps/tiles.h"
#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

// A 32-bit top-down surface in a memory context, its pixels readable directly.
struct surface {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = nullptr;
    HGDIOBJ old = nullptr;
    uint32_t* bits = nullptr;
    int width, height;
    surface(int w, int h, uint32_t fill) : width(w), height(h) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* p = nullptr;
        bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
        bits = static_cast<uint32_t*>(p);
        old = SelectObject(dc, bmp);
        for (int i = 0; i < w * h; i++)
            bits[i] = fill;
    }
    ~surface() {
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
    uint32_t at(int x, int y) const {
        GdiFlush();
        return bits[y * width + x] & 0xFFFFFF;
    }
};

const uint32_t untouched = 0x123456;

// A 3 x 2 tile of six colours, so that any copy out of place shows.
void paint_tile(surface& tile) {
    for (int y = 0; y < 2; y++)
        for (int x = 0; x < 3; x++)
            tile.bits[y * 3 + x] = 0x100000u * (y + 1) + 0x10u * (x + 1);
}

} // namespace

// The tiles start at the corner and repeat to the edges; the last ones are cut by the edge.
// Exclusive bounds stop before an edge, inclusive ones also start a copy on it.
TEST(bitmap_tiles, copies_cover_the_area_from_the_corner) {
    surface tile(3, 2, 0);
    paint_tile(tile);
    const struct {
        int width, height;
        bool inclusive;
        int copies;
    } cases[] = {{8, 5, false, 9}, {6, 4, false, 4}, {6, 4, true, 9}, {1, 1, false, 1}};
    for (const auto& c : cases) {
        surface target(8, 5, untouched);
        EXPECT_EQ(tile_blt(target.dc, c.width, c.height, tile.dc, 3, 2, c.inclusive), c.copies)
            << c.width << "x" << c.height;
        const int reach_x = c.inclusive ? std::min(8, c.width + 3) : c.width;
        const int reach_y = c.inclusive ? std::min(5, c.height + 2) : c.height;
        for (int y = 0; y < 5; y++)
            for (int x = 0; x < 8; x++) {
                // Copies are whole tiles, so they reach past the area up to their own edge.
                const int covered_x = (reach_x + 2) / 3 * 3, covered_y = (reach_y + 1) / 2 * 2;
                const bool inside = x < covered_x && y < covered_y;
                ASSERT_EQ(target.at(x, y), inside ? tile.at(x % 3, y % 2) : untouched)
                    << "at " << x << "," << y << " of " << c.width << "x" << c.height;
            }
    }
}

// No tile (a side of 0 or less, no source, no bitmap) or no area: nothing is drawn, and the
// calls return instead of stepping forever by nothing or backwards.
TEST(bitmap_tiles, degenerate_tiles_and_areas_draw_nothing) {
    surface tile(3, 2, 0);
    paint_tile(tile);
    surface target(8, 5, untouched);
    const struct {
        int width, height, tile_width, tile_height;
        bool inclusive;
    } cases[] = {{8, 5, 0, 2, false}, {8, 5, 3, 0, true},  {8, 5, -3, 2, false},
                 {8, 5, 3, -2, true}, {0, 5, 3, 2, false}, {8, -1, 3, 2, false},
                 {-4, 5, 3, 2, true}, {8, -7, 3, 2, true}, {0, 0, 0, 0, true}};
    for (const auto& c : cases)
        EXPECT_EQ(tile_blt(target.dc, c.width, c.height, tile.dc, c.tile_width, c.tile_height,
                           c.inclusive),
                  0)
            << c.width << "x" << c.height << " by " << c.tile_width << "x" << c.tile_height;
    EXPECT_EQ(tile_blt(target.dc, 8, 5, nullptr, 3, 2), 0);
    EXPECT_EQ(tile_bitmap(target.dc, 8, 5, nullptr, 3, 2), 0);
    EXPECT_EQ(tile_bitmap(target.dc, 8, 5, tile.bmp, 0, 2), 0);
    for (int y = 0; y < 5; y++)
        for (int x = 0; x < 8; x++)
            ASSERT_EQ(target.at(x, y), untouched) << x << "," << y;
    // A side as large as an int: one copy, and the next position does not wrap around.
    EXPECT_EQ(tile_blt(target.dc, INT_MAX, INT_MAX, tile.dc, INT_MAX, INT_MAX), 1);
}

// The bitmap form selects the bitmap into a context of its own and leaves it free afterwards.
TEST(bitmap_tiles, bitmap_tiles_and_is_released) {
    HDC screen = GetDC(nullptr);
    HBITMAP tile = CreateCompatibleBitmap(screen, 3, 2);
    ReleaseDC(nullptr, screen);
    surface source(3, 2, 0);
    paint_tile(source);
    {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, tile);
        BitBlt(dc, 0, 0, 3, 2, source.dc, 0, 0, SRCCOPY);
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    surface target(8, 5, untouched);
    EXPECT_EQ(tile_bitmap(target.dc, 7, 3, tile, 3, 2), 6);
    for (int y = 0; y < 5; y++)
        for (int x = 0; x < 8; x++)
            ASSERT_EQ(target.at(x, y), x < 9 && y < 4 ? source.at(x % 3, y % 2) : untouched);
    // Selectable again: no context kept it.
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_NE(SelectObject(dc, tile), nullptr);
    DeleteDC(dc);
    EXPECT_TRUE(DeleteObject(tile));
}
