// The digital clock's figures: the digit cells for a time, and the segment table.
#include "graphics/hurvane/segments.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The cells as text, a blank cell as a space: "HHMMSS".
std::string cells_of(int h, int m, int s, bool use_24, bool suppress) {
    SYSTEMTIME t{};
    t.wHour = WORD(h);
    t.wMinute = WORD(m);
    t.wSecond = WORD(s);
    int cells[6];
    time_cells(t, use_24, suppress, cells);
    std::string out;
    for (int c : cells)
        out += c == CELL_BLANK ? ' ' : char('0' + c);
    return out;
}

TEST(hurvane_segments, hours_in_24_hour_mode) {
    EXPECT_EQ(cells_of(0, 5, 9, true, false), "000509");
    EXPECT_EQ(cells_of(9, 5, 9, true, false), "090509");
    EXPECT_EQ(cells_of(9, 5, 9, true, true), " 90509");
    EXPECT_EQ(cells_of(0, 0, 0, true, true), " 00000");
    EXPECT_EQ(cells_of(13, 45, 30, true, true), "134530");
    EXPECT_EQ(cells_of(23, 59, 59, true, false), "235959");
}

TEST(hurvane_segments, hours_in_12_hour_mode) {
    EXPECT_EQ(cells_of(0, 5, 9, false, false), "120509"); // midnight shows as 12
    EXPECT_EQ(cells_of(12, 0, 0, false, true), "120000");
    EXPECT_EQ(cells_of(13, 1, 2, false, false), "010102");
    EXPECT_EQ(cells_of(13, 1, 2, false, true), " 10102"); // minutes keep their zero
    EXPECT_EQ(cells_of(9, 5, 9, false, true), " 90509");
    EXPECT_EQ(cells_of(22, 10, 0, false, true), "101000");
    EXPECT_EQ(cells_of(23, 59, 59, false, false), "115959");
}

TEST(hurvane_segments, segment_table) {
    int lit[10] = {};
    for (int d = 0; d < 10; d++)
        for (int s = 0; s < SEGMENTS; s++)
            lit[d] += segment_on[d][s];
    const int expected[10] = {6, 2, 5, 5, 4, 5, 6, 3, 7, 6};
    for (int d = 0; d < 10; d++)
        EXPECT_EQ(lit[d], expected[d]) << d;
    // No two digits look alike.
    for (int a = 0; a < 10; a++)
        for (int b = a + 1; b < 10; b++) {
            bool same = true;
            for (int s = 0; s < SEGMENTS; s++)
                same = same && segment_on[a][s] == segment_on[b][s];
            EXPECT_FALSE(same) << a << " " << b;
        }
}

TEST(hurvane_segments, figures_stay_inside_their_cells) {
    for (const auto& segment : segment_points)
        for (const POINT& p : segment) {
            EXPECT_GE(p.x, 0);
            EXPECT_LE(p.x, DIGIT_WIDTH);
            EXPECT_GE(p.y, 0);
            EXPECT_LE(p.y, STRIP_HEIGHT);
        }
    for (const auto& diamond : colon_points)
        for (const POINT& p : diamond) {
            EXPECT_GE(p.x, 0);
            EXPECT_LE(p.x, COLON_WIDTH);
        }
    EXPECT_EQ(STRIP_WIDTH, 276);
}

} // namespace
