#include "brick_walls.h"

using namespace brick_walls;

// Painted by the class background alone; the brush's pattern starts wherever its origin lies.
TEST(holvard3, shows_the_brick_wall_at_any_size) {
    shows_the_wall_at_any_size(L"holvard3", L"CreatePatternBrush Demo", true);
}

TEST(holvard3, without_the_brick_draws_nothing) {
    without_the_brick_draws_nothing(L"holvard3");
}
