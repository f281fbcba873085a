// The analog clock as a user sees it: its face compared with one drawn here for the time the test
// reads, with the same GDI calls at the places the clock's geometry gives (the rotation is
// computed here on its own). The program's clock runs from the real time of day, or from a moment
// ahead of it that the probe gives it.
#include "harness/checks.h"
#include "harness/harness.h"
#include "harness/probe.h"

#include <math.h>

using namespace harness;

namespace {

// Turns a point clockwise on screen by whole degrees, with the clock's own 6.28318 per turn and
// rounding to the nearest integer, halves to even (the default rounding mode).
POINT turn(POINT p, int angle) {
    const double r = angle * 6.28318 / 360;
    return POINT{LONG(nearbyint(p.x * cos(r) + p.y * sin(r))),
                 LONG(nearbyint(p.y * cos(r) - p.x * sin(r)))};
}

void clock_mapping(HDC dc, int w, int h) {
    SetMapMode(dc, MM_ISOTROPIC);
    SetWindowExtEx(dc, 1000, 1000, nullptr);
    SetViewportExtEx(dc, w / 2, -h / 2, nullptr);
    SetViewportOrgEx(dc, w / 2, h / 2, nullptr);
}

// Logical units (1000 from the centre to the nearer edge, y up) to client pixels.
POINT to_client(int w, int h, POINT p) {
    HDC dc = CreateCompatibleDC(nullptr);
    clock_mapping(dc, w, h);
    LPtoDP(dc, &p, 1);
    DeleteDC(dc);
    return p;
}

const POINT hands[3][5] = {
    {{0, -150}, {100, 0}, {0, 600}, {-100, 0}, {0, -150}},
    {{0, -200}, {50, 0}, {0, 800}, {-50, 0}, {0, -200}},
    {{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 800}},
};

// The face at a time of day: 60 dots on the circle of radius 900 (100 across at the hours, 33
// elsewhere), then the three hands' outlines.
image face_at(int w, int h, const SYSTEMTIME& t) {
    return render(w, h, [&](HDC dc) {
        clock_mapping(dc, w, h);
        SelectObject(dc, GetStockObject(BLACK_BRUSH));
        for (int angle = 0; angle < 360; angle += 6) {
            const POINT c = turn(POINT{0, 900}, angle);
            const int d = angle % 30 == 0 ? 100 : 33;
            Ellipse(dc, c.x - d / 2, c.y - d / 2, c.x - d / 2 + d, c.y - d / 2 + d);
        }
        const int angles[3] = {t.wHour % 12 * 30 + t.wMinute / 2, t.wMinute * 6, t.wSecond * 6};
        for (int i = 0; i < 3; i++) {
            POINT p[5];
            for (int k = 0; k < 5; k++)
                p[k] = turn(hands[i][k], angles[i]);
            Polyline(dc, p, 5);
        }
    });
}

int differing_dark(const image& a, const image& b) {
    if (a.width != b.width || a.height != b.height) return -1;
    int n = 0;
    for (size_t i = 0; i < a.px.size(); i++)
        n += is_dark(a.px[i]) != is_dark(b.px[i]);
    return n;
}

int ahead = 0; // seconds the program's clock runs ahead of this one

SYSTEMTIME add_seconds(const SYSTEMTIME& t, int seconds);

SYSTEMTIME now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return add_seconds(t, ahead);
}

SYSTEMTIME add_seconds(const SYSTEMTIME& t, int seconds) {
    FILETIME ft;
    SystemTimeToFileTime(&t, &ft);
    ULARGE_INTEGER u{{ft.dwLowDateTime, ft.dwHighDateTime}};
    u.QuadPart += LONGLONG(seconds) * 10000000;
    ft.dwLowDateTime = u.LowPart;
    ft.dwHighDateTime = u.HighPart;
    SYSTEMTIME out;
    FileTimeToSystemTime(&ft, &out);
    return out;
}

std::string hms(const SYSTEMTIME& t) {
    char s[16];
    snprintf(s, sizeof s, "%02d:%02d:%02d", t.wHour, t.wMinute, t.wSecond);
    return s;
}

// The clock's face shows a time between one tick before `before` and `after`.
void expect_face_between(const image& shown, const SYSTEMTIME& before, const SYSTEMTIME& after,
                         const char* what) {
    ASSERT_GT(shown.width, 50);
    std::string tried;
    int best = -1;
    for (SYSTEMTIME t = add_seconds(before, -1);; t = add_seconds(t, 1)) {
        const int d = differing_dark(shown, face_at(shown.width, shown.height, t));
        if (d == 0) return;
        if (best < 0 || d < best) best = d;
        tried += hms(t) + " ";
        if (hms(t) == hms(after) || tried.size() > 60) break;
    }
    save_bmp(shown, L"clock-shown.bmp");
    ADD_FAILURE() << what << ": the face matches none of " << tried << "(closest differs in "
                  << best << " pixels)";
}

