// Nuvelle1: the plainest modal dialog. Help > About opens an about box made from a dialog
// template (an icon, a title line, a credit line and an OK button); OK, Enter or Esc closes it.
#include "frame/frame.h"
#include "resource.h"

static struct { app_frame frame; } g;

// Esc arrives as IDCANCEL, so the box closes on it as on OK.
static INT_PTR CALLBACK about_proc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND:
        if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
            EndDialog(dlg, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wp) == IDM_ABOUT) DialogBoxParamW(rt.module, IDD_ABOUTBOX, hwnd, about_proc, 0);
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"nuvelle1", L"About Box Demo Program", wnd_proc);
    g.frame.wc.hIcon = LoadIconW(rt.module, IDI_NUVELLE1);
    frame_use_class_menu(&g.frame);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
