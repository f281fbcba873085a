// Lumetra1: 20 capabilities of the screen as GetDeviceCaps reports them for the window's own
// device context, one per line: name, description and value.
//
// The rows come from a packed table (index, label, description) loaded at start. The columns are
// placed from the system font's metrics, read once at WM_CREATE with GetTextMetricsW (capitals
// are taken as one and a half average widths in a proportional font), and the values are
// right-aligned with SetTextAlign(TA_RIGHT) so that the digits line up.
#include "frame/frame.h"
#include "caps_table.h"

static struct {
    app_frame frame;
    table_row* caps; // the 20 rows
    int cx_char, cx_caps, cy_char;
} g;

static void on_create(HWND hwnd) {
    HDC dc = GetDC(hwnd);
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    g.cx_char = tm.tmAveCharWidth;
    g.cx_caps = (tm.tmPitchAndFamily & 1) ? g.cx_char * 3 / 2 : g.cx_char;
    g.cy_char = tm.tmHeight + tm.tmExternalLeading;
    ReleaseDC(hwnd, dc);
}

static void text_out(HDC dc, int x, int y, const wchar_t* text) {
    TextOutW(dc, x, y, text, static_cast<int>(str_length(text)));
}

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    for (uint32_t i = 0; i < CAPS_ROWS; i++) {
        const table_row& row = g.caps[i];
        const int y = g.cy_char * int(i);
        text_out(dc, 0, y, row.label);
        text_out(dc, 14 * g.cx_caps, y, row.description);
        SetTextAlign(dc, TA_RIGHT | TA_TOP);
        const size_t start = rt.temp_top;
        push_number_column(GetDeviceCaps(dc, row.index), 5, start);
        text_out(dc, 14 * g.cx_caps + 35 * g.cx_char, y, temp_text(start));
        rt.temp_top = start;
        SetTextAlign(dc, TA_LEFT | TA_TOP);
    }
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: on_create(hwnd); return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"lumetra1", L"Device Capabilities", wnd_proc);
    if (!table_load(&g.caps, caps_stored, CAPS_ROWS)) runtime_out_of_memory();
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
