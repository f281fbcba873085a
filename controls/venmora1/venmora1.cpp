// Venmora1: three scroll-bar controls (red, green, blue, 0-255) on a white panel in the left half
// of the window, each with a label in its colour above and its value below; the right half shows
// the mixed colour, which is the window class's background brush. The bars are subclassed so
// that Tab and Shift+Tab move the focus among them.
#include "frame/frame.h"

enum { BAR_FIRST = 0, LABEL_FIRST = 3, VALUE_FIRST = 6, PANEL_ID = 9 };

static struct {
    app_frame frame;
    COLORREF primary[3];
    const wchar_t* labels[3];
    int colour[3]; // red, green, blue
    HWND bars[3], label_statics[3], value_statics[3], panel;
    WNDPROC old_bar_proc[3];
    HBRUSH bar_brush[3];
    HBRUSH static_brush;
    int focus;        // the bar that last had the focus
    RECT colour_rect; // the right half of the client area
    int cy;           // the dialog base unit's height
} g;

static LRESULT CALLBACK bar_proc(HWND bar, UINT msg, WPARAM wp, LPARAM lp) {
    const int i = GetWindowLongW(bar, GWL_ID);
    switch (msg) {
    case WM_KEYDOWN:
        if (wp == VK_TAB) SetFocus(g.bars[(i + (GetKeyState(VK_SHIFT) < 0 ? 2 : 1)) % 3]);
        break;
    case WM_SETFOCUS: g.focus = i; break;
    }
    return CallWindowProcW(g.old_bar_proc[i], bar, msg, wp, lp);
}

static HWND child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int id) {
    return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), rt.module, nullptr);
}

static void on_create(HWND hwnd) {
    g.primary[0] = RGB(255, 0, 0);
    g.primary[1] = RGB(0, 255, 0);
    g.primary[2] = RGB(0, 0, 255);
    g.labels[0] = L"Red";
    g.labels[1] = L"Green";
    g.labels[2] = L"Blue";
    g.panel = child(hwnd, L"Static", nullptr, SS_WHITERECT, PANEL_ID);
    for (int i = 0; i < 3; i++) {
        g.bars[i] = child(hwnd, L"ScrollBar", nullptr, WS_TABSTOP | SBS_VERT, BAR_FIRST + i);
        // A new bar's position is already 0; only the range needs setting.
        SetScrollRange(g.bars[i], SB_CTL, 0, 255, FALSE);
        g.label_statics[i] = child(hwnd, L"Static", g.labels[i], SS_CENTER, LABEL_FIRST + i);
        g.value_statics[i] = child(hwnd, L"Static", L"0", SS_CENTER, VALUE_FIRST + i);
        g.old_bar_proc[i] = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(g.bars[i], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(bar_proc)));
        g.bar_brush[i] = CreateSolidBrush(g.primary[i]);
    }
    g.static_brush = CreateSolidBrush(GetSysColor(COLOR_BTNHIGHLIGHT));
    g.cy = HIWORD(GetDialogBaseUnits());
}

static void on_size(HWND hwnd, int w, int h) {
    SetRect(&g.colour_rect, w / 2, 0, w, h);
    MoveWindow(g.panel, 0, 0, w / 2, h, TRUE);
    for (int i = 0; i < 3; i++) {
        MoveWindow(g.bars[i], (2 * i + 1) * w / 14, 2 * g.cy, w / 14, h - 4 * g.cy, TRUE);
        MoveWindow(g.label_statics[i], (4 * i + 1) * w / 28, g.cy / 2, w / 7, g.cy, TRUE);
        MoveWindow(g.value_statics[i], (4 * i + 1) * w / 28, h - 3 * g.cy / 2, w / 7, g.cy, TRUE);
    }
    SetFocus(hwnd);
}

// The index of the bar that sent a scroll message, or -1 when it is none of the three.
static int bar_index(LPARAM lp) {
    for (int i = 0; i < 3; i++)
        if (g.bars[i] == reinterpret_cast<HWND>(lp)) return i;
    return -1;
}

static void on_vscroll(HWND hwnd, int i, WPARAM wp) {
    int& v = g.colour[i];
    switch (LOWORD(wp)) {
    case SB_LINEUP: v = v > 0 ? v - 1 : 0; break;
    case SB_LINEDOWN: v = v < 255 ? v + 1 : 255; break;
    case SB_PAGEUP: v = v > 16 ? v - 16 : 0; break;
    case SB_PAGEDOWN: v = v < 255 - 16 ? v + 16 : 255; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: v = HIWORD(wp); break;
    case SB_TOP: v = 0; break;
    case SB_BOTTOM: v = 255; break;
    }
    SetScrollPos(g.bars[i], SB_CTL, v, TRUE);
    const size_t start = rt.temp_top;
    temp_push_dec(v, start);
    SetWindowTextW(g.value_statics[i], temp_text(start));
    rt.temp_top = start;
    // One background brush at a time: the one replaced is deleted.
    HBRUSH brush = CreateSolidBrush(RGB(g.colour[0], g.colour[1], g.colour[2]));
    DeleteObject(reinterpret_cast<HGDIOBJ>(
        SetClassLongPtrW(hwnd, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(brush))));
    InvalidateRect(hwnd, &g.colour_rect, TRUE);
}

// Labels and values: text in the bar's colour on the highlight colour.
static LRESULT on_ctlcolor_static(HWND hwnd, WPARAM wp, LPARAM lp) {
    const int id = GetWindowLongW(reinterpret_cast<HWND>(lp), GWL_ID);
    if (id < LABEL_FIRST || id > VALUE_FIRST + 2)
        return DefWindowProcW(hwnd, WM_CTLCOLORSTATIC, wp, lp);
    HDC dc = reinterpret_cast<HDC>(wp);
    SetTextColor(dc, g.primary[id % 3]);
    SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    return reinterpret_cast<LRESULT>(g.static_brush);
}

static void on_destroy(HWND hwnd) {
    DeleteObject(reinterpret_cast<HGDIOBJ>(SetClassLongPtrW(
        hwnd, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(GetStockObject(WHITE_BRUSH)))));
    for (HBRUSH brush : g.bar_brush)
        DeleteObject(brush);
    DeleteObject(g.static_brush);
    PostQuitMessage(0);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: on_create(hwnd); return 0;
    case WM_SIZE: on_size(hwnd, LOWORD(lp), static_cast<short>(HIWORD(lp))); return 0;
    case WM_SETFOCUS: SetFocus(g.bars[g.focus]); return 0;
    case WM_VSCROLL: {
        // Scroll messages of anything but the three bars are left to the default handling.
        const int i = bar_index(lp);
        if (i < 0) break;
        on_vscroll(hwnd, i, wp);
        return 0;
    }
    case WM_CTLCOLORSCROLLBAR: {
        const int i = bar_index(lp);
        if (i < 0) break;
        return reinterpret_cast<LRESULT>(g.bar_brush[i]);
    }
    case WM_CTLCOLORSTATIC: return on_ctlcolor_static(hwnd, wp, lp);
    case WM_SYSCOLORCHANGE:
        DeleteObject(g.static_brush);
        g.static_brush = CreateSolidBrush(GetSysColor(COLOR_BTNHIGHLIGHT));
        return 0;
    case WM_DESTROY: on_destroy(hwnd); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"venmora1", L"Color Scroll", wnd_proc);
    g.frame.wc.hbrBackground = CreateSolidBrush(0);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
