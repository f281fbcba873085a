// Holvard2: the brick wall of holvard1, with the 8 x 8 brick built in memory from a bit array
// and a BITMAP record instead of loaded from a resource.
#include "frame/frame.h"
#include "bitmaps/tiles.h"

static struct {
    app_frame frame;
    int width, height; // client size
    BYTE bits[16];     // 8 rows of 2 bytes: device-dependent rows are aligned to 16 bits
    BITMAP record;
    HBITMAP brick;
} g;

// Rows from the top, the leftmost pixel in the most significant bit, 1 = white: a mortar line,
// three rows of brick with a joint in columns 4-5, a mortar line, three with the joint in 0-1.
static const BYTE brick_rows[16] = {0xFF, 0x00, 0x0C, 0x00, 0x0C, 0x00, 0x0C, 0x00,
                                    0xFF, 0x00, 0xC0, 0x00, 0xC0, 0x00, 0xC0, 0x00};

static void on_create() {
    copy_memory(g.bits, brick_rows, sizeof g.bits);
    g.record.bmType = 0;
    g.record.bmWidth = 8;
    g.record.bmHeight = 8;
    g.record.bmWidthBytes = 2;
    g.record.bmPlanes = 1;
    g.record.bmBitsPixel = 1;
    g.record.bmBits = g.bits;
    g.brick = CreateBitmapIndirect(&g.record);
}

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    tile_bitmap(dc, g.width, g.height, g.brick, g.record.bmWidth, g.record.bmHeight);
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
    frame_init(&g.frame, L"holvard2", L"CreateBitmap Demo", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
