// Ostrane: the client rectangle of its own window converted into the logical units of six mapping
// modes, in a table laid out on a grid of fixed-pitch character cells.
#include "frame/frame.h"
#include "text/stored_table.h"

static struct {
    app_frame frame;
    int cx_char, cy_char; // a cell of the fixed-pitch system font
    int cx_client, cy_client;
    wchar_t* heading;
    wchar_t* underline;
} g;

static const struct {
    int mode;
    const wchar_t* name;
} modes[] = {
    {MM_TEXT, L"TEXT (pixels)"},
    {MM_LOMETRIC, L"LOMETRIC (.1 mm)"},
    {MM_HIMETRIC, L"HIMETRIC (.01 mm)"},
    {MM_LOENGLISH, L"LOENGLISH (.01 in)"},
    {MM_HIENGLISH, L"HIENGLISH (.001 in)"},
    {MM_TWIPS, L"TWIPS (1/1440 in)"},
};

static void on_create(HWND hwnd) {
    HDC dc = GetDC(hwnd);
    SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    g.cx_char = tm.tmAveCharWidth;
    g.cy_char = tm.tmHeight + tm.tmExternalLeading;
    ReleaseDC(hwnd, dc);
    str_assign(&g.heading, L"Mapping Mode            Left   Right     Top  Bottom");
    str_assign(&g.underline, L"------------            ----   -----     ---  ------");
}

// Writes a text at a cell of the grid. The text itself is drawn in device units: some platforms
// (Wine among them) scale even stock fonts by the mapping mode, which would draw the fixed font one
// cell per pixel of its height.
static void text_at_cell(HDC dc, int column, int row, const wchar_t* text) {
    POINT at = {column, row};
    LPtoDP(dc, &at, 1);
    SaveDC(dc);
    SetMapMode(dc, MM_TEXT);
    TextOutW(dc, at.x, at.y, text, static_cast<int>(str_length(text)));
    RestoreDC(dc, -1);
}

// One line: the mode's name in 20 characters, then left, right, top and bottom of the client
// rectangle in that mode's logical units, each in a blank and 7 characters.
static void show_mode(HWND hwnd, HDC dc, int cell_y, int mode, const wchar_t* name) {
    SaveDC(dc);
    SetMapMode(dc, mode);
    RECT rc;
    GetClientRect(hwnd, &rc);
    DPtoLP(dc, reinterpret_cast<POINT*>(&rc), 2);
    RestoreDC(dc, -1);

    const size_t start = rt.temp_top;
    pad_right_spaces(name, 20, start);
    const LONG values[] = {rc.left, rc.right, rc.top, rc.bottom};
    for (LONG v : values) {
        temp_push_char(L' ', rt.temp_top);
        push_number_column(v, 7, rt.temp_top);
    }
    text_at_cell(dc, 1, cell_y, temp_text(start));
    rt.temp_top = start;
}

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
    // One logical unit is one character cell.
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 1, 1, nullptr);
    SetViewportExtEx(dc, g.cx_char, g.cy_char, nullptr);
    text_at_cell(dc, 1, 1, g.heading);
    text_at_cell(dc, 1, 2, g.underline);
    for (int i = 0; i < 6; i++)
        show_mode(hwnd, dc, 3 + i, modes[i].mode, modes[i].name);
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: on_create(hwnd); return 0;
    case WM_SIZE:
        g.cx_client = LOWORD(lp);
        g.cy_client = static_cast<short>(HIWORD(lp));
        return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"ostrane", L"What Size is the Window?", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
