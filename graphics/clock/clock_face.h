// The geometry of the analog clock, apart from the window: the hands' outlines, their rotation and
// angles, and the dial's dots. Units are 1/1000 of the dial's radius, y pointing up.
#pragma once

#include <windows.h>

enum { HAND_COUNT = 3, HAND_POINTS = 5, DIAL_DOTS = 60 };

// Hour, minute and second hand as they lie at 12:00:00.
extern const POINT hand_points[HAND_COUNT][HAND_POINTS];

// Nearest integer, halves to the even neighbour.
long round_half_even(double v);

// Turns each point clockwise (as seen on screen) about the origin by `angle` whole degrees.
void rotate_points(POINT* points, int count, int angle);

// The hour, minute and second hand's angles in degrees for a time of day.
void hand_angles(const SYSTEMTIME& t, int angles[HAND_COUNT]);

// The bounding rectangle (logical units) of dial dot `index` (0 at 12 o'clock, clockwise).
RECT dial_dot(int index);
