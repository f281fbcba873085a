#include "mouse/grid.h"
#include <gtest/gtest.h>

// Cells 100 x 80 (a client area of 503 x 404): the strip beside the grid, points above or left of
// it and a client area under five pixels (block size 0) have no cell, and nothing is written.
TEST(mouse_grid, the_cell_under_a_point) {
    int x = -1, y = -1;
    EXPECT_TRUE(grid_cell_at(399, 80, 100, 80, &x, &y) && x == 3 && y == 1);
    EXPECT_TRUE(grid_cell_at(499, 399, 100, 80, &x, &y) && x == 4 && y == 4);
    x = y = -1;
    const int none[][4] = {{500, 10, 100, 80},  {10, 400, 100, 80}, {10, -3, 100, 80},
                           {10, -300, 100, 80}, {0, 0, 0, 80},      {3, 0, 100, 0}};
    for (const auto& n : none)
        EXPECT_FALSE(grid_cell_at(n[0], n[1], n[2], n[3], &x, &y)) << n[0] << "," << n[1];
    EXPECT_TRUE(x == -1 && y == -1);
    grid_nearest_cell(-250, 9999, 100, 80, &x, &y);
    EXPECT_TRUE(x == 0 && y == 4);
    grid_nearest_cell(3, 200, 0, 80, &x, &y);
    EXPECT_TRUE(x == 0 && y == 2);
}

TEST(mouse_grid, keys_move_with_wrap_and_other_keys_move_nothing) {
    const struct {
        UINT vk;
        int x, y; // the cell after the key, starting from the previous one
    } steps[] = {{VK_LEFT, 1, 2}, {VK_LEFT, 0, 2}, {VK_LEFT, 4, 2}, {VK_RIGHT, 0, 2},
                 {VK_UP, 0, 1},   {VK_UP, 0, 0},   {VK_UP, 0, 4},   {VK_DOWN, 0, 0},
                 {VK_END, 4, 0},  {VK_DOWN, 4, 1}, {VK_HOME, 0, 1}, {VK_RIGHT, 1, 1}};
    int x = 2, y = 2;
    for (const auto& s : steps) {
        EXPECT_TRUE(grid_move(s.vk, &x, &y));
        EXPECT_TRUE(x == s.x && y == s.y) << "key " << s.vk << " gave " << x << "," << y;
    }
    for (UINT vk : {UINT(VK_RETURN), UINT(VK_SPACE), UINT('A')})
        EXPECT_TRUE(!grid_move(vk, &x, &y) && x == 1 && y == 1);
}
