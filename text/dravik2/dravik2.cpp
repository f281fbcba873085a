// Dravik2: the system metrics with a vertical scroll bar. The first visible row is kept by the
// program (0 to 74) and mirrored in the scroll bar; every change of it repaints the whole client
// area.
#include "frame/frame.h"
#include "text/metrics_view.h"

static struct {
    app_frame frame;
    metrics_view view;
    int v_scroll_pos; // the first visible row
} g;

static void on_vscroll(HWND hwnd, WPARAM wp) {
    int pos = g.v_scroll_pos;
    switch (LOWORD(wp)) {
    case SB_LINEUP: pos -= 1; break;
    case SB_LINEDOWN: pos += 1; break;
    case SB_PAGEUP: pos -= g.view.cy_client / g.view.cy_char; break;
    case SB_PAGEDOWN: pos += g.view.cy_client / g.view.cy_char; break;
    case SB_THUMBPOSITION: pos = HIWORD(wp); break;
    }
    if (pos > int(METRICS_ROWS) - 1) pos = METRICS_ROWS - 1;
    if (pos < 0) pos = 0;
    g.v_scroll_pos = pos;
    // Nothing moved (an arrow pressed at either end): no repaint.
    if (pos != GetScrollPos(hwnd, SB_VERT)) {
        SetScrollPos(hwnd, SB_VERT, pos, TRUE);
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    for (int i = 0; i < int(METRICS_ROWS); i++)
        metrics_draw_row(&g.view, dc, 0, g.view.cy_char * (i - g.v_scroll_pos), &g.view.table[i]);
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        metrics_measure(&g.view, hwnd);
        SetScrollRange(hwnd, SB_VERT, 0, METRICS_ROWS - 1, FALSE);
        // No visible effect at start, where the position is still 0 as the range left it; it
        // makes the bar say where the view is from the first message on.
        SetScrollPos(hwnd, SB_VERT, g.v_scroll_pos, TRUE);
        return 0;
    case WM_SIZE: g.view.cy_client = static_cast<short>(HIWORD(lp)); return 0;
    case WM_VSCROLL: on_vscroll(hwnd, wp); return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"dravik2", L"Get System Metrics No. 2", wnd_proc);
    if (!metrics_load(&g.view.table)) runtime_out_of_memory();
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_VSCROLL))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
