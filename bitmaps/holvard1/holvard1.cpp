// Holvard1: a brick wall made of one 8 x 8 monochrome bitmap loaded from the program's resources
// and copied tile by tile over the client area, from its top-left corner.
#include "frame/frame.h"
#include "bitmaps/tiles.h"

static struct {
    app_frame frame;
    int width, height; // client size
    HBITMAP brick;     // none when the resource could not be loaded: nothing is drawn then
    int brick_width, brick_height;
} g;

static void on_create() {
    g.brick = LoadBitmapW(rt.module, L"Holvard");
    BITMAP bm;
    if (g.brick && GetObjectW(g.brick, sizeof bm, &bm)) {
        g.brick_width = bm.bmWidth;
        g.brick_height = bm.bmHeight;
    }
}

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    tile_bitmap(dc, g.width, g.height, g.brick, g.brick_width, g.brick_height);
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
    case WM_DESTROY:
        if (g.brick) DeleteObject(g.brick);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"holvard1", L"LoadBitmap Demo", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
