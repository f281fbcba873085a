// Typer: the client area is a grid of character cells the user types into, with a blinking caret,
// the cursor keys, Delete, Backspace, Tab, Enter and Escape. The grid holds as many whole cells as
// the client area does and starts empty again whenever the size or the input language changes.
#include "frame/frame.h"

static struct {
    app_frame frame;
    DWORD char_set; // of the font; the input language tells it
    int cx_char, cy_char;
    int cx_client, cy_client;
    int cx_buffer, cy_buffer; // the grid, in cells
    wchar_t* text_buffer;     // cx_buffer x cy_buffer characters, row after row
    int x_caret, y_caret;     // the caret's cell
} g;

// A fixed-pitch font of the current character set, made for each use and deleted after it.
static HFONT select_font(HDC dc) {
    HFONT font = CreateFontW(0, 0, 0, 0, 0, 0, 0, 0, g.char_set, 0, 0, 0, FIXED_PITCH, nullptr);
    SelectObject(dc, font);
    return font;
}

static void drop_font(HDC dc, HFONT font) {
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
}

static int clamp(int v, int lo, int hi) {
    return v < lo ? lo : v > hi ? hi : v;
}

static wchar_t* cell(int x, int y) {
    return g.text_buffer + y * g.cx_buffer + x;
}

static void place_caret() {
    SetCaretPos(g.x_caret * g.cx_char, g.y_caret * g.cy_char);
}

static void measure_font(HWND hwnd) {
    HDC dc = GetDC(hwnd);
    HFONT font = select_font(dc);
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    g.cx_char = tm.tmAveCharWidth;
    g.cy_char = tm.tmHeight;
    drop_font(dc, font);
    ReleaseDC(hwnd, dc);
}

static void clear_grid() {
    for (int i = 0; i < g.cx_buffer * g.cy_buffer; i++)
        g.text_buffer[i] = L' ';
    g.x_caret = g.y_caret = 0;
}

// A new empty grid of as many whole cells as the client area holds (at least one).
static void lay_out(HWND hwnd) {
    g.cx_buffer = g.cx_client / g.cx_char > 1 ? g.cx_client / g.cx_char : 1;
    g.cy_buffer = g.cy_client / g.cy_char > 1 ? g.cy_client / g.cy_char : 1;
    if (g.text_buffer) block_free(g.text_buffer);
    g.text_buffer =
        static_cast<wchar_t*>(block_alloc(g.cx_buffer * g.cy_buffer * int32_t(sizeof(wchar_t))));
    if (!g.text_buffer) g.cx_buffer = g.cy_buffer = 0; // nothing to type into
    clear_grid();
    if (GetFocus() == hwnd) place_caret();
    InvalidateRect(hwnd, nullptr, TRUE);
}

// Draws `count` cells of row y from column x, with the caret out of the way.
static void draw_cells(HWND hwnd, int x, int y, int count) {
    HideCaret(hwnd);
    HDC dc = GetDC(hwnd);
    HFONT font = select_font(dc);
    TextOutW(dc, x * g.cx_char, y * g.cy_char, cell(x, y), count);
    drop_font(dc, font);
    ReleaseDC(hwnd, dc);
    ShowCaret(hwnd);
}

static void next_row() {
    if (++g.y_caret == g.cy_buffer) g.y_caret = 0;
}

static void on_key(HWND hwnd, WPARAM vk) {
    switch (vk) {
    case VK_HOME: g.x_caret = 0; break;
    case VK_END: g.x_caret = g.cx_buffer - 1; break;
    case VK_PRIOR: g.y_caret = 0; break;
    case VK_NEXT: g.y_caret = g.cy_buffer - 1; break;
    case VK_LEFT: g.x_caret = clamp(g.x_caret - 1, 0, g.cx_buffer - 1); break;
    case VK_RIGHT: g.x_caret = clamp(g.x_caret + 1, 0, g.cx_buffer - 1); break;
    case VK_UP: g.y_caret = clamp(g.y_caret - 1, 0, g.cy_buffer - 1); break;
    case VK_DOWN: g.y_caret = clamp(g.y_caret + 1, 0, g.cy_buffer - 1); break;
    case VK_DELETE:
        if (!g.text_buffer) break;
        // The rest of the row moves one cell left; a blank comes in at its end.
        for (int x = g.x_caret; x < g.cx_buffer - 1; x++)
            *cell(x, g.y_caret) = *cell(x + 1, g.y_caret);
        *cell(g.cx_buffer - 1, g.y_caret) = L' ';
        draw_cells(hwnd, g.x_caret, g.y_caret, g.cx_buffer - g.x_caret);
        break;
    }
    place_caret();
}

static void type_char(HWND hwnd, wchar_t ch) {
    switch (ch) {
    case L'\b':
        if (g.x_caret > 0) {
            g.x_caret--;
            SendMessageW(hwnd, WM_KEYDOWN, VK_DELETE, 1);
        }
        break;
    case L'\t':
        do
            SendMessageW(hwnd, WM_CHAR, L' ', 1);
        while (g.x_caret % 8 != 0);
        break;
    case L'\n': next_row(); break;
    case L'\r':
        g.x_caret = 0;
        next_row();
        break;
    case 27: // Escape
        clear_grid();
        InvalidateRect(hwnd, nullptr, FALSE);
        break;
    default:
        if (!g.text_buffer) break;
        *cell(g.x_caret, g.y_caret) = ch;
        draw_cells(hwnd, g.x_caret, g.y_caret, 1);
        if (++g.x_caret == g.cx_buffer) {
            g.x_caret = 0;
            next_row();
        }
        break;
    }
}

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    HFONT font = select_font(dc);
    for (int y = 0; y < g.cy_buffer; y++)
        TextOutW(dc, 0, y * g.cy_char, cell(0, y), g.cx_buffer);
    drop_font(dc, font);
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_INPUTLANGCHANGE:
        g.char_set = DWORD(wp);
        measure_font(hwnd);
        lay_out(hwnd);
        return 0;
    case WM_CREATE:
        measure_font(hwnd);
        lay_out(hwnd);
        return 0;
    case WM_SIZE:
        g.cx_client = LOWORD(lp);
        g.cy_client = static_cast<short>(HIWORD(lp));
        lay_out(hwnd);
        return 0;
    case WM_SETFOCUS:
        CreateCaret(hwnd, nullptr, g.cx_char, g.cy_char);
        place_caret();
        ShowCaret(hwnd);
        return 0;
    case WM_KILLFOCUS:
        HideCaret(hwnd); // no visible effect: destroying the caret takes it off the screen too
        DestroyCaret();
        return 0;
    case WM_KEYDOWN: on_key(hwnd, wp); return 0;
    case WM_CHAR:
        for (int i = 0; i < LOWORD(lp); i++)
            type_char(hwnd, static_cast<wchar_t>(wp));
        place_caret();
        return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, USES_BLOCKS);
    g.char_set = DEFAULT_CHARSET;
    frame_init(&g.frame, L"typer", L"Typing Program", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
