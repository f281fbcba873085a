// Felgar3: vertical bands of gray from black to level 252 across the client area, drawn through a
// 65-entry gray logical palette addressed by palette indexes: band i is entry i of the realised
// palette. The palette is realised at each paint and again when the window comes to the front or
// another program changes the system palette.
#include "frame/frame.h"
#include "graphics/gray_bands.h"

static struct {
    app_frame frame;
    gray_palette_window window;
} g;

static COLORREF palette_gray(int band) {
    return PALETTEINDEX(band);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return gray_palette_proc(&g.window, hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, USES_BLOCKS);
    g.window.colour_of = palette_gray;
    frame_init(&g.frame, L"felgar3", L"Shades of Gray #3", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
