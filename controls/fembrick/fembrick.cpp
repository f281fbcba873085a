// Fembrick: a menu without a menu bar. Three items are added to the window's system menu; the
// third puts the system menu back to its standard form.
#include "controls/menu_demo.h"

enum { IDM_SYS_ABOUT = 1, IDM_SYS_HELP = 2, IDM_SYS_REMOVE = 3 };

static struct { app_frame frame; } g;

static void add_to_system_menu(HWND hwnd) {
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, IDM_SYS_ABOUT, L"About...");
    AppendMenuW(menu, MF_STRING, IDM_SYS_HELP, L"Help...");
    AppendMenuW(menu, MF_STRING, IDM_SYS_REMOVE, L"Remove Additions");
}

// The added ids are compared whole: the system's own commands keep their low four bits for
// themselves, so masking would turn ours into 0.
static bool on_system_command(HWND hwnd, WPARAM wp) {
    switch (LOWORD(wp)) {
    case IDM_SYS_ABOUT: menu_about(&g.frame, L"A Poor-Person's Menu Program"); return true;
    case IDM_SYS_HELP: menu_help(&g.frame); return true;
    case IDM_SYS_REMOVE: GetSystemMenu(hwnd, TRUE); return true;
    }
    return false;
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SYSCOMMAND:
        if (on_system_command(hwnd, wp)) return 0;
        break;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"fembrick", L"The Poor-Person's Menu", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN)) {
        add_to_system_menu(g.frame.hwnd);
        frame_loop(&g.frame);
    }
    process_end(frame_exit_code(&g.frame));
}
