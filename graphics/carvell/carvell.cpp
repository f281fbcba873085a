// Carvell: the basic outline calls scaled to the client area. A rectangle, the two diagonals of
// the window, an ellipse filling the rectangle (so only the rectangle's corners and the ends of
// the diagonals show around it) and a rounded rectangle inside, all with the default pen and brush.
#include "frame/frame.h"

static struct {
    app_frame frame;
    int width, height; // client size
} g;

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    const int w = g.width, h = g.height;
    Rectangle(dc, w / 8, h / 8, 7 * w / 8, 7 * h / 8);
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, w, h);
    MoveToEx(dc, 0, h, nullptr);
    LineTo(dc, w, 0);
    Ellipse(dc, w / 8, h / 8, 7 * w / 8, 7 * h / 8);
    RoundRect(dc, w / 4, h / 4, 3 * w / 4, 3 * h / 4, w / 4, h / 4);
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SIZE:
        g.width = LOWORD(lp);
        g.height = static_cast<short>(HIWORD(lp));
        return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"carvell", L"Line Demonstration", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
