// The entries of the palette programs' gray palette: 65 of them, and nothing written past them
// (they are built in a block of exactly their size).
#include "graphics/gray_bands.h"

#include <gtest/gtest.h>

TEST(gray_palette, the_65_grays_and_not_one_entry_more) {
    PALETTEENTRY entries[GRAY_LEVELS + 1];
    const PALETTEENTRY untouched{1, 2, 3, 4};
    for (PALETTEENTRY& e : entries)
        e = untouched;
    gray_palette_entries(entries);
    for (int i = 0; i < GRAY_LEVELS; i++) {
        const int level = i < 64 ? 4 * i : 255;
        EXPECT_EQ(entries[i].peRed, level) << i;
        EXPECT_EQ(entries[i].peGreen, level) << i;
        EXPECT_EQ(entries[i].peBlue, level) << i;
        EXPECT_EQ(entries[i].peFlags, 0) << i;
    }
    const PALETTEENTRY& after = entries[GRAY_LEVELS];
    EXPECT_TRUE(after.peRed == 1 && after.peGreen == 2 && after.peBlue == 3 && after.peFlags == 4)
        << "an entry written past the 65";
}
