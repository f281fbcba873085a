// Shades of gray through palette-relative colours: 64 visible bands, the last at level 252.
#include "gray_expect.h"

TEST(felgar2, gray_bands_in_any_shape) {
    gray_expect::run_scenario(L"felgar2", L"Shades of Gray #2", 64);
}

// Where a palette counts: on a screen with a 256-colour palette, after another palette program.
TEST(felgar2, follows_other_palette_programs_on_a_256_colour_display) {
    gray_expect::run_palette_scenario(L"felgar2");
}
