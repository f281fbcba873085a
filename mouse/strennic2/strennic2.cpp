// Strennic2: the rubber band of strennic1 with the mouse captured during the drag, so the band
// follows the mouse outside the window, to negative corners left of or above it.
#include "frame/frame.h"
#include "mouse/rubber_band.h"

static struct {
    app_frame frame;
    rubber_band band;
} g;

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    if (rubber_band_message(&g.band, hwnd, msg, wp, lp)) return 0;
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    g.band.capture = true;
    frame_init(&g.frame, L"strennic2", L"Mouse Button & Capture Demo", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
