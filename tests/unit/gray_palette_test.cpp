// The entries of the palette programs' gray palette: 65 grays rising from black to white, and
// nothing written past them (they are built in a block of exactly their size). Which grays they
// are is checked where the user sees them: the palette programs' bands on a 256-colour screen.
#include "graphics/gray_bands.h"

#include <gtest/gtest.h>

TEST(gray_palette, the_65_grays_and_not_one_entry_more) {
    PALETTEENTRY entries[GRAY_LEVELS + 1];
    const PALETTEENTRY untouched{1, 2, 3, 4};
    for (PALETTEENTRY& e : entries)
        e = untouched;
    gray_palette_entries(entries);
    EXPECT_EQ(entries[0].peRed, 0);
    EXPECT_EQ(entries[GRAY_LEVELS - 1].peRed, 255);
    for (int i = 0; i < GRAY_LEVELS; i++) {
        EXPECT_EQ(entries[i].peGreen, entries[i].peRed) << i;
        EXPECT_EQ(entries[i].peBlue, entries[i].peRed) << i;
        EXPECT_EQ(entries[i].peFlags, 0) << i;
        if (i) {
            EXPECT_GT(entries[i].peRed, entries[i - 1].peRed) << i;
        }
    }
    const PALETTEENTRY& after = entries[GRAY_LEVELS];
    EXPECT_TRUE(after.peRed == 1 && after.peGreen == 2 && after.peBlue == 3 && after.peFlags == 4)
        << "an entry written past the 65";
}
