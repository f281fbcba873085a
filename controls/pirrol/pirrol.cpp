// Pirrol: two owner-draw push buttons in the middle of the window, drawn by the program as white
// squares with four black triangles. The left one (arrows pointing in) shrinks the whole window
// by a tenth of its client size, the right one (arrows pointing out) enlarges it as much.
#include "frame/frame.h"

enum { ID_SMALLER = 1, ID_LARGER = 2 };

static struct {
    app_frame frame;
    int cx, cy;        // the dialog base units
    int width, height; // client size
    HWND smaller, larger;
} g;

// Triangle corners in eighths of the button's width and height, three points a triangle.
static const int arrows_in[12][2] = {{3, 1}, {5, 1}, {4, 3}, {7, 3}, {7, 5}, {5, 4},
                                     {5, 7}, {3, 7}, {4, 5}, {1, 5}, {1, 3}, {3, 4}};
static const int arrows_out[12][2] = {{5, 3}, {3, 3}, {4, 1}, {5, 5}, {5, 3}, {7, 4},
                                      {3, 5}, {5, 5}, {4, 7}, {3, 3}, {3, 5}, {1, 4}};

static HWND make_button(HWND parent, int id) {
    return CreateWindowExW(0, L"Button", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 8 * g.cx,
                           4 * g.cy, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           rt.module, nullptr);
}

static void on_create(HWND hwnd) {
    const LONG units = GetDialogBaseUnits();
    g.cx = LOWORD(units);
    g.cy = HIWORD(units);
    g.smaller = make_button(hwnd, ID_SMALLER);
    g.larger = make_button(hwnd, ID_LARGER);
}

static void on_size(int w, int h) {
    g.width = w;
    g.height = h;
    MoveWindow(g.smaller, w / 2 - 24 * g.cx / 2, h / 2 - 4 * g.cy / 2, 8 * g.cx, 4 * g.cy, TRUE);
    MoveWindow(g.larger, w / 2 + 8 * g.cx / 2, h / 2 - 4 * g.cy / 2, 8 * g.cx, 4 * g.cy, TRUE);
}

// The whole window moves in (or out) by a twentieth of the client size on each side.
static void on_command(HWND hwnd, int id) {
    RECT r;
    GetWindowRect(hwnd, &r);
    const int dx = g.width / 20, dy = g.height / 20;
    if (id == ID_SMALLER) InflateRect(&r, -dx, -dy);
    if (id == ID_LARGER) InflateRect(&r, dx, dy);
    MoveWindow(hwnd, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

static void on_draw_item(const DRAWITEMSTRUCT* di) {
    RECT r = di->rcItem;
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC dc = di->hDC;
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const int(*corners)[2] = di->CtlID == ID_SMALLER ? arrows_in : arrows_out;
    HGDIOBJ old = SelectObject(dc, GetStockObject(BLACK_BRUSH));
    for (int t = 0; t < 4; t++) {
        POINT p[3];
        for (int k = 0; k < 3; k++) {
            p[k].x = r.left + w * corners[3 * t + k][0] / 8;
            p[k].y = r.top + h * corners[3 * t + k][1] / 8;
        }
        Polygon(dc, p, 3);
    }
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    SelectObject(dc, old);
    if (di->itemState & ODS_SELECTED) InvertRect(dc, &r);
    if (di->itemState & ODS_FOCUS) {
        InflateRect(&r, -(w / 16), -(h / 16));
        DrawFocusRect(dc, &r);
    }
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: on_create(hwnd); return 0;
    case WM_SIZE: on_size(LOWORD(lp), static_cast<short>(HIWORD(lp))); return 0;
    case WM_COMMAND: on_command(hwnd, LOWORD(wp)); return 0;
    case WM_DRAWITEM: on_draw_item(reinterpret_cast<const DRAWITEMSTRUCT*>(lp)); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"pirrol", L"Owner-Draw Button Demo", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
