// Zentaro2: an edit control with a menu bar and accelerators. The Edit commands go to the control;
// the File commands other than Exit only beep, and closing asks for confirmation.
#include "frame/frame.h"
#include "resource.h"

static struct {
    app_frame frame;
    HWND edit;
} g;

static void on_init_menu_popup(HMENU menu) {
    EnableMenuItem(menu, IDM_UNDO, SendMessageW(g.edit, EM_CANUNDO, 0, 0) ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(menu, IDM_PASTE, IsClipboardFormatAvailable(CF_TEXT) ? MF_ENABLED : MF_GRAYED);
    DWORD sel = DWORD(SendMessageW(g.edit, EM_GETSEL, 0, 0));
    UINT state = HIWORD(sel) == LOWORD(sel) ? MF_GRAYED : MF_ENABLED;
    EnableMenuItem(menu, IDM_CUT, state);
    EnableMenuItem(menu, IDM_COPY, state);
    EnableMenuItem(menu, IDM_DELETE, state);
}

static bool really_close() {
    return frame_message(&g.frame, L"Really want to close Zentaro2?", MB_YESNO | MB_ICONQUESTION) ==
           IDYES;
}

static LRESULT on_command(HWND hwnd, WPARAM wp, LPARAM lp) {
    switch (LOWORD(wp)) {
    case IDC_EDIT:
        if (HIWORD(wp) == EN_ERRSPACE || HIWORD(wp) == EN_MAXTEXT)
            frame_message(&g.frame, L"Edit control out of space.", MB_OK | MB_ICONERROR);
        return 0;
    case IDM_NEW:
    case IDM_OPEN:
    case IDM_SAVE:
    case IDM_SAVEAS:
    case IDM_PRINT: MessageBeep(0); return 0;
    case IDM_EXIT: SendMessageW(hwnd, WM_CLOSE, 0, 0); return 0;
    case IDM_UNDO: SendMessageW(g.edit, WM_UNDO, 0, 0); return 0;
    case IDM_CUT: SendMessageW(g.edit, WM_CUT, 0, 0); return 0;
    case IDM_COPY: SendMessageW(g.edit, WM_COPY, 0, 0); return 0;
    case IDM_PASTE: SendMessageW(g.edit, WM_PASTE, 0, 0); return 0;
    case IDM_DELETE: SendMessageW(g.edit, WM_CLEAR, 0, 0); return 0;
    case IDM_SELALL: SendMessageW(g.edit, EM_SETSEL, 0, -1); return 0;
    case IDM_HELP: frame_message(&g.frame, L"Help not yet implemented!", MB_ICONWARNING); return 0;
    case IDM_ABOUT:
        frame_message(&g.frame, L"ZENTARO2\nA small editor with a menu, written for this suite",
                      MB_ICONINFORMATION);
        return 0;
    }
    return DefWindowProcW(hwnd, WM_COMMAND, wp, lp);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        g.edit = CreateWindowExW(0, L"Edit", nullptr,
                                 WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | WS_BORDER |
                                     ES_LEFT | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL,
                                 0, 0, 0, 0, hwnd, reinterpret_cast<HMENU>(IDC_EDIT), rt.module,
                                 nullptr);
        return g.edit ? 0 : -1;
    case WM_SIZE: MoveWindow(g.edit, 0, 0, LOWORD(lp), HIWORD(lp), TRUE); return 0;
    case WM_SETFOCUS: SetFocus(g.edit); return 0;
    case WM_COMMAND: return on_command(hwnd, wp, lp);
    case WM_INITMENUPOPUP:
        if (lp != 1) break;
        on_init_menu_popup(reinterpret_cast<HMENU>(wp));
        return 0;
    case WM_CLOSE:
        if (really_close()) DestroyWindow(hwnd);
        return 0;
    case WM_QUERYENDSESSION: return really_close() ? 1 : 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"zentaro2", L"Zentaro2", wnd_proc);
    g.frame.wc.hIcon = LoadIconW(rt.module, L"ZENTARO2");
    frame_use_class_menu(&g.frame);
    int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                                 cx / 4, cy / 4, cx / 2, cy / 2))
        frame_loop_accelerators(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
