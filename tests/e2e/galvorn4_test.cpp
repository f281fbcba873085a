#include "grid_scenarios.h"

using namespace grid_scenarios;

static const wchar_t caption[] = L"Galvorn4 Mouse Hit-Test Demo";

TEST(galvorn4, clicks_toggle_exactly_the_clicked_cell) {
    clicks_toggle_exactly_the_clicked_cell(L"galvorn4", caption, true);
}

TEST(galvorn4, click_beside_the_grid_beeps_and_changes_nothing) {
    click_beside_the_grid_beeps_and_changes_nothing(L"galvorn4", caption, true);
}

TEST(galvorn4, tiny_client_area_neither_faults_nor_toggles) {
    tiny_client_area_neither_faults_nor_toggles(L"galvorn4", caption, true);
}

// Keys go to the focused cell; the focus rectangle is drawn in that cell only.
static void key_then(HWND hwnd, WORD vk, const grid_marks& want) {
    send_input_keys(hwnd, {vk});
    EXPECT_EQ(wait_grid(hwnd, true, want), want) << "after key " << vk;
}

static grid_marks focus_at(int x, int y, grid_marks marks = empty_grid()) {
    char& c = marks[size_t(y) * 6 + x];
    c = c == 'X' ? 'x' : 'o';
    return marks;
}

TEST(galvorn4, arrows_home_and_end_move_the_focus_rectangle_with_wrap) {
    app a;
    HWND hwnd = launch_grid(a, L"galvorn4", caption, true);
    ASSERT_NE(hwnd, nullptr);
    ASSERT_EQ(read_grid(hwnd, true), focus_at(0, 0));
    key_then(hwnd, VK_RIGHT, focus_at(1, 0));
    key_then(hwnd, VK_LEFT, focus_at(0, 0));
    key_then(hwnd, VK_LEFT, focus_at(4, 0)); // round to the last column
    key_then(hwnd, VK_UP, focus_at(4, 4));   // round to the last row
    key_then(hwnd, VK_DOWN, focus_at(4, 0));
    key_then(hwnd, VK_DOWN, focus_at(4, 1));
    key_then(hwnd, VK_HOME, focus_at(0, 1)); // within the row
    key_then(hwnd, VK_END, focus_at(4, 1));
    key_then(hwnd, VK_RIGHT, focus_at(0, 1));
    key_then(hwnd, 'A', focus_at(0, 1)); // any other key: nothing
    // The focus really is in that cell, whose id is its row << 8 | column.
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info));
    EXPECT_EQ(info.hwndFocus, GetDlgItem(hwnd, 1 << 8 | 0));
}

TEST(galvorn4, enter_and_space_toggle_the_focused_cell) {
    app a;
    HWND hwnd = launch_grid(a, L"galvorn4", caption, true);
    ASSERT_NE(hwnd, nullptr);
    key_then(hwnd, VK_DOWN, focus_at(0, 1));
    grid_marks marks = with_cell(empty_grid(), 0, 1, 'X');
    key_then(hwnd, VK_RETURN, focus_at(0, 1, marks));
    key_then(hwnd, VK_RIGHT, focus_at(1, 1, marks));
    marks = with_cell(marks, 1, 1, 'X');
    key_then(hwnd, VK_SPACE, focus_at(1, 1, marks));
    key_then(hwnd, VK_LEFT, focus_at(0, 1, marks));
    marks = with_cell(marks, 0, 1, '.');
    key_then(hwnd, VK_SPACE, focus_at(0, 1, marks));
    HWND cell = GetDlgItem(hwnd, 1 << 8 | 1);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(GetWindowLongW(cell, 0), 1) << "the mark lives in the cell's extra window word";
}

TEST(galvorn4, the_focus_returns_to_its_cell_after_deactivation) {
    app a;
    HWND hwnd = launch_grid(a, L"galvorn4", caption, true);
    ASSERT_NE(hwnd, nullptr);
    mouse_click(hwnd, 2 * bw + 20, 3 * bh + 20);
    grid_marks marks = focus_at(2, 3, with_cell(empty_grid(), 2, 3, 'X'));
    ASSERT_EQ(wait_grid(hwnd, true, marks), marks);
    HWND cell = GetDlgItem(hwnd, 3 << 8 | 2);
    DWORD thread = GetWindowThreadProcessId(hwnd, nullptr);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;

    app other;
    HWND other_hwnd = launch(other, L"galvorn1");
    ASSERT_NE(other_hwnd, nullptr);
    ASSERT_TRUE(wait_until([&] { return GetForegroundWindow() == other_hwnd; }));
    EXPECT_TRUE(wait_until([&] {
        return GetGUIThreadInfo(thread, &info) && info.hwndFocus != cell;
    })) << "the cell keeps the focus while another program is active";

    // Brought to the front again, as the user would.
    SetForegroundWindow(hwnd);
    EXPECT_EQ(wait_grid(hwnd, true, marks), marks);
    ASSERT_TRUE(GetGUIThreadInfo(thread, &info));
    EXPECT_EQ(info.hwndFocus, cell);
    // And the keys go on from there.
    key_then(hwnd, VK_RIGHT, focus_at(3, 3, with_cell(empty_grid(), 2, 3, 'X')));
}
