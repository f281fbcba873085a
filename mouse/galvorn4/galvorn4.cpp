// Galvorn4: hit-testing by child windows, with a keyboard interface. As in galvorn3 each of the
// 5 x 5 cells is a child window that keeps its X mark in its extra window word. The input focus
// lives in one cell, shown by a dashed rectangle inside it: the arrow keys, Home and End move it
// from cell to cell (wrapping round at the edges), Enter or Space toggle the focused cell, and a
// click both toggles a cell and gives it the focus. The main window remembers which cell had the
// focus and gives it back when the window is activated again.
#include "frame/frame.h"
#include "mouse/grid.h"

static struct {
    app_frame frame;
    wchar_t* child_class;
    HWND child_windows[GRID_CELLS][GRID_CELLS]; // [x][y]
    int focus_id; // the identifier of the cell that had the focus last: row << 8 | column
} g;

static void draw_cell(HDC dc, const RECT& r, bool marked) {
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
    if (!marked) return;
    MoveToEx(dc, r.left, r.top, nullptr);
    LineTo(dc, r.right, r.bottom);
    MoveToEx(dc, r.left, r.bottom, nullptr);
    LineTo(dc, r.right, r.top);
}

// A dashed rectangle inset by a tenth of the cell on every side.
static void draw_focus(HDC dc, const RECT& r) {
    int dx = r.right / 10, dy = r.bottom / 10;
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    HPEN dash = CreatePen(PS_DASH, 0, RGB(0, 0, 0));
    SelectObject(dc, dash);
    Rectangle(dc, dx, dy, r.right - dx, r.bottom - dy);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    DeleteObject(dash);
}

static void child_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT r;
    GetClientRect(hwnd, &r);
    draw_cell(dc, r, GetWindowLongW(hwnd, 0) != 0);
    if (GetFocus() == hwnd) draw_focus(dc, r);
    EndPaint(hwnd, &ps);
}

static void child_toggle(HWND hwnd) {
    SetWindowLongW(hwnd, 0, 1 ^ GetWindowLongW(hwnd, 0));
    SetFocus(hwnd);
    InvalidateRect(hwnd, nullptr, FALSE);
}

static LRESULT CALLBACK child_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: SetWindowLongW(hwnd, 0, 0); return 0;
    case WM_KEYDOWN:
        // Navigation belongs to the main window, which knows where the neighbours are.
        if (wp != VK_RETURN && wp != VK_SPACE) return SendMessageW(GetParent(hwnd), msg, wp, lp);
        child_toggle(hwnd);
        return 0;
    case WM_LBUTTONDOWN: child_toggle(hwnd); return 0;
    case WM_SETFOCUS:
        g.focus_id = GetWindowLongW(hwnd, GWL_ID);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_KILLFOCUS: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_PAINT: child_paint(hwnd); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// Registers the cell class (a second registration by another window simply fails, harmlessly)
// and makes the 25 cells; their identifier holds the row in the high byte, the column in the low.
static LRESULT on_create(HWND hwnd) {
    WNDCLASSW wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = child_proc;
    wc.cbWndExtra = sizeof(LONG);
    wc.hInstance = rt.module;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = g.child_class;
    RegisterClassW(&wc);
    for (int x = 0; x < GRID_CELLS; x++)
        for (int y = 0; y < GRID_CELLS; y++) {
            g.child_windows[x][y] = CreateWindowExW(
                0, g.child_class, nullptr, WS_CHILDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(y << 8 | x)), rt.module, nullptr);
            if (!g.child_windows[x][y]) return -1;
        }
    return 0;
}

static void on_size(LPARAM lp) {
    int block_width = LOWORD(lp) / GRID_CELLS;
    int block_height = static_cast<short>(HIWORD(lp)) / GRID_CELLS;
    for (int x = 0; x < GRID_CELLS; x++)
        for (int y = 0; y < GRID_CELLS; y++)
            MoveWindow(g.child_windows[x][y], x * block_width, y * block_height, block_width,
                       block_height, TRUE);
}

// Keys arrive here from the focused cell; navigation keys move the focus to a neighbour.
static void on_key(HWND hwnd, WPARAM vk) {
    int x = g.focus_id & 0xFF, y = g.focus_id >> 8;
    if (!grid_move(UINT(vk), &x, &y)) return;
    g.focus_id = y << 8 | x;
    SetFocus(GetDlgItem(hwnd, g.focus_id));
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: return on_create(hwnd);
    case WM_SIZE: on_size(lp); return 0;
    case WM_SETFOCUS: SetFocus(GetDlgItem(hwnd, g.focus_id)); return 0;
    case WM_KEYDOWN: on_key(hwnd, wp); return 0;
    case WM_LBUTTONDOWN: MessageBeep(0); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"galvorn4", L"Galvorn4 Mouse Hit-Test Demo", wnd_proc);
    str_assign(&g.child_class, L"galvorn4_Child");
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
