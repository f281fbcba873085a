// Hurvane: a digital clock. Six red seven-segment digits and two colons, drawn as filled polygons
// in an isotropic strip of 276 x 72 logical units that is centred and scaled to fit the client
// area. The 12/24-hour format and the leading zero of the hours come from the user's locale
// settings and follow changes to them; the whole clock is repainted every second.
#include "frame/frame.h"
#include "segments.h"

static struct {
    app_frame frame;
    int width, height; // client size
    bool use_24_hour;
    bool suppress_leading_zero;
    HBRUSH red_brush;
} g;

static void read_locale_settings(HWND hwnd) {
    // Emptied before each call: a value that does not fit leaves the buffer unwritten.
    wchar_t buffer[2] = {0, 0};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ITIME, buffer, 2);
    g.use_24_hour = buffer[0] == L'1';
    buffer[0] = 0;
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ITLZERO, buffer, 2);
    g.suppress_leading_zero = buffer[0] == L'0';
    InvalidateRect(hwnd, nullptr, TRUE);
}

// Each figure is drawn at the window origin, then the origin moves one cell to the right.
static void paint_digit(HDC dc, int digit) {
    if (digit != CELL_BLANK)
        for (int s = 0; s < SEGMENTS; s++)
            if (segment_on[digit][s]) Polygon(dc, segment_points[s], SEGMENT_POINTS);
    OffsetWindowOrgEx(dc, -DIGIT_WIDTH, 0, nullptr);
}

static void paint_colon(HDC dc) {
    for (const POINT* diamond : colon_points)
        Polygon(dc, diamond, COLON_POINTS);
    OffsetWindowOrgEx(dc, -COLON_WIDTH, 0, nullptr);
}

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    SetMapMode(dc, MM_ISOTROPIC);
    SetWindowExtEx(dc, STRIP_WIDTH, STRIP_HEIGHT, nullptr);
    SetViewportExtEx(dc, g.width, g.height, nullptr);
    SetWindowOrgEx(dc, STRIP_WIDTH / 2, STRIP_HEIGHT / 2, nullptr);
    SetViewportOrgEx(dc, g.width / 2, g.height / 2, nullptr);
    SelectObject(dc, GetStockObject(NULL_PEN)); // filled without an outline
    SelectObject(dc, g.red_brush);

    SYSTEMTIME now;
    GetLocalTime(&now);
    int cells[6];
    time_cells(now, g.use_24_hour, g.suppress_leading_zero, cells);
    for (int i = 0; i < 6; i++) {
        if (i == 2 || i == 4) paint_colon(dc);
        paint_digit(dc, cells[i]);
    }
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        g.red_brush = CreateSolidBrush(RGB(255, 0, 0));
        SetTimer(hwnd, 1, 1000, nullptr);
        read_locale_settings(hwnd);
        return 0;
    case WM_SETTINGCHANGE: read_locale_settings(hwnd); return 0;
    case WM_SIZE:
        g.width = LOWORD(lp);
        g.height = static_cast<short>(HIWORD(lp));
        return 0;
    case WM_TIMER: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY:
        KillTimer(hwnd, 1);
        DeleteObject(g.red_brush);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"hurvane", L"Digital Clock", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
