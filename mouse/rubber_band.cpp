#include "mouse/rubber_band.h"

#include <windowsx.h>

// Positions come as two signed words: while the mouse is captured, points left of or above the
// client area are negative.
static POINT point_of(LPARAM lp) {
    return POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
}

// R2_NOT inverts what lies under the outline, so drawing the same band twice restores the window.
static void band_outline(HDC dc, POINT a, POINT b) {
    SetROP2(dc, R2_NOT);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, a.x, a.y, b.x, b.y);
}

static void draw_band(HWND hwnd, POINT a, POINT b) {
    HDC dc = GetDC(hwnd);
    band_outline(dc, a, b);
    ReleaseDC(hwnd, dc);
}

static void set_cursor(const wchar_t* id) {
    SetCursor(LoadCursorW(nullptr, id));
}

// Without the capture, a release outside the window never arrives and the drag stays live: the
// band it left is erased before a new one starts, or it would stay inverted on the screen.
static void on_button_down(rubber_band* b, HWND hwnd, LPARAM lp) {
    if (b->dragging) draw_band(hwnd, b->drag_start, b->drag_end);
    b->drag_start = b->drag_end = point_of(lp);
    draw_band(hwnd, b->drag_start, b->drag_end);
    if (b->capture) SetCapture(hwnd);
    set_cursor(IDC_CROSS);
    b->dragging = true;
}

static void on_mouse_move(rubber_band* b, HWND hwnd, LPARAM lp) {
    if (!b->dragging) return;
    set_cursor(IDC_CROSS);
    draw_band(hwnd, b->drag_start, b->drag_end);
    b->drag_end = point_of(lp);
    draw_band(hwnd, b->drag_start, b->drag_end);
}

// The flag goes down before the capture is released, so the capture change that follows is not
// taken for a lost one.
static void end_drag(rubber_band* b, HWND hwnd) {
    draw_band(hwnd, b->drag_start, b->drag_end);
    b->dragging = false;
    if (b->capture && GetCapture() == hwnd) ReleaseCapture();
    set_cursor(IDC_ARROW);
}

static void on_button_up(rubber_band* b, HWND hwnd, LPARAM lp) {
    if (!b->dragging) return;
    b->box_start = b->drag_start;
    b->box_end = point_of(lp);
    end_drag(b, hwnd);
    b->box_valid = true;
    InvalidateRect(hwnd, nullptr, TRUE);
}

static void on_paint(rubber_band* b, HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (b->box_valid) {
        SelectObject(dc, GetStockObject(BLACK_BRUSH));
        Rectangle(dc, b->box_start.x, b->box_start.y, b->box_end.x, b->box_end.y);
    }
    if (b->dragging) band_outline(dc, b->drag_start, b->drag_end);
    EndPaint(hwnd, &ps);
}

bool rubber_band_message(rubber_band* b, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_LBUTTONDOWN: on_button_down(b, hwnd, lp); return true;
    case WM_MOUSEMOVE: on_mouse_move(b, hwnd, lp); return true;
    case WM_LBUTTONUP: on_button_up(b, hwnd, lp); return true;
    case WM_CHAR:
        if (b->dragging && wp == VK_ESCAPE) end_drag(b, hwnd);
        return true;
    case WM_PAINT: on_paint(b, hwnd); return true;
    case WM_CAPTURECHANGED:
        // Losing the mouse in the middle of a drag (to another window, a menu, a message box)
        // cancels it as Escape would: no button-up will ever come to end it.
        if (b->capture && b->dragging && reinterpret_cast<HWND>(lp) != hwnd) end_drag(b, hwnd);
        return true;
    }
    return false;
}
