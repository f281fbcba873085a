// Dravik1: the 75 system metrics (label, description, current value) in three columns, one row
// per line from the top of the client area. The values are read at every paint, so a repaint
// shows current figures. Rows beyond the bottom of the window are simply not seen.
#include "frame/frame.h"
#include "text/metrics_view.h"

static struct {
    app_frame frame;
    metrics_view view;
} g;

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    for (uint32_t i = 0; i < METRICS_ROWS; i++)
        metrics_draw_row(&g.view, dc, 0, g.view.cy_char * int(i), &g.view.table[i]);
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: metrics_measure(&g.view, hwnd); return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"dravik1", L"Get System Metrics No. 1", wnd_proc);
    if (!metrics_load(&g.view.table)) runtime_out_of_memory();
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
