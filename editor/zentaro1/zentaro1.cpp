// Zentaro1: the first step towards an editor. The window is filled with a multi-line edit control
// and nothing else; the control does all the editing itself.
//
// The control is a child window created at WM_CREATE; the parent keeps it the size of its client
// area at every WM_SIZE (MoveWindow), hands it the focus whenever the parent gets it
// (WM_SETFOCUS), and listens to its notifications (WM_COMMAND with EN_ERRSPACE or EN_MAXTEXT) to
// tell the user when it can hold no more text.
#include "frame/frame.h"

static struct {
    app_frame frame;
    HWND edit;
} g;

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        g.edit = CreateWindowExW(0, L"Edit", nullptr,
                                 WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | WS_BORDER |
                                     ES_LEFT | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL,
                                 0, 0, 0, 0, hwnd, reinterpret_cast<HMENU>(1), rt.module, nullptr);
        return g.edit ? 0 : -1;
    case WM_SIZE: MoveWindow(g.edit, 0, 0, LOWORD(lp), HIWORD(lp), TRUE); return 0;
    case WM_SETFOCUS: SetFocus(g.edit); return 0;
    case WM_COMMAND:
        if (LOWORD(wp) == 1 && (HIWORD(wp) == EN_ERRSPACE || HIWORD(wp) == EN_MAXTEXT))
            frame_message(&g.frame, L"Edit control out of space.", MB_OK | MB_ICONERROR);
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"zentaro1", L"Zentaro1", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
