// Bounce: a hatched ball bounces around the client area, one step every 10 ms, with a beep at each
// wall it meets (two at a corner). The ball is drawn once per window size into a memory bitmap
// with a white margin one step wide around it, so drawing the bitmap one step further on also
// erases where the ball was: no other erasing is needed.
#include "frame/frame.h"

static struct {
    app_frame frame;
    int width, height;   // client size
    HBITMAP ball_bitmap; // the ball and its margin; none before the first size or after a failure
    int centre_x, centre_y; // the ball's centre
    int aspect_x, aspect_y; // the pixel's relative width and height (ASPECTX, ASPECTY)
    int radius_x, radius_y;
    int step_x, step_y; // signed: the sign is the direction
    int total_width, total_height;
} g;

// A display that reports no aspect (or no context to ask) is taken to have square pixels, so that
// the ball's size never divides by zero.
static void read_aspect(HWND hwnd) {
    g.aspect_x = g.aspect_y = 1;
    if (HDC dc = GetDC(hwnd)) {
        const int ax = GetDeviceCaps(dc, ASPECTX), ay = GetDeviceCaps(dc, ASPECTY);
        ReleaseDC(hwnd, dc);
        if (ax > 0) g.aspect_x = ax;
        if (ay > 0) g.aspect_y = ay;
    }
}

static int at_least_one(double value) {
    return value < 1 ? 1 : static_cast<int>(value);
}

// The white square with the black-hatched ball inside, its gaps magenta. Null when the bitmap or
// its context cannot be made.
static HBITMAP draw_ball(HWND hwnd) {
    HDC window_dc = GetDC(hwnd);
    if (!window_dc) return nullptr;
    HDC memory_dc = CreateCompatibleDC(window_dc);
    HBITMAP bitmap = CreateCompatibleBitmap(window_dc, g.total_width, g.total_height);
    ReleaseDC(hwnd, window_dc);
    if (!memory_dc || !bitmap) {
        if (memory_dc) DeleteDC(memory_dc);
        if (bitmap) DeleteObject(bitmap);
        return nullptr;
    }
    SelectObject(memory_dc, bitmap);
    // The default white brush and black pen; the outline falls outside the bitmap.
    Rectangle(memory_dc, -1, -1, g.total_width + 1, g.total_height + 1);
    HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(0, 0, 0));
    if (hatch) SelectObject(memory_dc, hatch);
    SetBkColor(memory_dc, RGB(255, 0, 255));
    Ellipse(memory_dc, g.step_x, g.step_y, g.total_width - g.step_x, g.total_height - g.step_y);
    // The context goes first, taking the brush out of use with it.
    DeleteDC(memory_dc);
    if (hatch) DeleteObject(hatch);
    return bitmap;
}

static void on_size(HWND hwnd, LPARAM lp) {
    g.width = LOWORD(lp);
    g.height = static_cast<short>(HIWORD(lp));
    g.centre_x = static_cast<int>(g.width / 2.0);
    g.centre_y = static_cast<int>(g.height / 2.0);
    const long long wide = static_cast<long long>(g.width) * g.aspect_x;
    const long long tall = static_cast<long long>(g.height) * g.aspect_y;
    // The ball is round on screen whatever the pixel shape: its diameter is an eighth of the
    // smaller side.
    const double scale = static_cast<double>(wide < tall ? wide : tall) / 16.0;
    g.radius_x = static_cast<int>(scale / g.aspect_x);
    g.radius_y = static_cast<int>(scale / g.aspect_y);
    g.step_x = at_least_one(g.radius_x / 8.0);
    g.step_y = at_least_one(g.radius_y / 8.0);
    g.total_width = 2 * (g.radius_x + g.step_x);
    g.total_height = 2 * (g.radius_y + g.step_y);
    if (g.ball_bitmap) DeleteObject(g.ball_bitmap);
    g.ball_bitmap = draw_ball(hwnd);
}

static void show_ball(HWND hwnd) {
    HDC window_dc = GetDC(hwnd);
    if (!window_dc) return;
    if (HDC memory_dc = CreateCompatibleDC(window_dc)) {
        SelectObject(memory_dc, g.ball_bitmap);
        BitBlt(window_dc, static_cast<int>(g.centre_x - g.total_width / 2.0),
               static_cast<int>(g.centre_y - g.total_height / 2.0), g.total_width, g.total_height,
               memory_dc, 0, 0, SRCCOPY);
        DeleteDC(memory_dc);
    }
    ReleaseDC(hwnd, window_dc);
}

// Draw where the ball is, then move it; a wall reverses the direction that met it.
static void on_timer(HWND hwnd) {
    show_ball(hwnd);
    g.centre_x += g.step_x;
    g.centre_y += g.step_y;
    if (g.centre_x + g.radius_x >= g.width || g.centre_x - g.radius_x <= 0) {
        g.step_x = -g.step_x;
        MessageBeep(0);
    }
    if (g.centre_y + g.radius_y >= g.height || g.centre_y - g.radius_y <= 0) {
        g.step_y = -g.step_y;
        MessageBeep(0);
    }
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        read_aspect(hwnd);
        SetTimer(hwnd, 1, 10, nullptr);
        return 0;
    case WM_SIZE: on_size(hwnd, lp); return 0;
    case WM_TIMER:
        if (!g.ball_bitmap) break; // nothing to move before the first size or after a failure
        on_timer(hwnd);
        return 0;
    case WM_DESTROY:
        if (g.ball_bitmap) DeleteObject(g.ball_bitmap);
        KillTimer(hwnd, 1);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"bounce", L"Bouncing Ball", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
