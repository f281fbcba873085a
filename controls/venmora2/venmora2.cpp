// Venmora2: the main window's background is a colour mixed from three scroll bars (red, green,
// blue, 0-255) that sit in a modeless dialog in front of it. The colour is the window class's
// background brush, replaced on every change, so the window's own erasing paints it.
#include "frame/frame.h"
#include "resource.h"

static struct {
    app_frame frame;
    int colour[3]; // red, green, blue, indexed by bar id - IDC_RED_BAR
} g;

static void init_dialog(HWND dlg) {
    // A new bar's position is already 0; only the range needs setting.
    for (int id = IDC_RED_BAR; id <= IDC_BLUE_BAR; id++)
        SetScrollRange(GetDlgItem(dlg, id), SB_CTL, 0, 255, FALSE);
}

// The new value for a scroll request, or -1 for a request that changes nothing.
static int scrolled_value(int v, WPARAM wp) {
    switch (LOWORD(wp)) {
    case SB_LINEUP: return v > 0 ? v - 1 : 0;
    case SB_LINEDOWN: return v < 255 ? v + 1 : 255;
    case SB_PAGEUP: return v > 16 ? v - 16 : 0;
    case SB_PAGEDOWN: return v < 255 - 16 ? v + 16 : 255;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: return HIWORD(wp);
    case SB_TOP: return 0;
    case SB_BOTTOM: return 255;
    }
    return -1;
}

// The main window's class background becomes the mixed colour; the brush it replaces goes, so
// only one exists at a time.
static void show_colour() {
    HBRUSH brush = CreateSolidBrush(RGB(g.colour[0], g.colour[1], g.colour[2]));
    HWND main = g.frame.hwnd;
    DeleteObject(reinterpret_cast<HGDIOBJ>(
        SetClassLongPtrW(main, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(brush))));
    InvalidateRect(main, nullptr, TRUE);
}

// Only the dialog's own three bars are acted on: a scroll message from anything else (another
// control, or none) has no entry in the table.
static INT_PTR on_vscroll(HWND dlg, WPARAM wp, LPARAM lp) {
    HWND bar = reinterpret_cast<HWND>(lp);
    const int id = bar ? GetDlgCtrlID(bar) : 0;
    if (id < IDC_RED_BAR || id > IDC_BLUE_BAR || GetDlgItem(dlg, id) != bar) return FALSE;
    const int v = scrolled_value(g.colour[id - IDC_RED_BAR], wp);
    if (v < 0) return FALSE;
    g.colour[id - IDC_RED_BAR] = v;
    SetScrollPos(bar, SB_CTL, v, TRUE);
    SetDlgItemInt(dlg, id + 3, static_cast<UINT>(v), FALSE);
    show_colour();
    return TRUE;
}

static INT_PTR CALLBACK dialog_proc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_INITDIALOG: init_dialog(dlg); return TRUE;
    case WM_VSCROLL: return on_vscroll(dlg, wp, lp);
    }
    return FALSE;
}

// The class background goes back to a stock brush, which needs no deleting, and the last mixed
// brush is deleted.
static void on_destroy(HWND hwnd) {
    DeleteObject(reinterpret_cast<HGDIOBJ>(SetClassLongPtrW(
        hwnd, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(GetStockObject(WHITE_BRUSH)))));
    PostQuitMessage(0);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_DESTROY: on_destroy(hwnd); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"venmora2", L"Color Scroll", wnd_proc);
    g.frame.wc.hbrBackground = CreateSolidBrush(0);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop_modeless(&g.frame, IDD_COLORSCR, dialog_proc);
    process_end(frame_exit_code(&g.frame));
}
