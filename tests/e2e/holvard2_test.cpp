#include "brick_walls.h"

using namespace brick_walls;

// The brick built in memory gives the same wall as the one loaded from a resource.
TEST(holvard2, shows_the_brick_wall_at_any_size) {
    shows_the_wall_at_any_size(L"holvard2", L"CreateBitmap Demo", false);
}
