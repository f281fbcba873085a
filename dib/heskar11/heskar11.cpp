// Heskar11: draws one picture from two bitmap files beside the program, one stored bottom row
// first and one top row first, each whole and as a cut-out, to show that both row orders display
// alike.
#include "frame/frame.h"
#include "dib/dib_file.h"

static struct {
    app_frame frame;
    uint8_t* image[2]; // 0: bottom-up, 1: top-down; null when it could not be loaded
    int width[2], height[2];
    int client_width, client_height;
} g;

static void on_create() {
    g.image[0] = load_dib_file(L"Heskar11.bmp");
    g.image[1] = load_dib_file(L"HeskarTD.bmp");
    if (!g.image[0] || !g.image[1]) frame_message(&g.frame, L"Cannot load DIB file", MB_OK);
    for (int i = 0; i < 2; i++)
        if (g.image[i]) dib_dimensions(g.image[i], &g.width[i], &g.height[i]);
}

static void draw(HDC dc, int i, int x, int y, int width, int height, int x_src, int y_src) {
    if (!g.image[i]) return;
    SetDIBitsToDevice(dc, x, y, width, height, x_src, y_src, 0, g.height[i],
                      dib_bits_of(g.image[i]), dib_info_of(g.image[i]), DIB_RGB_COLORS);
}

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    int y = g.client_height / 4;
    draw(dc, 0, 0, y, g.width[0], g.height[0], 0, 0);
    draw(dc, 0, 240, y, 80, 166, 80, 60);
    draw(dc, 1, 340, y, g.width[1], g.height[1], 0, 0);
    draw(dc, 1, 580, y, 80, 166, 80, 60);
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: on_create(); return 0;
    case WM_SIZE:
        g.client_width = LOWORD(lp);
        g.client_height = short(HIWORD(lp));
        return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY:
        for (uint8_t*& image : g.image)
            if (image) block_free(image), image = nullptr;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, USES_BLOCKS);
    frame_init(&g.frame, L"heskar11", L"Heskar 11", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
