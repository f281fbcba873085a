// Shades of gray through palette-relative colours: 64 visible bands, the last at level 252.
#include "gray_expect.h"

TEST(felgar2, gray_bands_in_any_shape) {
    gray_expect::run_scenario(L"felgar2", L"Shades of Gray #2", 64);
}
