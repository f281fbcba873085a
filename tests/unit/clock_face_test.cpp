// The analog clock's geometry: rounding, rotation, hand angles and the dial's dots.
#include "graphics/clock/clock_face.h"

#include <gtest/gtest.h>

#include <math.h>

namespace {

TEST(clock_face, rounds_halves_to_even) {
    EXPECT_EQ(round_half_even(0.5), 0);
    EXPECT_EQ(round_half_even(1.5), 2);
    EXPECT_EQ(round_half_even(2.5), 2);
    EXPECT_EQ(round_half_even(-0.5), 0);
    EXPECT_EQ(round_half_even(-1.5), -2);
    EXPECT_EQ(round_half_even(-2.5), -2);
    EXPECT_EQ(round_half_even(2.4999), 2);
    EXPECT_EQ(round_half_even(2.5001), 3);
    EXPECT_EQ(round_half_even(-2.5001), -3);
    EXPECT_EQ(round_half_even(899.9999), 900);
    EXPECT_EQ(round_half_even(-0.0012), 0);
}

SYSTEMTIME at(int hour, int minute, int second) {
    SYSTEMTIME t{};
    t.wHour = WORD(hour);
    t.wMinute = WORD(minute);
    t.wSecond = WORD(second);
    return t;
}

TEST(clock_face, hand_angles) {
    const struct {
        int h, m, s;
        int hour, minute, second;
    } cases[] = {
        {12, 0, 0, 0, 0, 0},     {0, 0, 0, 0, 0, 0},         {3, 0, 0, 90, 0, 0},
        {3, 30, 0, 105, 180, 0}, {15, 30, 0, 105, 180, 0},   {23, 59, 59, 359, 354, 354},
        {6, 1, 1, 180, 6, 6},    {9, 45, 30, 292, 270, 180},
    };
    for (const auto& c : cases) {
        int angles[HAND_COUNT];
        hand_angles(at(c.h, c.m, c.s), angles);
        EXPECT_EQ(angles[0], c.hour) << c.h << ":" << c.m;
        EXPECT_EQ(angles[1], c.minute);
        EXPECT_EQ(angles[2], c.second);
    }
}

// The tips of the hour, minute and second hands at a time of day, rotated from the table (which
// itself stays as it is).
TEST(clock_face, hands_point_where_the_time_says) {
    const struct {
        int h, m, s;
        POINT hour, minute, second;
    } cases[] = {
        {12, 0, 0, {0, 600}, {0, 800}, {0, 800}},        // all straight up
        {3, 0, 15, {600, 0}, {0, 800}, {800, 0}},        // hour and second hands to the right
        {3, 30, 0, {580, -155}, {0, -800}, {0, 800}},    // 105 degrees: 600 (sin, cos) 105
        {21, 45, 45, {-556, 225}, {-800, 0}, {-800, 0}}, // 292 degrees
    };
    for (const auto& c : cases) {
        int angles[HAND_COUNT];
        hand_angles(at(c.h, c.m, c.s), angles);
        POINT p[HAND_COUNT][HAND_POINTS];
        for (int i = 0; i < HAND_COUNT; i++) {
            for (int k = 0; k < HAND_POINTS; k++)
                p[i][k] = hand_points[i][k];
            rotate_points(p[i], HAND_POINTS, angles[i]);
        }
        const POINT tips[3] = {p[0][2], p[1][2], p[2][4]};
        const POINT want[3] = {c.hour, c.minute, c.second};
        for (int i = 0; i < 3; i++) {
            EXPECT_EQ(tips[i].x, want[i].x) << c.h << ":" << c.m << ":" << c.s << " hand " << i;
            EXPECT_EQ(tips[i].y, want[i].y) << c.h << ":" << c.m << ":" << c.s << " hand " << i;
        }
        if (c.h == 3 && c.m == 0) { // the diamond turns with its tip: its sides point down and up
            EXPECT_EQ(p[0][1].x, 0);
            EXPECT_EQ(p[0][1].y, -100);
            EXPECT_EQ(p[0][0].x, -150);
            EXPECT_EQ(p[0][0].y, 0);
        }
    }
    EXPECT_EQ(hand_points[0][2].y, 600);
}

// 6.28318 is a little short of a full turn; the angle's radians follow it, not 2 pi.
TEST(clock_face, rotation_uses_the_clock_s_own_turn) {
    POINT p = {0, 1000000};
    rotate_points(&p, 1, 180);
    const double r = 180 * 6.28318 / 360;
    EXPECT_EQ(p.x, lround(1000000 * sin(r)));
    EXPECT_EQ(p.x, 3); // with full-precision pi it would be 0
    EXPECT_EQ(p.y, -1000000);
}

TEST(clock_face, dial_dots) {
    int large = 0;
    for (int i = 0; i < DIAL_DOTS; i++) {
        const RECT r = dial_dot(i);
        const int d = r.right - r.left;
        EXPECT_EQ(r.bottom - r.top, d);
        EXPECT_EQ(d, i % 5 == 0 ? 100 : 33) << i;
        large += d == 100;
        // Centred on the circle of radius 900, within rounding and the truncated half.
        const double angle = i * 6 * 6.28318 / 360;
        EXPECT_NEAR(r.left + d / 2, 900 * sin(angle), 1.0) << i;
        EXPECT_NEAR(r.top + d / 2, 900 * cos(angle), 1.0) << i;
    }
    EXPECT_EQ(large, 12);
    const RECT top = dial_dot(0), right = dial_dot(15), small = dial_dot(1);
    EXPECT_EQ(top.left, -50);
    EXPECT_EQ(top.top, 850);
    EXPECT_EQ(top.right, 50);
    EXPECT_EQ(top.bottom, 950);
    EXPECT_EQ(right.left, 850);
    EXPECT_EQ(right.top, -50);
    EXPECT_EQ(small.right - small.left, 33);
    EXPECT_EQ(small.left, round_half_even(900 * sin(6 * 6.28318 / 360)) - 16);
}

} // namespace
