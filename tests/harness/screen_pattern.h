// A picture the test puts on the screen by itself: a borderless window of coloured blocks, painted
// by a thread of the test's own (so it repaints while the test waits), for programs that read the
// screen.
#pragma once

#include "harness/harness.h"

namespace harness {

class screen_pattern {
public:
    // cols x rows blocks of `block` pixels, the window's top-left corner at (x, y) on the screen.
    screen_pattern(int x, int y, int cols, int rows, int block);
    ~screen_pattern();
    screen_pattern(const screen_pattern&) = delete;
    screen_pattern& operator=(const screen_pattern&) = delete;

    bool ok() const { return hwnd_ != nullptr; }
    RECT rect() const; // on the screen
    int cols() const { return cols_; }
    int rows() const { return rows_; }
    int block() const { return block_; }
    // The colour of block (col, row), 0x00RRGGBB; all differ from each other, from white and
    // black, and from each other's inverses.
    static uint32_t colour(int col, int row);

private:
    static DWORD WINAPI run(void* self);
    int x_, y_, cols_, rows_, block_;
    HANDLE thread_ = nullptr, ready_ = nullptr;
    HWND hwnd_ = nullptr;
};

} // namespace harness
