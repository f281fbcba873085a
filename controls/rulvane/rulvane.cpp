// Rulvane: the menu as a floating popup. A right click shows it where the mouse is; its items do
// what oskevar's do (there is no timer here).
#include "controls/menu_demo.h"
#include "resource.h"

static struct {
    app_frame frame;
    HMENU loaded; // the menu resource, owned by the program
    HMENU popup;  // its first pop-up, the one shown
    background_choice background;
} g;

static LRESULT on_create() {
    background_init(&g.background, IDM_BKGND_WHITE);
    g.loaded = LoadMenuW(rt.module, L"RULVANE");
    g.popup = GetSubMenu(g.loaded, 0);
    return g.popup ? 0 : -1;
}

static void show_popup(HWND hwnd, LPARAM lp) {
    POINT at = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    ClientToScreen(hwnd, &at);
    TrackPopupMenu(g.popup, TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd, nullptr);
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
    case IDM_BKGND_BLACK: background_choose(&g.background, hwnd, g.popup, id); return true;
    case IDM_APP_HELP: menu_help(&g.frame); return true;
    case IDM_APP_ABOUT: menu_about(&g.frame, L"Popup Menu Demonstration Program"); return true;
    }
    return false;
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: return on_create();
    case WM_RBUTTONUP: show_popup(hwnd, lp); return 0;
    case WM_COMMAND:
        if (on_command(hwnd, LOWORD(wp))) return 0;
        break;
    case WM_DESTROY:
        // Not attached to any window, so nothing else would destroy it.
        DestroyMenu(g.loaded);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"rulvane", L"Popup Menu Demonstration", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
