// Stretch: the top-left corner of the program's own window (the frame and the system-menu icon)
// stretched from the window's device context over the whole client area.
//
// GetWindowDC gives a device context for the whole window, frame and caption included, so a
// block transfer can read what the system drew there. StretchBlt copies that small block to a
// rectangle of another size, here the client area, repeating or dropping pixels as it goes; the
// size of the corner comes from the system metrics of the frame, the small icon and the caption.
#include "frame/frame.h"

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

// MERGECOPY combines the corner with the paint context's brush, the default white one, which
// leaves the corner's own colours.
static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (HDC window = GetWindowDC(hwnd)) {
        StretchBlt(dc, 0, 0, g.width, g.height, window, 0, 0, g.source_width, g.source_height,
                   MERGECOPY);
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
    frame_init(&g.frame, L"stretch", L"StretchBlt Demo", wnd_proc);
    g.frame.wc.hIcon = LoadIconW(nullptr, IDI_INFORMATION);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
