// Shades of gray through plain colour values: 65 bands, black at the left, white at the right.
#include "gray_expect.h"

TEST(felgar1, gray_bands_in_any_shape) {
    gray_expect::run_scenario(L"felgar1", L"Shades of Gray #1", 65);
}
