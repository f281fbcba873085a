// Strennic1: a rubber band dragged out with the left button becomes a black box on release.
// Without the capture, the band stops at the last point the mouse reached inside the window.
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
    g.band.capture = false;
    frame_init(&g.frame, L"strennic1", L"Mouse Button Demo", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
