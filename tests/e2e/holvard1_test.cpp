#include "brick_walls.h"

using namespace brick_walls;

TEST(holvard1, shows_the_brick_wall_at_any_size) {
    shows_the_wall_at_any_size(L"holvard1", L"LoadBitmap Demo", false);
}

TEST(holvard1, without_the_brick_draws_nothing) {
    without_the_brick_draws_nothing(L"holvard1");
}

// The brick the program carries, byte for byte: the 40-byte header (8 x 8, one plane, one bit
// per pixel, uncompressed, 32 bytes of bits), black then white, and the rows bottom row first,
// each padded to four bytes.
TEST(holvard1, carries_the_brick_as_a_monochrome_bitmap_resource) {
    std::vector<uint8_t> expected = {40, 0, 0, 0, 8,  0, 0, 0, 8, 0, 0, 0, 1,   0,   1,   0,
                                     0,  0, 0, 0, 32, 0, 0, 0, 0, 0, 0, 0, 0,   0,   0,   0,
                                     0,  0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 255, 255, 255, 0};
    for (uint8_t row : {0xC0, 0xC0, 0xC0, 0xFF, 0x0C, 0x0C, 0x0C, 0xFF})
        expected.insert(expected.end(), {row, 0, 0, 0});
    EXPECT_EQ(resource_bytes(L"holvard1", RT_BITMAP, L"HOLVARD"), expected);
    EXPECT_EQ(resource_bytes(L"holvard3", RT_BITMAP, L"HOLVARD"), expected);
}