void expect_current_face(HWND hwnd, const char* what) {
    const SYSTEMTIME before = now();
    const image shown = capture_client(hwnd);
    expect_face_between(shown, before, now(), what);
}

TEST(clock, window_class_and_caption) {
    app a;
    HWND hwnd = launch(a, L"clock");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(class_of(hwnd), L"clock");
    EXPECT_EQ(text_of(hwnd), L"Analog Clock");
    EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE) & WS_OVERLAPPEDWINDOW, LONG(WS_OVERLAPPEDWINDOW));
    expect_closes_with_0(a, hwnd);
}

TEST(clock, painted_hands_show_the_current_time) {
    app a;
    HWND hwnd = launch(a, L"clock");
    ASSERT_NE(hwnd, nullptr);
    resize(hwnd, 500, 460);
    expect_current_face(hwnd, "painted");
}

// Each tick erases the old second hand and draws the new hands over what is on the screen: after
// a few ticks without any repainting the face is exactly that of the time, with no trace left.
TEST(clock, ticks_move_the_second_hand_without_traces) {
    app a;
    HWND hwnd = launch(a, L"clock");
    ASSERT_NE(hwnd, nullptr);
    resize(hwnd, 460, 500);
    capture_client(hwnd);
    Sleep(3300);
    expect_current_face(hwnd, "after three ticks");
}

// At a minute's turn all three hands are erased and drawn anew.
TEST(clock, ticks_move_every_hand_at_a_minute_change) {
    app a;
    HWND hwnd = launch(a, L"clock");
    ASSERT_NE(hwnd, nullptr);
    resize(hwnd, 400, 400);
    // The program's minute ends in about three seconds.
    const std::wstring moved = probe(hwnd, PROBE_MINUTE_ENDING_CLOCK);
    ASSERT_FALSE(moved.empty()) << "the clock's time cannot be moved";
    ahead = _wtoi(moved.c_str());
    const SYSTEMTIME start = now();
    // Until 1.5 s past the end of that minute.
    Sleep((60 - start.wSecond) * 1000 - start.wMilliseconds + 1500);
    EXPECT_NE(now().wMinute, start.wMinute);
    expect_current_face(hwnd, "after the minute changed");
}

// The dots at the hour positions are 100 units across, the others 33, on a circle of radius 900.
TEST(clock, hour_dots_are_the_large_ones) {
    app a;
    HWND hwnd = launch(a, L"clock");
    ASSERT_NE(hwnd, nullptr);
    resize(hwnd, 600, 600);
    const image shown = capture_client(hwnd);
    const int w = shown.width, h = shown.height;
    const double unit = std::min(w, h) / 2 / 1000.0; // pixels per logical unit
    for (int i = 0; i < 60; i++) {
        const POINT c = to_client(w, h, turn(POINT{0, 900}, i * 6));
        // The dark run across the dot's centre.
        int left = c.x, right = c.x;
        while (left > 0 && is_dark(shown.at(left - 1, c.y)))
            left--;
        while (right < w - 1 && is_dark(shown.at(right + 1, c.y)))
            right++;
        const double across = (right - left + 1) / unit;
        ASSERT_TRUE(is_dark(shown.at(c.x, c.y))) << "no dot " << i;
        if (i % 5 == 0)
            EXPECT_NEAR(across, 100, 12) << "dot " << i;
        else
            EXPECT_NEAR(across, 33, 12) << "dot " << i;
    }
}

// A window much wider than tall (or taller than wide) keeps a round dial in its middle: 1000 units
// reach the nearer edges.
TEST(clock, dial_stays_round_in_any_window_shape) {
    app a;
    HWND hwnd = launch(a, L"clock");
    ASSERT_NE(hwnd, nullptr);
    for (SIZE size : {SIZE{900, 320}, SIZE{300, 620}}) {
        resize(hwnd, size.cx, size.cy);
        const SYSTEMTIME before = now();
        const image shown = capture_client(hwnd);
        const RECT ink = bounds(shown, is_dark);
        const int across = ink.right - ink.left, tall = ink.bottom - ink.top;
        const int nearer = std::min(shown.width, shown.height);
        EXPECT_LE(std::abs(across - tall), 2) << size.cx << " x " << size.cy;
        // The dial reaches 950 units (the large dots' outer edges).
        EXPECT_NEAR(tall, nearer * 0.95, 4);
        EXPECT_LE(std::abs(ink.left + ink.right - shown.width), 3);
        EXPECT_LE(std::abs(ink.top + ink.bottom - shown.height), 3);
        expect_face_between(shown, before, now(), "resized");
    }
}

} // namespace
