// Quenlor: the smallest windowed program. It plays a sound when its window is created and draws
// one line of text centred in the client area; the class style repaints the whole client area
// whenever the window's width or height changes, so the text stays centred.
#include "frame/frame.h"
#include <mmsystem.h>

static struct {
    app_frame frame;
    wchar_t* text;
    wchar_t* sound_file;
} g;

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT rc;
    GetClientRect(hwnd, &rc);
    DrawTextW(dc, g.text, -1, &rc, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        // Asynchronous: the window appears at once. Without SND_NODEFAULT a missing file would
        // play the system's default sound instead of leaving the window silent.
        PlaySoundW(g.sound_file, nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
        return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"quenlor", L"The Hello Program", wnd_proc);
    str_assign(&g.text, L"Hello, Windows!");
    str_assign(&g.sound_file, L"quenlor.wav");
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
