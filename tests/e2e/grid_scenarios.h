// What all four hit-testing grids share, whichever way they find the cell: a click toggles the
// X of exactly the cell under the mouse, a click beside the grid only beeps, and a client area too
// small for cells is harmless. `children`: the cells are child windows of their own. Where the
// focus rectangle is does not count here.
#pragma once

#include "harness/grids.h"

namespace grid_scenarios {

using namespace harness;

// 503 x 404 pixels: cells of 100 x 80 with a strip of 3 pixels on the right and 4 at the bottom.
const int client_w = 503, client_h = 404, bw = 100, bh = 80;

inline HWND launch_grid(app& a, const wchar_t* name, const wchar_t* caption, bool children) {
    HWND hwnd = launch(a, name);
    if (!hwnd) return nullptr;
    EXPECT_EQ(text_of(hwnd), caption);
    LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, LONG(WS_OVERLAPPEDWINDOW));
    EXPECT_EQ((style & WS_CLIPCHILDREN) != 0, children);
    set_client_size(hwnd, client_w, client_h);
    RECT r;
    GetClientRect(hwnd, &r);
    EXPECT_EQ(r.right, client_w);
    EXPECT_EQ(r.bottom, client_h);
    return hwnd;
}

inline void clicks_toggle_exactly_the_clicked_cell(const wchar_t* name, const wchar_t* caption,
                                                   bool children) {
    app a;
    HWND hwnd = launch_grid(a, name, caption, children);
    ASSERT_NE(hwnd, nullptr);
    grid_marks marks = empty_grid();
    ASSERT_EQ(wait_grid(hwnd, children, marks, true), marks) << "an empty grid at start";

    // Points on the edges of cells: the last column and row of one, the first of the next.
    mouse_click(hwnd, 3 * bw + 99, 1 * bh);
    marks = with_cell(marks, 3, 1, 'X');
    EXPECT_EQ(wait_grid(hwnd, children, marks, true), marks);
    mouse_click(hwnd, 4 * bw, 4 * bh + 79);
    marks = with_cell(marks, 4, 4, 'X');
    EXPECT_EQ(wait_grid(hwnd, children, marks, true), marks);
    mouse_click(hwnd, 1, 2 * bh + 40);
    marks = with_cell(marks, 0, 2, 'X');
    EXPECT_EQ(wait_grid(hwnd, children, marks, true), marks);

    // A second click takes the mark away again and leaves the others.
    mouse_click(hwnd, 3 * bw + 50, 1 * bh + 40);
    marks = with_cell(marks, 3, 1, '.');
    EXPECT_EQ(wait_grid(hwnd, children, marks, true), marks);

    // The marks belong to the cells: a new window size redraws them in the new grid.
    set_client_size(hwnd, 612, 333);
    EXPECT_EQ(wait_grid(hwnd, children, marks, true), marks);
}

inline void click_beside_the_grid_beeps_and_changes_nothing(const wchar_t* name,
                                                            const wchar_t* caption, bool children) {
    app a;
    HWND hwnd = launch_grid(a, name, caption, children);
    ASSERT_NE(hwnd, nullptr);
    mouse_click(hwnd, 2 * bw + 10, 3 * bh + 10);
    const grid_marks marks = with_cell(empty_grid(), 2, 3, 'X');
    ASSERT_EQ(wait_grid(hwnd, children, marks, true), marks);
    ASSERT_EQ(beep_count(hwnd), 0) << "counting the program's beeps from here";

    const POINT strip[] = {{client_w - 3, 10}, {10, client_h - 1}, {client_w - 1, client_h - 4}};
    int beeps = 0;
    for (POINT p : strip) {
        mouse_click(hwnd, p.x, p.y);
        beeps++;
        EXPECT_TRUE(wait_until([&] { return beep_count(hwnd) == beeps; }))
            << "no beep for a click at " << p.x << "," << p.y;
    }
    // Above the client area (a message only a program can send): no cell either, not row 0 for
    // a point just above it, nor a cell outside the grid's table for one far above.
    for (int y : {-3, -200}) {
        post_click(hwnd, bw + 50, y);
        beeps++;
        EXPECT_TRUE(wait_until([&] { return beep_count(hwnd) == beeps; })) << "y = " << y;
    }
    EXPECT_EQ(wait_grid(hwnd, children, marks, true), marks);
    // A click on a cell is no beep.
    mouse_click(hwnd, 50, 40);
    EXPECT_EQ(wait_grid(hwnd, children, with_cell(marks, 0, 0, 'X'), true),
              with_cell(marks, 0, 0, 'X'));
    EXPECT_EQ(beep_count(hwnd), beeps);
}

// Narrower or lower than five pixels there are no cells: clicks there must neither fault (the
// cell arithmetic divides by the cell size) nor mark anything.
inline void tiny_client_area_neither_faults_nor_toggles(const wchar_t* name, const wchar_t* caption,
                                                        bool children) {
    app a;
    HWND hwnd = launch_grid(a, name, caption, children);
    ASSERT_NE(hwnd, nullptr);
    ASSERT_EQ(beep_count(hwnd), 0);
    // The system keeps a window at least about a hundred pixels wide, but not high; minimised,
    // a window is told of a client area of 0 x 0.
    const SIZE sizes[] = {{300, 2}, {300, 0}, {80, 4}, {0, 0}};
    for (SIZE s : sizes) {
        if (s.cx == 0) {
            PostMessageW(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            ASSERT_TRUE(wait_until([&] { return IsIconic(hwnd) != FALSE; }));
            settle(hwnd);
        } else {
            set_client_size(hwnd, s.cx, s.cy);
            RECT r;
            GetClientRect(hwnd, &r);
            ASSERT_LT(r.bottom, 5) << "client " << r.right << " x " << r.bottom;
        }
        post_click(hwnd, 1, 1);
        post_click(hwnd, 2, 250);
        post_click(hwnd, 250, 1);
        post_key(hwnd, VK_RETURN);
        post_key(hwnd, VK_SPACE);
        post_key(hwnd, VK_RIGHT);
        settle(hwnd);
        ASSERT_TRUE(a.running()) << "ended at a client area of " << s.cx << " x " << s.cy;
    }
    PostMessageW(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(wait_until([&] { return !IsIconic(hwnd); }));
    EXPECT_GE(beep_count(hwnd), 12) << "every click at no cell beeps";
    set_client_size(hwnd, client_w, client_h);
    grid_marks marks = read_grid(hwnd, children);
    EXPECT_EQ(marks.size(), empty_grid().size()) << marks;
    EXPECT_EQ(marks.find_first_of("Xx?"), std::string::npos) << marks;
}

} // namespace grid_scenarios
