// Tessary: a monochrome picture seen through an elliptical hole, centred in the client area, with
// the window's background all around the ellipse. The picture is blackened outside the ellipse
// once; each paint then cuts the ellipse out of the background with the mask and ORs the picture
// into the hole.
#include "frame/frame.h"

// Raster operation: destination AND NOT source.
static const DWORD DST_AND_NOT_SRC = 0x00220326;

static struct {
    app_frame frame;
    int width, height; // client size
    HBITMAP image;     // the picture, black outside the ellipse
    HBITMAP mask;      // white ellipse on black
    int image_width, image_height;
} g;

// White inside the ellipse, black around it and on its outline (the default black pen).
static void draw_mask(HDC dc) {
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    Rectangle(dc, 0, 0, g.image_width, g.image_height);
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Ellipse(dc, 0, 0, g.image_width, g.image_height);
}

static void forget_bitmaps() {
    if (g.image) DeleteObject(g.image);
    if (g.mask) DeleteObject(g.mask);
    g.image = g.mask = nullptr;
}

// Without the picture (or without memory for the mask) nothing is drawn: a picture shown
// unmasked would not be this program's picture.
static void on_create() {
    g.image = LoadBitmapW(rt.module, L"TESSARY");
    BITMAP bm;
    if (!g.image || !GetObjectW(g.image, sizeof bm, &bm)) return forget_bitmaps();
    g.image_width = bm.bmWidth;
    g.image_height = bm.bmHeight;
    g.mask = CreateBitmap(g.image_width, g.image_height, 1, 1, nullptr);
    HDC image_dc = CreateCompatibleDC(nullptr);
    HDC mask_dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old_image = image_dc ? SelectObject(image_dc, g.image) : nullptr;
    HGDIOBJ old_mask = mask_dc && g.mask ? SelectObject(mask_dc, g.mask) : nullptr;
    if (old_image && old_mask) {
        draw_mask(mask_dc);
        BitBlt(image_dc, 0, 0, g.image_width, g.image_height, mask_dc, 0, 0, SRCAND);
    } else {
        forget_bitmaps();
    }
    if (old_image) SelectObject(image_dc, old_image);
    if (old_mask) SelectObject(mask_dc, old_mask);
    if (image_dc) DeleteDC(image_dc);
    if (mask_dc) DeleteDC(mask_dc);
}

// Integer division truncates toward zero, also when the window is smaller than the picture.
static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    HDC image_dc = CreateCompatibleDC(dc);
    HDC mask_dc = CreateCompatibleDC(dc);
    if (g.image && image_dc && mask_dc) {
        HGDIOBJ old_image = SelectObject(image_dc, g.image);
        HGDIOBJ old_mask = SelectObject(mask_dc, g.mask);
        const int x = (g.width - g.image_width) / 2;
        const int y = (g.height - g.image_height) / 2;
        BitBlt(dc, x, y, g.image_width, g.image_height, mask_dc, 0, 0, DST_AND_NOT_SRC);
        BitBlt(dc, x, y, g.image_width, g.image_height, image_dc, 0, 0, SRCPAINT);
        SelectObject(image_dc, old_image);
        SelectObject(mask_dc, old_mask);
    }
    if (image_dc) DeleteDC(image_dc);
    if (mask_dc) DeleteDC(mask_dc);
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
        forget_bitmaps();
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"tessary", L"Bitmap Masking Demo", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
