#include "grid_scenarios.h"

using namespace grid_scenarios;

static const wchar_t caption[] = L"Galvorn3 Mouse Hit-Test Demo";

TEST(galvorn3, clicks_toggle_exactly_the_clicked_cell) {
    clicks_toggle_exactly_the_clicked_cell(L"galvorn3", caption, true);
}

TEST(galvorn3, click_beside_the_grid_beeps_and_changes_nothing) {
    click_beside_the_grid_beeps_and_changes_nothing(L"galvorn3", caption, true);
}

TEST(galvorn3, tiny_client_area_neither_faults_nor_toggles) {
    tiny_client_area_neither_faults_nor_toggles(L"galvorn3", caption, true);
}

// Each cell is a child window of its own, identified by row << 8 | column, laid over its block,
// and keeping its mark in its extra window word.
TEST(galvorn3, cells_are_child_windows_keeping_their_own_mark) {
    app a;
    HWND hwnd = launch_grid(a, L"galvorn3", caption, true);
    ASSERT_NE(hwnd, nullptr);
    std::vector<HWND> kids = children(hwnd);
    ASSERT_EQ(kids.size(), 25u);
    RECT client = client_rect(hwnd);
    int seen = 0;
    for (HWND kid : kids) {
        EXPECT_EQ(class_of(kid), L"galvorn3_Child");
        int id = GetDlgCtrlID(kid), x = id & 0xFF, y = id >> 8;
        ASSERT_TRUE(x < 5 && y < 5) << "id " << id;
        seen |= 1 << (y * 5 + x);
        RECT r;
        GetWindowRect(kid, &r);
        EXPECT_EQ(r.left - client.left, x * bw) << "id " << id;
        EXPECT_EQ(r.top - client.top, y * bh) << "id " << id;
        EXPECT_EQ(r.right - r.left, bw) << "id " << id;
        EXPECT_EQ(r.bottom - r.top, bh) << "id " << id;
    }
    EXPECT_EQ(seen, (1 << 25) - 1) << "one child for each cell";

    HWND cell = GetDlgItem(hwnd, 3 << 8 | 1);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(GetWindowLongW(cell, 0), 0);
    mouse_click(hwnd, 1 * bw + 30, 3 * bh + 30);
    EXPECT_TRUE(wait_until([&] { return GetWindowLongW(cell, 0) == 1; }));
    mouse_click(hwnd, 1 * bw + 60, 3 * bh + 60);
    EXPECT_TRUE(wait_until([&] { return GetWindowLongW(cell, 0) == 0; }));
}
