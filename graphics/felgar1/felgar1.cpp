// Felgar1: 65 vertical bands of gray from black to white across the client area, each filled with
// a plain colour value; on a display with too few colours the system dithers them.
#include "frame/frame.h"
#include "graphics/gray_bands.h"

static struct {
    app_frame frame;
    int width, height; // client size
} g;

static COLORREF plain_gray(int band) {
    const int level = gray_level(band);
    return RGB(level, level, level);
}

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    paint_gray_bands(dc, g.width, g.height, GRAY_LEVELS, plain_gray);
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
    frame_init(&g.frame, L"felgar1", L"Shades of Gray #1", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
