#include "clock_face.h"

#include <math.h>

const POINT hand_points[HAND_COUNT][HAND_POINTS] = {
    {{0, -150}, {100, 0}, {0, 600}, {-100, 0}, {0, -150}}, // hour: a closed diamond
    {{0, -200}, {50, 0}, {0, 800}, {-50, 0}, {0, -200}},   // minute: a longer, thinner one
    {{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 800}},            // second: a line from the centre
};

long round_half_even(double v) {
    const double below = floor(v);
    const double fraction = v - below;
    long n = static_cast<long>(below);
    if (fraction > 0.5 || (fraction == 0.5 && (n & 1))) n++;
    return n;
}

void rotate_points(POINT* points, int count, int angle) {
    // The clock's own value of a full turn, not the full-precision 2 pi.
    const double r = angle * 6.28318 / 360;
    const double c = cos(r), s = sin(r);
    for (int i = 0; i < count; i++) {
        const double x = points[i].x, y = points[i].y;
        points[i].x = round_half_even(x * c + y * s);
        points[i].y = round_half_even(y * c - x * s);
    }
}

void hand_angles(const SYSTEMTIME& t, int angles[HAND_COUNT]) {
    angles[0] = (t.wHour * 30) % 360 + t.wMinute / 2; // the hour hand creeps with the minutes
    angles[1] = t.wMinute * 6;
    angles[2] = t.wSecond * 6;
}

RECT dial_dot(int index) {
    const int angle = index * 6;
    POINT p = {0, 900};
    rotate_points(&p, 1, angle);
    const int d = angle % 5 == 0 ? 100 : 33; // the hour positions get the large dots
    RECT r;
    r.left = p.x - d / 2;
    r.top = p.y - d / 2;
    r.right = r.left + d;
    r.bottom = r.top + d;
    return r;
}
