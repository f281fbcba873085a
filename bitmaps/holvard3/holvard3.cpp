// Holvard3: the brick wall of holvard1 with no painting code at all: the brick becomes a pattern
// brush that is the class background, so erasing the background draws the wall.
#include "frame/frame.h"

static struct {
    app_frame frame;
    HBRUSH wall; // the class background; it lives as long as the process
} g;

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// The brush keeps its own copy of the pattern, so the bitmap goes at once. Without the brick the
// class keeps the window colour: a class with no background would leave its client area
// unerased, showing whatever lay there before.
static void make_wall_brush() {
    HBITMAP brick = LoadBitmapW(rt.module, L"Holvard");
    if (!brick) return;
    g.wall = CreatePatternBrush(brick);
    DeleteObject(brick);
    if (g.wall) g.frame.wc.hbrBackground = g.wall;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"holvard3", L"CreatePatternBrush Demo", wnd_proc);
    make_wall_brush();
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
