// Dravik: the scrolling system metrics with keyboard and mouse-wheel scrolling. The wheel follows
// the user's setting of lines per notch, read again whenever a system setting changes; wheel units
// that do not yet make a whole line are kept for the next turn of the wheel.
#include "frame/frame.h"
#include "text/metrics_view.h"

static struct {
    app_frame frame;
    metrics_view view;
    int delta_per_line; // wheel units per line; 0 when the wheel is not to scroll
    int accum_delta;    // wheel units not yet turned into lines
} g;

static void read_wheel_setting() {
    UINT lines = 0;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    // Unsigned: the page-scroll setting (all bits set) and settings above one line per wheel unit
    // give 0, so the wheel is ignored rather than looping on a negative step.
    g.delta_per_line = lines ? static_cast<int>(WHEEL_DELTA / lines) : 0;
}

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

// A turn away from the user (positive) scrolls up.
static void on_mousewheel(HWND hwnd, WPARAM wp) {
    if (g.delta_per_line == 0) return;
    g.accum_delta += static_cast<short>(HIWORD(wp));
    while (g.accum_delta >= g.delta_per_line) {
        SendMessageW(hwnd, WM_VSCROLL, SB_LINEUP, 0);
        g.accum_delta -= g.delta_per_line;
    }
    while (g.accum_delta <= -g.delta_per_line) {
        SendMessageW(hwnd, WM_VSCROLL, SB_LINEDOWN, 0);
        g.accum_delta += g.delta_per_line;
    }
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        metrics_measure(&g.view, hwnd);
        read_wheel_setting();
        return 0;
    case WM_SETTINGCHANGE: read_wheel_setting(); return 0;
    case WM_SIZE: metrics_on_size(&g.view, hwnd, lp); return 0;
    case WM_VSCROLL: metrics_on_vscroll(&g.view, hwnd, wp); return 0;
    case WM_HSCROLL: metrics_on_hscroll(&g.view, hwnd, wp); return 0;
    case WM_KEYDOWN: on_keydown(hwnd, wp); return 0;
    case WM_MOUSEWHEEL: on_mousewheel(hwnd, wp); return 0;
    case WM_PAINT: metrics_on_paint(&g.view, hwnd); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"dravik", L"Get System Metrics", wnd_proc);
    if (!metrics_load(&g.view.table)) runtime_out_of_memory();
    if (frame_register(&g.frame) &&
        frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
