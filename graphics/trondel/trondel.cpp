// Trondel: a cubic Bezier curve and the tangents at its ends. While the left button is held, the
// first inner control point follows the mouse; while the right one is held, the second; with both,
// both. Each move erases the curve by drawing it in white and draws it again in black at once,
// through the window's own device context, without waiting for a repaint.
#include "frame/frame.h"

static struct {
    app_frame frame;
    POINT control_points[4];
} g;

static void paint_curve(HDC dc) {
    const POINT* p = g.control_points;
    PolyBezier(dc, p, 4);
    MoveToEx(dc, p[0].x, p[0].y, nullptr);
    LineTo(dc, p[1].x, p[1].y);
    MoveToEx(dc, p[2].x, p[2].y, nullptr);
    LineTo(dc, p[3].x, p[3].y);
}

static void on_size(LPARAM lp) {
    const int w = LOWORD(lp), h = static_cast<short>(HIWORD(lp));
    g.control_points[0] = POINT{w / 4, h / 2};
    g.control_points[1] = POINT{w / 2, h / 4};
    g.control_points[2] = POINT{w / 2, 3 * h / 4};
    g.control_points[3] = POINT{3 * w / 4, h / 2};
}

static void on_mouse(HWND hwnd, WPARAM keys, LPARAM lp) {
    if (!(keys & (MK_LBUTTON | MK_RBUTTON))) return;
    HDC dc = GetDC(hwnd);
    SelectObject(dc, GetStockObject(WHITE_PEN));
    paint_curve(dc);
    const POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    if (keys & MK_LBUTTON) g.control_points[1] = at;
    if (keys & MK_RBUTTON) g.control_points[2] = at;
    SelectObject(dc, GetStockObject(BLACK_PEN));
    paint_curve(dc);
    ReleaseDC(hwnd, dc);
}

// Every move erases the old curve with the white pen, which leaves white trails on a window
// colour other than white. A paint therefore takes the whole client area and erases it with the
// class background before drawing: uncovering any part of the window also wipes those trails.
static void on_paint(HWND hwnd) {
    InvalidateRect(hwnd, nullptr, TRUE);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    paint_curve(dc);
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SIZE: on_size(lp); return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MOUSEMOVE: on_mouse(hwnd, wp, lp); return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"trondel", L"Trondel Splines", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
