// Sardeno: one button of each of ten styles in a column, and beside them a log of what the buttons
// tell their parent. Every WM_COMMAND and WM_DRAWITEM becomes one line at the bottom of the log
// with both message parameters as two hexadecimal words each; the older lines scroll up. The log
// lives only on the screen: any repaint of the window clears it back to its header.
#include "frame/frame.h"

namespace {

struct button_row {
    DWORD style;
    const wchar_t* text;
};

// The row index is also the control id.
const button_row buttons[] = {
    {BS_PUSHBUTTON, L"PUSHBUTTON"},     {BS_DEFPUSHBUTTON, L"DEFPUSHBUTTON"},
    {BS_CHECKBOX, L"CHECKBOX"},         {BS_AUTOCHECKBOX, L"AUTOCHECKBOX"},
    {BS_RADIOBUTTON, L"RADIOBUTTON"},   {BS_3STATE, L"3STATE"},
    {BS_AUTO3STATE, L"AUTO3STATE"},     {BS_GROUPBOX, L"GROUPBOX"},
    {BS_AUTORADIOBUTTON, L"AUTORADIO"}, {BS_OWNERDRAW, L"OWNERDRAW"},
};
const int button_count = sizeof buttons / sizeof buttons[0];

struct {
    app_frame frame;
    int cx, cy; // dialog base units
    int client_height;
    HWND button[button_count];
    RECT log; // the log's part of the client area
} g;

} // namespace

static LRESULT on_create(HWND hwnd) {
    const LONG units = GetDialogBaseUnits();
    g.cx = LOWORD(units);
    g.cy = HIWORD(units);
    for (int id = 0; id < button_count; id++) {
        g.button[id] = CreateWindowExW(
            0, L"Button", buttons[id].text, buttons[id].style | WS_CHILD | WS_VISIBLE, g.cx,
            g.cy * (2 * id + 1), 20 * g.cx, 7 * g.cy / 4, hwnd,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), rt.module, nullptr);
        if (!g.button[id]) return -1;
    }
    return 0;
}

static void on_size(int width, int height) {
    g.client_height = height;
    SetRect(&g.log, 24 * g.cx, 2 * g.cy, width, height);
}

// Every repaint starts the log afresh: only the header is drawn.
static void on_paint(HWND hwnd) {
    InvalidateRect(hwnd, &g.log, TRUE);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
    SetBkMode(dc, TRANSPARENT);
    // Drawn at the same place, so that the underscores underline the words.
    static const wchar_t header[] = L"message          wparam      lparam";
    static const wchar_t underline[] = L"_______          ______      ______";
    TextOutW(dc, 24 * g.cx, g.cy, header, lstrlenW(header));
    TextOutW(dc, 24 * g.cx, g.cy, underline, lstrlenW(underline));
    SelectObject(dc, old);
    EndPaint(hwnd, &ps);
}

// "HHHH-LLLL": the two words of a parameter, each as four hexadecimal digits.
static void push_words(uint32_t value) {
    const WORD words[2] = {HIWORD(value), LOWORD(value)};
    for (int i = 0; i < 2; i++) {
        if (i) temp_push(L"-");
        const size_t at = rt.temp_top;
        temp_push_hex(words[i], WORD_KIND, at);
        temp_push_right_aligned(temp_text(at), 4, L"0", at);
    }
}

static void log_message(HWND hwnd, const wchar_t* name, WPARAM wp, LPARAM lp) {
    ScrollWindow(hwnd, 0, -g.cy, &g.log, &g.log);
    const size_t start = rt.temp_top;
    temp_push_left_aligned(name, 16, L" ", start);
    push_words(static_cast<uint32_t>(wp));
    temp_push(L"    ");
    push_words(static_cast<uint32_t>(lp));
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
    const wchar_t* line = temp_text(start);
    TextOutW(dc, 24 * g.cx, g.cy * (g.client_height / g.cy - 1), line, lstrlenW(line));
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    rt.temp_top = start;
    // The strip the scroll uncovered must not be repainted: a repaint clears the whole log.
    ValidateRect(hwnd, &g.log);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: return on_create(hwnd);
    case WM_SIZE: on_size(LOWORD(lp), static_cast<short>(HIWORD(lp))); return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DRAWITEM: log_message(hwnd, L"WM_DRAWITEM", wp, lp); break;
    case WM_COMMAND: log_message(hwnd, L"WM_COMMAND", wp, lp); break;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"sardeno", L"Button Look", wnd_proc);
    // Plain WS_OVERLAPPEDWINDOW, without WS_CLIPCHILDREN: nothing the window draws (the log and
    // its header, from 24 cx on) reaches the buttons (up to 21 cx), so clipping them out of its
    // drawing would change nothing on the screen.
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
