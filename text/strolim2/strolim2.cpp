// Strolim2: logs every keyboard message that reaches its window as one line of a fixed-pitch
// table, the newest at the bottom and older ones moving up, under a column header in the top row.
// The font is made for the character set of the current input language and made again when the
// language changes. Keys are passed on after logging, so system keys keep working.
#include "frame/frame.h"
#include "text/keylog.h"

static struct {
    app_frame frame;
    keylog_texts texts;
    int cx_client_max, cy_client_max;
    int cx_client, cy_client;
    int cx_char, cy_char;
    int lines_max, lines;
    MSG* message_log; // record 0 is the newest
    RECT scroll_rect; // the rows below the header that hold whole lines
    DWORD char_set;   // of the font; the input language tells it
} g;

// A fixed-pitch font of the current character set, made for each use and deleted after it.
static HFONT make_font() {
    return CreateFontW(0, 0, 0, 0, 0, 0, 0, 0, g.char_set, 0, 0, 0, FIXED_PITCH, nullptr);
}

static void drop_font(HDC dc, HFONT font) {
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
}

// Measures the font and starts an empty log as long as a maximised window is high.
static void set_up(HWND hwnd) {
    g.cx_client_max = GetSystemMetrics(SM_CXMAXIMIZED);
    g.cy_client_max = GetSystemMetrics(SM_CYMAXIMIZED);
    HDC dc = GetDC(hwnd);
    HFONT font = make_font();
    SelectObject(dc, font);
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    g.cx_char = tm.tmAveCharWidth;
    g.cy_char = tm.tmHeight;
    drop_font(dc, font);
    ReleaseDC(hwnd, dc);
    if (g.message_log) block_free(g.message_log);
    g.lines_max = g.cy_client_max / g.cy_char;
    g.message_log = static_cast<MSG*>(block_alloc(g.lines_max * int32_t(sizeof(MSG))));
    g.lines = 0;
}

static void fit_client(HWND hwnd) {
    g.scroll_rect = RECT{0, g.cy_char, g.cx_client, g.cy_char * (g.cy_client / g.cy_char)};
    InvalidateRect(hwnd, nullptr, TRUE);
}

static LRESULT on_key(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    keylog_add(g.message_log, g.lines_max, &g.lines, hwnd, msg, wp, lp);
    // The logged lines move up one row; only the uncovered bottom row is painted again.
    ScrollWindow(hwnd, 0, -g.cy_char, &g.scroll_rect, &g.scroll_rect);
    return DefWindowProcW(hwnd, msg, wp, lp);
}

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    HFONT font = make_font();
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    // The underscores fall under the header's words.
    TextOutW(dc, 0, 0, g.texts.header_text, int(str_length(g.texts.header_text)));
    TextOutW(dc, 0, 0, g.texts.underline_text, int(str_length(g.texts.underline_text)));
    const int rows = g.cy_client / g.cy_char;
    for (int i = 0; i < g.lines && i < rows - 1; i++) {
        const MSG* record = &g.message_log[i];
        wchar_t key_name[33] = L"";
        if (!keylog_is_char_message(record->message))
            GetKeyNameTextW(LONG(record->lParam), key_name, 32);
        const size_t start = rt.temp_top;
        keylog_push_line(&g.texts, record, key_name);
        TextOutW(dc, 0, g.cy_char * (rows - 1 - i), temp_text(start),
                 int((rt.temp_top - start) / sizeof(wchar_t)));
        rt.temp_top = start;
    }
    drop_font(dc, font);
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (keylog_is_logged(msg)) return on_key(hwnd, msg, wp, lp);
    switch (msg) {
    case WM_CREATE:
    case WM_DISPLAYCHANGE:
        set_up(hwnd);
        fit_client(hwnd);
        return 0;
    case WM_INPUTLANGCHANGE:
        // A new language may need a new font; the log starts again empty.
        g.char_set = DWORD(wp);
        set_up(hwnd);
        fit_client(hwnd);
        return 1;
    case WM_SIZE:
        g.cx_client = LOWORD(lp);
        g.cy_client = static_cast<short>(HIWORD(lp));
        fit_client(hwnd);
        return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY:
        if (g.message_log) block_free(g.message_log);
        g.message_log = nullptr;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, USES_BLOCKS);
    g.char_set = DEFAULT_CHARSET;
    frame_init(&g.frame, L"strolim2", L"Keyboard Message Viewer #2", wnd_proc);
    keylog_init_texts(&g.texts);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
