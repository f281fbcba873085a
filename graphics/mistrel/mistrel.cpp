// Mistrel: an endless stream of randomly placed, randomly coloured rectangles. They are drawn from
// the idle branch of the message loop, whenever no message waits, at most one every 20
// milliseconds; the window never paints, so whatever covers it wipes its rectangles and new ones
// keep arriving.
#include "frame/frame.h"

static struct {
    app_frame frame;
    int width, height; // client size
    DWORD last_tick;   // when the last rectangle was drawn
} g;

static void draw_rectangle() {
    // Unsigned: the tick count wraps after 49.7 days and the difference stays right across it.
    if (GetTickCount() - g.last_tick < 20) return;
    // Minimised (or not yet sized): random(-1) would give whole words, far outside the window.
    if (g.width <= 0 || g.height <= 0) return;
    const int bottom = random(g.height - 1);
    const int right = random(g.width - 1);
    const int top = random(g.height - 1);
    const int left = random(g.width - 1);
    RECT r;
    SetRect(&r, left, top, right, bottom); // the corners are not put in order
    const uint32_t blue = random(255), green = random(255), red = random(255);
    HBRUSH brush = CreateSolidBrush(RGB(red, green, blue));
    HDC dc = GetDC(g.frame.hwnd);
    FillRect(dc, &r, brush);
    ReleaseDC(g.frame.hwnd, dc);
    DeleteObject(brush);
    g.last_tick = GetTickCount();
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SIZE:
        g.width = LOWORD(lp);
        g.height = static_cast<short>(HIWORD(lp));
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"mistrel", L"Random Rectangles", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW))
        frame_loop_idle(&g.frame, draw_rectangle);
    process_end(frame_exit_code(&g.frame));
}
