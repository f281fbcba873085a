// Prellis: the client area tiled with the program's icon, from the top-left corner, the last row
// and column drawn even where only part of an icon fits.
#include "frame/frame.h"
#include "resource.h"

static struct {
    app_frame frame;
    HICON icon;
    int icon_width, icon_height;
    int width, height; // client size
} g;

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    // A zero step would never leave the loops.
    if (g.icon_width > 0 && g.icon_height > 0)
        for (int y = 0; y < g.height; y += g.icon_height)
            for (int x = 0; x < g.width; x += g.icon_width)
                DrawIcon(dc, x, y, g.icon);
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        g.icon = LoadIconW(rt.module, MAKEINTRESOURCEW(IDI_PRELLIS));
        g.icon_width = GetSystemMetrics(SM_CXICON);
        g.icon_height = GetSystemMetrics(SM_CYICON);
        return 0;
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
    frame_init(&g.frame, L"prellis", L"Icon Demo", wnd_proc);
    g.frame.wc.hIcon = LoadIconW(rt.module, MAKEINTRESOURCEW(IDI_PRELLIS));
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
