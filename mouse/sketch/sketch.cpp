// Sketch: free-hand drawing. The left button draws black lines, the right button white ones
// (erasing); every line goes into the window and into a shadow bitmap at least as large as the
// screen, from which each repaint restores the drawing, whatever was covered or cut off by a
// smaller window meanwhile.
#include "frame/frame.h"

#include <windowsx.h>

static struct {
    app_frame frame;
    bool left_down, right_down; // which button is drawing
    int last_x, last_y;         // where the next line segment starts
    HBITMAP shadow_bitmap;
    HDC shadow_dc;
    int shadow_width, shadow_height;
    int client_width, client_height;
} g;

// The largest of the display modes the current display offers.
static void largest_display_mode(int* width, int* height) {
    *width = *height = 0;
    DEVMODEW mode;
    zero_memory(&mode, sizeof mode);
    mode.dmSize = 212; // the record without its panning fields, which every version accepts
    for (DWORD i = 0; EnumDisplaySettingsW(nullptr, i, &mode); i++) {
        if (static_cast<int>(mode.dmPelsWidth) > *width) *width = mode.dmPelsWidth;
        if (static_cast<int>(mode.dmPelsHeight) > *height) *height = mode.dmPelsHeight;
    }
}

static int at_least(int value, int floor) {
    return value > floor ? value : floor;
}

// The shadow covers the largest display mode and the whole virtual screen, so no part of a
// window anywhere on the screen falls outside it.
static LRESULT on_create(HWND hwnd) {
    largest_display_mode(&g.shadow_width, &g.shadow_height);
    g.shadow_width = at_least(g.shadow_width, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    g.shadow_height = at_least(g.shadow_height, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    HDC dc = GetDC(hwnd);
    g.shadow_bitmap = CreateCompatibleBitmap(dc, g.shadow_width, g.shadow_height);
    g.shadow_dc = CreateCompatibleDC(dc);
    ReleaseDC(hwnd, dc);
    if (!g.shadow_bitmap || !g.shadow_dc) {
        // The window is destroyed at once; its WM_DESTROY must find nothing left to delete.
        if (g.shadow_bitmap) DeleteObject(g.shadow_bitmap);
        if (g.shadow_dc) DeleteDC(g.shadow_dc);
        g.shadow_bitmap = nullptr;
        g.shadow_dc = nullptr;
        return -1;
    }
    SelectObject(g.shadow_dc, g.shadow_bitmap);
    PatBlt(g.shadow_dc, 0, 0, g.shadow_width, g.shadow_height, WHITENESS);
    return 0;
}

// The capture is taken by whichever button goes down first.
static void on_button_down(HWND hwnd, LPARAM lp, bool left) {
    if (!g.left_down && !g.right_down) SetCapture(hwnd);
    g.last_x = GET_X_LPARAM(lp);
    g.last_y = GET_Y_LPARAM(lp);
    (left ? g.left_down : g.right_down) = true;
}

// ...and kept until neither is down, so the other button's strokes still follow the mouse out of
// the window.
static void on_button_up(HWND hwnd, bool left) {
    bool& down = left ? g.left_down : g.right_down;
    if (!down) return;
    down = false;
    if (!g.left_down && !g.right_down && GetCapture() == hwnd) ReleaseCapture();
}

// With the capture gone (another window, a menu, a message box took the mouse) no button-up may
// ever come: without these flags cleared, moving the mouse would go on drawing.
static void on_capture_changed(HWND hwnd, LPARAM lp) {
    if (reinterpret_cast<HWND>(lp) == hwnd) return;
    g.left_down = g.right_down = false;
}

// A move to where the mouse already was draws nothing (Wine would show a line of no length as a
// dot, Windows shows nothing).
static void on_mouse_move(HWND hwnd, LPARAM lp) {
    if (!g.left_down && !g.right_down) return;
    if (GET_X_LPARAM(lp) == g.last_x && GET_Y_LPARAM(lp) == g.last_y) return;
    HDC dc = GetDC(hwnd);
    HGDIOBJ pen = GetStockObject(g.left_down ? BLACK_PEN : WHITE_PEN);
    SelectObject(dc, pen);
    SelectObject(g.shadow_dc, pen);
    MoveToEx(dc, g.last_x, g.last_y, nullptr);
    MoveToEx(g.shadow_dc, g.last_x, g.last_y, nullptr);
    g.last_x = GET_X_LPARAM(lp);
    g.last_y = GET_Y_LPARAM(lp);
    LineTo(dc, g.last_x, g.last_y);
    LineTo(g.shadow_dc, g.last_x, g.last_y);
    ReleaseDC(hwnd, dc);
}

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    BitBlt(dc, 0, 0, g.client_width, g.client_height, g.shadow_dc, 0, 0, SRCCOPY);
    EndPaint(hwnd, &ps);
}

static void on_destroy() {
    if (g.shadow_dc) DeleteDC(g.shadow_dc);
    if (g.shadow_bitmap) DeleteObject(g.shadow_bitmap);
    g.shadow_dc = nullptr;
    g.shadow_bitmap = nullptr;
    PostQuitMessage(0);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: return on_create(hwnd);
    case WM_SIZE:
        g.client_width = LOWORD(lp);
        g.client_height = static_cast<short>(HIWORD(lp));
        return 0;
    case WM_LBUTTONDOWN: on_button_down(hwnd, lp, true); return 0;
    case WM_RBUTTONDOWN: on_button_down(hwnd, lp, false); return 0;
    case WM_LBUTTONUP: on_button_up(hwnd, true); return 0;
    case WM_RBUTTONUP: on_button_up(hwnd, false); return 0;
    case WM_CAPTURECHANGED: on_capture_changed(hwnd, lp); return 0;
    case WM_MOUSEMOVE: on_mouse_move(hwnd, lp); return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY: on_destroy(); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"sketch", L"Sketch", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
