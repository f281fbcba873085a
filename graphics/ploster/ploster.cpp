// Ploster: one self-overlapping ten-point figure filled twice with the gray stock brush, in the
// left half with the alternate fill mode (the square where the outline crosses itself stays
// empty) and in the right half with the winding mode (that square is filled as well).
#include "frame/frame.h"

enum { FIGURE_POINTS = 10 };

static struct {
    app_frame frame;
    int width, height;                  // client size
    POINT figure_points[FIGURE_POINTS]; // in units of a 100 x 100 square
} g;

static void fill_figure() {
    static const POINT figure[FIGURE_POINTS] = {{10, 70}, {50, 70}, {50, 10}, {90, 10}, {90, 50},
                                                {30, 50}, {30, 90}, {70, 90}, {70, 30}, {10, 30}};
    copy_memory(g.figure_points, figure, sizeof figure);
}

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    SelectObject(dc, GetStockObject(GRAY_BRUSH));
    POINT shape[FIGURE_POINTS];
    for (int i = 0; i < FIGURE_POINTS; i++) {
        shape[i].x = g.width * g.figure_points[i].x / 200;
        shape[i].y = g.height * g.figure_points[i].y / 100;
    }
    SetPolyFillMode(dc, ALTERNATE);
    Polygon(dc, shape, FIGURE_POINTS);
    for (POINT& p : shape)
        p.x += g.width / 2;
    SetPolyFillMode(dc, WINDING);
    Polygon(dc, shape, FIGURE_POINTS);
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: fill_figure(); return 0;
    case WM_SIZE:
        g.width = LOWORD(lp);
        g.height = static_cast<short>(HIWORD(lp));
        return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"ploster", L"Alternate and Winding Fill Modes", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
