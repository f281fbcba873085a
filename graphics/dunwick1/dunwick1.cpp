// Dunwick1: a one-second timer whose WM_TIMER messages reach the window procedure. Each tick beeps
// and flips the client area between red and blue; the colour lives in the flip-flop, so a window
// uncovered between ticks repaints the current colour at once.
#include "frame/frame.h"
#include "graphics/flip_colour.h"

static struct {
    app_frame frame;
    int width, height; // client size, kept but not needed: the paint reads the client rectangle
    int flip_flop;     // 0 blue, 1 red; the first tick paints red
} g;

static void on_timer(HWND hwnd) {
    MessageBeep(0xFFFFFFFF);
    g.flip_flop ^= 1;
    // The fill covers every pixel, so the background need not be erased first.
    InvalidateRect(hwnd, nullptr, FALSE);
}

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    fill_flip_colour(dc, &client, g.flip_flop);
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: SetTimer(hwnd, 1, 1000, nullptr); return 0;
    case WM_TIMER: on_timer(hwnd); return 0;
    case WM_SIZE:
        g.width = LOWORD(lp);
        g.height = static_cast<short>(HIWORD(lp));
        return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY:
        KillTimer(hwnd, 1);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"dunwick1", L"Dunwick1 Timer Demo", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
