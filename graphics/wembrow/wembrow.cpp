// Wembrow: one period of a sine wave drawn as a single polyline of 1000 points across the client
// area, over a horizontal axis at half the height. The curve starts on the axis at the left edge,
// peaks at a quarter of the width and bottoms out at three quarters.
#include "frame/frame.h"

#include <math.h>

enum { WAVE_POINTS = 1000 };

static struct {
    app_frame frame;
    int width, height; // client size
    POINT wave[WAVE_POINTS];
} g;

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    const int w = g.width, h = g.height;
    MoveToEx(dc, 0, h / 2, nullptr);
    LineTo(dc, w, h / 2);
    // 6.28318 stands for a full turn; the last point falls just short of the right edge.
    for (int i = 0; i < WAVE_POINTS; i++) {
        g.wave[i].x = static_cast<LONG>(i * w / double(WAVE_POINTS));
        g.wave[i].y = static_cast<LONG>(h / 2.0 * (1 - sin(6.28318 * i / double(WAVE_POINTS))));
    }
    Polyline(dc, g.wave, WAVE_POINTS);
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
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
    frame_init(&g.frame, L"wembrow", L"Sine Wave Using Polyline", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
