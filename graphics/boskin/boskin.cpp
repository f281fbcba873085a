// Boskin: a small fixed-size window that shows, ten times a second, the colour of the screen pixel
// under the mouse cursor as three hexadecimal values. It repaints only when that colour changes.
#include "frame/frame.h"
#include "graphics/colour_text.h"

static struct {
    app_frame frame;
    HDC screen_dc;           // the whole display, to read any pixel
    COLORREF current_colour; // the last colour read
    COLORREF shown_colour;   // the colour the window was last asked to show
} g;

static void open_screen() {
    g.screen_dc = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
}

static void close_screen() {
    if (g.screen_dc) DeleteDC(g.screen_dc);
    g.screen_dc = nullptr;
}

// A reading that fails (no cursor position, no display context, a point off the display) keeps
// the colour last shown rather than showing the failure value CLR_INVALID as white.
static void on_timer(HWND hwnd) {
    POINT p;
    if (!GetCursorPos(&p)) return;
    const COLORREF colour = GetPixel(g.screen_dc, p.x, p.y);
    if (colour == CLR_INVALID) return;
    g.current_colour = colour;
    if (colour != g.shown_colour) {
        g.shown_colour = colour;
        InvalidateRect(hwnd, nullptr, FALSE);
    }
}

// The update is not erased, and a narrower text would leave pieces of the wider one beside it: the
// client area is cleared first.
static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    const size_t start = rt.temp_top;
    temp_push(L"  ");
    temp_push_colour(g.current_colour, L" ", rt.temp_top);
    DrawTextW(dc, temp_text(start), -1, &client, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    rt.temp_top = start;
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        open_screen();
        SetTimer(hwnd, 1, 100, nullptr);
        return 0;
    case WM_DISPLAYCHANGE:
        close_screen();
        open_screen();
        return 0;
    case WM_TIMER: on_timer(hwnd); return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY:
        close_screen();
        KillTimer(hwnd, 1);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// Twelve average characters wide and two lines tall, inside a thin border and the caption.
static SIZE window_size() {
    TEXTMETRICW tm{};
    if (HDC ic = CreateICW(L"DISPLAY", nullptr, nullptr, nullptr)) {
        GetTextMetricsW(ic, &tm);
        DeleteDC(ic);
    }
    return SIZE{2 * GetSystemMetrics(SM_CXBORDER) + 12 * tm.tmAveCharWidth,
                2 * GetSystemMetrics(SM_CYBORDER) + GetSystemMetrics(SM_CYCAPTION) +
                    2 * tm.tmHeight};
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"boskin", L"What Color", wnd_proc);
    const SIZE size = window_size();
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                                 CW_USEDEFAULT, size.cx, size.cy))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
