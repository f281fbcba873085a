#include "grid_scenarios.h"

using namespace grid_scenarios;

static const wchar_t caption[] = L"Galvorn2 Mouse Hit-Test Demo";

TEST(galvorn2, clicks_toggle_exactly_the_clicked_cell) {
    clicks_toggle_exactly_the_clicked_cell(L"galvorn2", caption, false);
}

TEST(galvorn2, click_beside_the_grid_beeps_and_changes_nothing) {
    click_beside_the_grid_beeps_and_changes_nothing(L"galvorn2", caption, false);
}

TEST(galvorn2, tiny_client_area_neither_faults_nor_toggles) {
    tiny_client_area_neither_faults_nor_toggles(L"galvorn2", caption, false);
}

// The screen point of a point in a cell: its centre, or offset from it.
static POINT in_cell(HWND hwnd, int x, int y, int dx = 0, int dy = 0) {
    POINT p{x * bw + bw / 2 + dx, y * bh + bh / 2 + dy};
    ClientToScreen(hwnd, &p);
    return p;
}

static std::string cursor_at() {
    POINT p;
    GetCursorPos(&p);
    return std::to_string(p.x) + "," + std::to_string(p.y);
}

static std::string at(POINT p) {
    return std::to_string(p.x) + "," + std::to_string(p.y);
}

// Waits until the cursor has stayed at `p` for half a second.
static bool cursor_rests_at(POINT p) {
    std::string want = at(p);
    DWORD since = 0;
    return wait_until(
        [&] {
            if (cursor_at() != want)
                since = 0;
            else if (!since)
                since = GetTickCount();
            return since && GetTickCount() - since >= 500;
        },
        3000);
}

// Under Wine's virtual desktop a late motion report from the X server can set the system's idea of
// the cursor back to where an earlier warp put it, while the X pointer stays where it is; a
// program's SetCursorPos to that stale place is then no move at all. So before each key the test
// puts the cursor (again) where it should be, until it stays there.
static void put_cursor(POINT p) {
    for (int attempt = 0; attempt < 3; attempt++) {
        SetCursorPos(p.x, p.y);
        if (cursor_rests_at(p)) return;
    }
    ADD_FAILURE() << "the cursor did not stay at " << at(p);
}

// Presses one key and checks that the cursor comes to rest at the centre of cell (x, y).
static void key_moves_cursor_to(HWND hwnd, WORD vk, int x, int y) {
    POINT want = in_cell(hwnd, x, y);
    post_key(hwnd, vk);
    cursor_rests_at(want);
    EXPECT_EQ(cursor_at(), at(want)) << "key " << vk << " should reach cell " << x << "," << y;
    put_cursor(want);
}

TEST(galvorn2, keys_move_the_cursor_between_cell_centres_with_wrap) {
    app a;
    HWND hwnd = launch_grid(a, L"galvorn2", caption, false);
    ASSERT_NE(hwnd, nullptr);
    put_cursor(in_cell(hwnd, 2, 1, 31, -27)); // off-centre in cell (2, 1)
    key_moves_cursor_to(hwnd, VK_LEFT, 1, 1);
    key_moves_cursor_to(hwnd, VK_LEFT, 0, 1);
    key_moves_cursor_to(hwnd, VK_LEFT, 4, 1); // round from the first column to the last
    key_moves_cursor_to(hwnd, VK_RIGHT, 0, 1);
    key_moves_cursor_to(hwnd, VK_UP, 0, 0);
    key_moves_cursor_to(hwnd, VK_UP, 0, 4);
    key_moves_cursor_to(hwnd, VK_DOWN, 0, 0);
    key_moves_cursor_to(hwnd, VK_DOWN, 0, 1);
    key_moves_cursor_to(hwnd, VK_END, 4, 1); // within the row
    key_moves_cursor_to(hwnd, VK_HOME, 0, 1);
    // The keys start from wherever the mouse left the cursor.
    put_cursor(in_cell(hwnd, 3, 3, -40, 35));
    key_moves_cursor_to(hwnd, VK_DOWN, 3, 4);
    // Moving the cursor marks nothing.
    EXPECT_EQ(read_grid(hwnd, false), empty_grid());
}

TEST(galvorn2, enter_and_space_click_the_cell_under_the_cursor) {
    app a;
    HWND hwnd = launch_grid(a, L"galvorn2", caption, false);
    ASSERT_NE(hwnd, nullptr);
    put_cursor(in_cell(hwnd, 3, 2, -45, 37)); // near the lower-left corner of cell (3, 2)
    key_moves_cursor_to(hwnd, VK_RETURN, 3, 2);
    grid_marks marks = with_cell(empty_grid(), 3, 2, 'X');
    EXPECT_EQ(wait_grid(hwnd, false, marks), marks);
    key_moves_cursor_to(hwnd, VK_RIGHT, 4, 2);
    key_moves_cursor_to(hwnd, VK_SPACE, 4, 2);
    marks = with_cell(marks, 4, 2, 'X');
    EXPECT_EQ(wait_grid(hwnd, false, marks), marks);
    key_moves_cursor_to(hwnd, VK_LEFT, 3, 2);
    key_moves_cursor_to(hwnd, VK_SPACE, 3, 2);
    marks = with_cell(marks, 3, 2, '.');
    EXPECT_EQ(wait_grid(hwnd, false, marks), marks);

    // A cursor outside the window starts from the nearest cell.
    SetWindowPos(hwnd, nullptr, 150, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER); // room all round
    settle(hwnd);
    RECT client = client_rect(hwnd);
    put_cursor({client.left - 20, client.top - 15});
    key_moves_cursor_to(hwnd, VK_RIGHT, 1, 0);
    put_cursor({client.right + 8, client.bottom + 6});
    key_moves_cursor_to(hwnd, VK_RETURN, 4, 4);
    marks = with_cell(marks, 4, 4, 'X');
    EXPECT_EQ(wait_grid(hwnd, false, marks), marks);
}

// The program raises the cursor's display count while it has the focus and lowers it again when
// the focus goes, so the cursor shows there even on a system without a mouse; the window that
// takes the focus keeps its own count.
TEST(galvorn2, cursor_shown_while_the_window_has_the_focus) {
    app a;
    HWND hwnd = launch_grid(a, L"galvorn2", caption, false);
    ASSERT_NE(hwnd, nullptr);
    int focused = cursor_display_count(hwnd);
    EXPECT_GE(focused, 0) << "the cursor shows while the window has the focus";

    app other;
    HWND other_hwnd = launch(other, L"galvorn1");
    ASSERT_NE(other_hwnd, nullptr);
    ASSERT_TRUE(wait_until([&] { return GetForegroundWindow() == other_hwnd; }));
    int other_count = cursor_display_count(other_hwnd);
    EXPECT_TRUE(wait_until([&] { return cursor_display_count(hwnd) == focused - 1; }))
        << "count after losing the focus: " << cursor_display_count(hwnd);

    SetForegroundWindow(hwnd);
    settle(hwnd);
    EXPECT_TRUE(wait_until([&] { return cursor_display_count(hwnd) == focused; }));
    EXPECT_EQ(cursor_display_count(other_hwnd), other_count);
}
