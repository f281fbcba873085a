// Oskevar: a menu bar from a resource. Most items only beep; the Background items move a check
// mark and repaint the window in a stock brush; the Timer items start and stop a once-a-second
// beep and gray whichever of the two cannot be chosen now.
#include "controls/menu_demo.h"
#include "resource.h"

static struct {
    app_frame frame;
    background_choice background;
} g;

static void start_timer(HWND hwnd) {
    if (!SetTimer(hwnd, 1, 1000, nullptr)) return;
    HMENU menu = GetMenu(hwnd);
    EnableMenuItem(menu, IDM_TIMER_START, MF_GRAYED);
    EnableMenuItem(menu, IDM_TIMER_STOP, MF_ENABLED);
}

static void stop_timer(HWND hwnd) {
    KillTimer(hwnd, 1);
    HMENU menu = GetMenu(hwnd);
    EnableMenuItem(menu, IDM_TIMER_START, MF_ENABLED);
    EnableMenuItem(menu, IDM_TIMER_STOP, MF_GRAYED);
}

static bool on_command(HWND hwnd, UINT id) {
    switch (id) {
    case IDM_FILE_NEW:
    case IDM_FILE_OPEN:
    case IDM_FILE_SAVE:
    case IDM_FILE_SAVE_AS:
    case IDM_EDIT_UNDO:
    case IDM_EDIT_CUT:
    case IDM_EDIT_COPY:
    case IDM_EDIT_PASTE:
    case IDM_EDIT_CLEAR: MessageBeep(0); return true;
    case IDM_APP_EXIT: SendMessageW(hwnd, WM_CLOSE, 0, 0); return true;
    case IDM_BKGND_WHITE:
    case IDM_BKGND_LTGRAY:
    case IDM_BKGND_GRAY:
    case IDM_BKGND_DKGRAY:
    case IDM_BKGND_BLACK: background_choose(&g.background, hwnd, GetMenu(hwnd), id); return true;
    case IDM_TIMER_START: start_timer(hwnd); return true;
    case IDM_TIMER_STOP: stop_timer(hwnd); return true;
    case IDM_APP_HELP: menu_help(&g.frame); return true;
    case IDM_APP_ABOUT: menu_about(&g.frame, L"Menu Demonstration Program"); return true;
    }
    return false;
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: background_init(&g.background, IDM_BKGND_WHITE); return 0;
    case WM_COMMAND:
        if (on_command(hwnd, LOWORD(wp))) return 0;
        break;
    case WM_TIMER: MessageBeep(0); return 0;
    case WM_DESTROY:
        KillTimer(hwnd, 1);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"oskevar", L"Menu Demonstration", wnd_proc);
    frame_use_class_menu(&g.frame);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
