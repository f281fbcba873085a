#include "mouse/grid.h"
#include <gtest/gtest.h>

TEST(mouse_grid, cell_at_a_point_and_the_strip_beside_the_grid) {
    int x = -1, y = -1;
    ASSERT_TRUE(grid_cell_at(0, 0, 100, 80, &x, &y));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    ASSERT_TRUE(grid_cell_at(399, 80, 100, 80, &x, &y));
    EXPECT_EQ(x, 3);
    EXPECT_EQ(y, 1);
    ASSERT_TRUE(grid_cell_at(499, 399, 100, 80, &x, &y));
    EXPECT_EQ(x, 4);
    EXPECT_EQ(y, 4);
    x = y = -1;
    EXPECT_FALSE(grid_cell_at(500, 10, 100, 80, &x, &y)); // the strip on the right
    EXPECT_FALSE(grid_cell_at(10, 400, 100, 80, &x, &y)); // and at the bottom
    EXPECT_FALSE(grid_cell_at(65535, 10, 100, 80, &x, &y));
    EXPECT_FALSE(grid_cell_at(10, -3, 100, 80, &x, &y)); // above: not row 0
    EXPECT_FALSE(grid_cell_at(10, -300, 100, 80, &x, &y));
    EXPECT_EQ(x, -1) << "nothing is written when there is no cell";
}

TEST(mouse_grid, no_cells_in_a_client_area_under_five_pixels) {
    int x = -1, y = -1;
    EXPECT_FALSE(grid_cell_at(0, 0, 0, 80, &x, &y));
    EXPECT_FALSE(grid_cell_at(3, 0, 100, 0, &x, &y));
    EXPECT_FALSE(grid_cell_at(0, 0, 0, 0, &x, &y));
    grid_nearest_cell(3, 200, 0, 80, &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 2);
    grid_nearest_cell(200, 3, 100, 0, &x, &y);
    EXPECT_EQ(x, 2);
    EXPECT_EQ(y, 0);
}

TEST(mouse_grid, nearest_cell_clamps_points_outside_the_grid) {
    int x, y;
    grid_nearest_cell(-250, 9999, 100, 80, &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 4);
    grid_nearest_cell(502, -1, 100, 80, &x, &y);
    EXPECT_EQ(x, 4);
    EXPECT_EQ(y, 0);
    grid_nearest_cell(250, 170, 100, 80, &x, &y);
    EXPECT_EQ(x, 2);
    EXPECT_EQ(y, 2);
}

TEST(mouse_grid, keys_move_with_wrap_and_other_keys_move_nothing) {
    struct step {
        UINT vk;
        int x, y; // where the cell is after the key, starting from the previous step
    } steps[] = {{VK_LEFT, 1, 2},  {VK_LEFT, 0, 2}, {VK_LEFT, 4, 2}, {VK_RIGHT, 0, 2},
                 {VK_UP, 0, 1},    {VK_UP, 0, 0},   {VK_UP, 0, 4},   {VK_DOWN, 0, 0},
                 {VK_END, 4, 0},   {VK_DOWN, 4, 1}, {VK_HOME, 0, 1}, {VK_HOME, 0, 1},
                 {VK_RIGHT, 1, 1}, {VK_END, 4, 1},  {VK_RIGHT, 0, 1}};
    int x = 2, y = 2;
    for (const step& s : steps) {
        EXPECT_TRUE(grid_move(s.vk, &x, &y)) << s.vk;
        EXPECT_EQ(x, s.x) << "after key " << s.vk;
        EXPECT_EQ(y, s.y) << "after key " << s.vk;
    }
    for (UINT vk : {UINT(VK_RETURN), UINT(VK_SPACE), UINT('A'), UINT(VK_PRIOR)}) {
        EXPECT_FALSE(grid_move(vk, &x, &y));
        EXPECT_EQ(x, 0);
        EXPECT_EQ(y, 1);
    }
}
