// Dravik3: the system metrics with vertical and horizontal scroll bars whose ranges and pages
// follow the window's size. Scrolling moves what is already drawn with ScrollWindow and paints only
// the rows that were uncovered.
#include "frame/frame.h"
#include "text/metrics_view.h"

static struct {
    app_frame frame;
    metrics_view view;
} g;

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: metrics_measure(&g.view, hwnd); return 0;
    case WM_SIZE: metrics_on_size(&g.view, hwnd, lp); return 0;
    case WM_VSCROLL: metrics_on_vscroll(&g.view, hwnd, wp); return 0;
    case WM_HSCROLL: metrics_on_hscroll(&g.view, hwnd, wp); return 0;
    case WM_PAINT: metrics_on_paint(&g.view, hwnd); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"dravik3", L"Get System Metrics No. 3", wnd_proc);
    if (!metrics_load(&g.view.table)) runtime_out_of_memory();
    if (frame_register(&g.frame) &&
        frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
