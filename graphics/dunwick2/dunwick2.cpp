// Dunwick2: the same one-second flip between red and blue as dunwick1, but driven by a timer
// callback that draws straight into the window's device context. The window procedure never
// paints: a window uncovered between ticks shows its class background until the next tick.
#include "frame/frame.h"
#include "graphics/flip_colour.h"

static struct {
    app_frame frame;
    int flip_flop; // 0 blue, 1 red; the first tick paints red
} g;

static void CALLBACK timer_tick(HWND hwnd, UINT, UINT_PTR, DWORD) {
    MessageBeep(0xFFFFFFFF);
    g.flip_flop ^= 1;
    RECT client;
    GetClientRect(hwnd, &client);
    if (HDC dc = GetDC(hwnd)) {
        fill_flip_colour(dc, &client, g.flip_flop);
        ReleaseDC(hwnd, dc);
    }
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: SetTimer(hwnd, 1, 1000, timer_tick); return 0;
    case WM_DESTROY:
        KillTimer(hwnd, 1);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"dunwick2", L"Dunwick2 Timer Demo", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
