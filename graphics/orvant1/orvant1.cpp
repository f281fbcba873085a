// Orvant1: the 256 entries of the system palette as text, red-green-blue in hexadecimal, in rows
// of cells of the fixed system font. It runs only on a display with a 256-colour palette: anywhere
// else it says so and does not open (or closes, when the display mode changes under it).
#include "frame/frame.h"
#include "graphics/colour_text.h"

static struct {
    app_frame frame;
    int width, height; // client size
    SIZE cell_size;    // one value and two blanks in SYSTEM_FIXED_FONT
    PALETTEENTRY entries[256];
} g;

static bool check_display(HWND hwnd) {
    int size = 0;
    if (HDC dc = GetDC(hwnd)) {
        size = GetDeviceCaps(dc, SIZEPALETTE);
        ReleaseDC(hwnd, dc);
    }
    if (size == 256) return true;
    MessageBoxW(hwnd,
                L"This program requires that the video display mode have a 256-color palette.",
                g.frame.class_name, MB_ICONERROR);
    return false;
}

static LRESULT on_create(HWND hwnd) {
    if (!check_display(hwnd)) return -1;
    if (HDC dc = GetDC(hwnd)) {
        SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
        GetTextExtentPoint32W(dc, L"FF-FF-FF  ", 10, &g.cell_size);
        ReleaseDC(hwnd, dc);
    }
    return 0;
}

// Cells run left to right and wrap before one would cross the right edge; drawing stops once a
// row would start below the bottom edge.
static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
    GetSystemPaletteEntries(dc, 0, 256, g.entries);
    int x = 0, y = 0;
    for (int i = 0; i < 256; i++) {
        const PALETTEENTRY& e = g.entries[i];
        const size_t start = rt.temp_top;
        const wchar_t* text = temp_push_colour(rgb(e.peRed, e.peGreen, e.peBlue), L"-", start);
        TextOutW(dc, x, y, text, static_cast<int>(str_length(text)));
        rt.temp_top = start;
        x += g.cell_size.cx;
        if (x + g.cell_size.cx > g.width) {
            x = 0;
            y += g.cell_size.cy;
            if (y > g.height) break;
        }
    }
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: return on_create(hwnd);
    case WM_DISPLAYCHANGE:
        if (!check_display(hwnd)) DestroyWindow(hwnd);
        return 0;
    case WM_SIZE:
        g.width = LOWORD(lp);
        g.height = static_cast<short>(HIWORD(lp));
        return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_PALETTECHANGED: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"orvant1", L"System Palette #1", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
