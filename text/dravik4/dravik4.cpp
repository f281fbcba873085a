// Dravik4: the scrolling system metrics of Dravik3, driven from the keyboard as well. The window
// starts without scroll-bar styles; its bars appear when their ranges are set.
#include "frame/frame.h"
#include "text/metrics_view.h"

static struct {
    app_frame frame;
    metrics_view view;
} g;

// The keys act as if the matching part of a scroll bar had been clicked. Left and Right move by a
// page.
static void on_keydown(HWND hwnd, WPARAM vk) {
    switch (vk) {
    case VK_HOME: SendMessageW(hwnd, WM_VSCROLL, SB_TOP, 0); break;
    case VK_END: SendMessageW(hwnd, WM_VSCROLL, SB_BOTTOM, 0); break;
    case VK_PRIOR: SendMessageW(hwnd, WM_VSCROLL, SB_PAGEUP, 0); break;
    case VK_NEXT: SendMessageW(hwnd, WM_VSCROLL, SB_PAGEDOWN, 0); break;
    case VK_UP: SendMessageW(hwnd, WM_VSCROLL, SB_LINEUP, 0); break;
    case VK_DOWN: SendMessageW(hwnd, WM_VSCROLL, SB_LINEDOWN, 0); break;
    case VK_LEFT: SendMessageW(hwnd, WM_HSCROLL, SB_PAGELEFT, 0); break;
    case VK_RIGHT: SendMessageW(hwnd, WM_HSCROLL, SB_PAGERIGHT, 0); break;
    }
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: metrics_measure(&g.view, hwnd); return 0;
    case WM_SIZE: metrics_on_size(&g.view, hwnd, lp); return 0;
    case WM_VSCROLL: metrics_on_vscroll(&g.view, hwnd, wp); return 0;
    case WM_HSCROLL: metrics_on_hscroll(&g.view, hwnd, wp); return 0;
    case WM_KEYDOWN: on_keydown(hwnd, wp); return 0;
    case WM_PAINT: metrics_on_paint(&g.view, hwnd); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"dravik4", L"Get System Metrics No. 4", wnd_proc);
    if (!metrics_load(&g.view.table)) runtime_out_of_memory();
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
