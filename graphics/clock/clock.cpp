// Clock: an analog clock. The face lives in an isotropic logical space of 1000 units from the
// centre to the nearer edge, so the dial stays round in any window shape. A one-second timer
// erases the hands last drawn (with the white pen) and draws the new ones: only the second hand
// within a minute, all three when the hour or the minute changed.
#include "frame/frame.h"
#include "clock_face.h"

static struct {
    app_frame frame;
    int width, height;        // client size
    SYSTEMTIME previous_time; // what the hands on screen show
} g;

static void apply_clock_mapping(HDC dc) {
    SetMapMode(dc, MM_ISOTROPIC);
    SetWindowExtEx(dc, 1000, 1000, nullptr);
    SetViewportExtEx(dc, g.width / 2, -g.height / 2, nullptr);
    SetViewportOrgEx(dc, g.width / 2, g.height / 2, nullptr);
}

static void paint_dial(HDC dc) {
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    for (int i = 0; i < DIAL_DOTS; i++) {
        const RECT r = dial_dot(i);
        Ellipse(dc, r.left, r.top, r.right, r.bottom);
    }
}

// Outlines in the selected pen; without `all_hands` only the second hand.
static void paint_hands(HDC dc, const SYSTEMTIME& t, bool all_hands) {
    int angles[HAND_COUNT];
    hand_angles(t, angles);
    POINT points[HAND_COUNT][HAND_POINTS];
    copy_memory(points, hand_points, sizeof points);
    for (int hand = all_hands ? 0 : HAND_COUNT - 1; hand < HAND_COUNT; hand++) {
        rotate_points(points[hand], HAND_POINTS, angles[hand]);
        Polyline(dc, points[hand], HAND_POINTS);
    }
}

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    apply_clock_mapping(dc);
    paint_dial(dc);
    paint_hands(dc, g.previous_time, true);
    EndPaint(hwnd, &ps);
}

static void on_timer(HWND hwnd) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const bool all_hands =
        now.wHour != g.previous_time.wHour || now.wMinute != g.previous_time.wMinute;
    HDC dc = GetDC(hwnd);
    apply_clock_mapping(dc);
    // Drawing the old hands in white erases them (and may nick the others, redrawn next).
    SelectObject(dc, GetStockObject(WHITE_PEN));
    paint_hands(dc, g.previous_time, all_hands);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    paint_hands(dc, now, true);
    ReleaseDC(hwnd, dc);
    g.previous_time = now;
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        SetTimer(hwnd, 1, 1000, nullptr);
        GetLocalTime(&g.previous_time);
        return 0;
    case WM_SIZE:
        g.width = LOWORD(lp);
        g.height = static_cast<short>(HIWORD(lp));
        return 0;
    case WM_TIMER: on_timer(hwnd); return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY:
        KillTimer(hwnd, 1);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"clock", L"Analog Clock", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
