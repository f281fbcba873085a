// Galvorn2: hit-testing by arithmetic, with a keyboard interface. As in galvorn1 a click toggles
// an X in the cell under the mouse; in addition the arrow keys, Home and End move the mouse
// cursor from cell centre to cell centre (wrapping round at the edges), and Enter or Space click
// the cell under it. While the window has the focus the cursor is shown, even where the system
// has no mouse.
#include "frame/frame.h"
#include "mouse/grid.h"

static struct {
    app_frame frame;
    int block_width, block_height;
    int cell_state[GRID_CELLS][GRID_CELLS]; // [x][y]: 1 when the cell shows its X
} g;

static void cell_rect(int x, int y, RECT* r) {
    SetRect(r, x * g.block_width, y * g.block_height, (x + 1) * g.block_width,
            (y + 1) * g.block_height);
}

static void draw_cell(HDC dc, const RECT& r, bool marked) {
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
    if (!marked) return;
    MoveToEx(dc, r.left, r.top, nullptr);
    LineTo(dc, r.right, r.bottom);
    MoveToEx(dc, r.left, r.bottom, nullptr);
    LineTo(dc, r.right, r.top);
}

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    for (int x = 0; x < GRID_CELLS; x++)
        for (int y = 0; y < GRID_CELLS; y++) {
            RECT r;
            cell_rect(x, y, &r);
            draw_cell(dc, r, g.cell_state[x][y] != 0);
        }
    EndPaint(hwnd, &ps);
}

static void on_click(HWND hwnd, LPARAM lp) {
    int x, y;
    // The column comes from the unsigned low word, the row from the signed high word.
    if (!grid_cell_at(LOWORD(lp), static_cast<short>(HIWORD(lp)), g.block_width, g.block_height, &x,
                      &y)) {
        MessageBeep(0);
        return;
    }
    g.cell_state[x][y] ^= 1;
    RECT r;
    cell_rect(x, y, &r);
    InvalidateRect(hwnd, &r, FALSE);
}

// Every key starts from the cell under the mouse cursor (the nearest one when the cursor is
// outside the window) and ends with the cursor at the centre of the resulting cell.
static void on_key(HWND hwnd, WPARAM vk) {
    POINT pt;
    GetCursorPos(&pt);
    ScreenToClient(hwnd, &pt);
    int x, y;
    grid_nearest_cell(pt.x, pt.y, g.block_width, g.block_height, &x, &y);
    if (vk == VK_RETURN || vk == VK_SPACE)
        SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON,
                     MAKELPARAM(x * g.block_width, y * g.block_height));
    else
        grid_move(UINT(vk), &x, &y);
    pt.x = x * g.block_width + g.block_width / 2;
    pt.y = y * g.block_height + g.block_height / 2;
    ClientToScreen(hwnd, &pt);
    SetCursorPos(pt.x, pt.y);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SIZE:
        g.block_width = LOWORD(lp) / GRID_CELLS;
        g.block_height = static_cast<short>(HIWORD(lp)) / GRID_CELLS;
        return 0;
    // The display count rises only while this window has the focus, so the cursor shows here even
    // without a mouse and other windows keep theirs as it was.
    case WM_SETFOCUS: ShowCursor(TRUE); return 0;
    case WM_KILLFOCUS: ShowCursor(FALSE); return 0;
    case WM_KEYDOWN: on_key(hwnd, wp); return 0;
    case WM_LBUTTONDOWN: on_click(hwnd, lp); return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"galvorn2", L"Galvorn2 Mouse Hit-Test Demo", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
