// Galvorn3: hit-testing by child windows. Each of the 5 x 5 cells is a child window of its own
// that keeps its X mark in its extra window word and toggles it when clicked, so the system's own
// hit-testing finds the cell. The main window only lays the children out; a click that reaches it
// lies in the uncovered strip right of or below them and beeps.
#include "frame/frame.h"
#include "mouse/grid.h"

static struct {
    app_frame frame;
    wchar_t* child_class;
    HWND child_windows[GRID_CELLS][GRID_CELLS]; // [x][y]
} g;

static void draw_cell(HDC dc, const RECT& r, bool marked) {
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
    if (!marked) return;
    MoveToEx(dc, r.left, r.top, nullptr);
    LineTo(dc, r.right, r.bottom);
    MoveToEx(dc, r.left, r.bottom, nullptr);
    LineTo(dc, r.right, r.top);
}

static void child_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT r;
    GetClientRect(hwnd, &r);
    draw_cell(dc, r, GetWindowLongW(hwnd, 0) != 0);
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK child_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: SetWindowLongW(hwnd, 0, 0); return 0;
    case WM_LBUTTONDOWN:
        SetWindowLongW(hwnd, 0, 1 ^ GetWindowLongW(hwnd, 0));
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
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

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: return on_create(hwnd);
    case WM_SIZE: on_size(lp); return 0;
    case WM_LBUTTONDOWN: MessageBeep(0); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"galvorn3", L"Galvorn3 Mouse Hit-Test Demo", wnd_proc);
    str_assign(&g.child_class, L"galvorn3_Child");
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
