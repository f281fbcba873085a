// Glaston: nested menus without pop-ups. The main bar's items swap in a File or an Edit bar, whose
// "(Main)" item swaps the main bar back; the remaining items only beep.
#include "frame/frame.h"
#include "resource.h"

static struct {
    app_frame frame;
    HMENU main, file, edit;
} g;

static LRESULT on_create(HWND hwnd) {
    g.main = LoadMenuW(rt.module, L"MenuMain");
    g.file = LoadMenuW(rt.module, L"MenuFile");
    g.edit = LoadMenuW(rt.module, L"MenuEdit");
    if (!g.main || !g.file || !g.edit) return -1;
    SetMenu(hwnd, g.main);
    return 0;
}

static bool on_command(HWND hwnd, UINT id) {
    switch (id) {
    case IDM_FILE: SetMenu(hwnd, g.file); return true;
    case IDM_EDIT: SetMenu(hwnd, g.edit); return true;
    case IDM_MAIN: SetMenu(hwnd, g.main); return true;
    case IDM_FILE_NEW:
    case IDM_FILE_OPEN:
    case IDM_FILE_SAVE:
    case IDM_FILE_SAVE_AS:
    case IDM_EDIT_UNDO:
    case IDM_EDIT_CUT:
    case IDM_EDIT_COPY:
    case IDM_EDIT_PASTE:
    case IDM_EDIT_CLEAR: MessageBeep(0); return true;
    }
    return false;
}

// The window destroys only the bar it shows: the main one goes back on, the other two are
// destroyed here.
static void on_destroy(HWND hwnd) {
    SetMenu(hwnd, g.main);
    DestroyMenu(g.file);
    DestroyMenu(g.edit);
    PostQuitMessage(0);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: return on_create(hwnd);
    case WM_COMMAND:
        if (on_command(hwnd, LOWORD(wp))) return 0;
        break;
    case WM_DESTROY: on_destroy(hwnd); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"glaston", L"No-Popup Nested Menu Demonstration", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
