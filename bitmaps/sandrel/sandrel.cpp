// Sandrel: the top-left corner of the program's own window (the frame and the system-menu icon)
// is copied from the window's device context and tiled over the client area, so the wallpaper
// shows whatever that corner showed when the client area was last painted.
#include "frame/frame.h"
#include "bitmaps/tiles.h"

static struct {
    app_frame frame;
    int width, height;               // client size
    int source_width, source_height; // the corner copied
} g;

// The frame on both sides of the small icon (the frame width counted twice), and the frame above
// the caption with the caption itself.
static void on_create() {
    g.source_width = GetSystemMetrics(SM_CXSIZEFRAME) + GetSystemMetrics(SM_CXSMICON) +
                     GetSystemMetrics(SM_CXSIZEFRAME);
    g.source_height = GetSystemMetrics(SM_CYSIZEFRAME) + GetSystemMetrics(SM_CYCAPTION);
}

// The last row and column of copies start on the client edge itself (both bounds inclusive).
static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (HDC window = GetWindowDC(hwnd)) {
        tile_blt(dc, g.width, g.height, window, g.source_width, g.source_height, true);
        ReleaseDC(hwnd, window);
    }
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: on_create(); return 0;
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
    frame_init(&g.frame, L"sandrel", L"Sandrel Demo", wnd_proc);
    g.frame.wc.hIcon = LoadIconW(nullptr, IDI_INFORMATION);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
