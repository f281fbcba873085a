// Ternavo: shows a poem kept as an 8-bit text resource and scrolls it line by line with a
// scroll-bar control along the right edge, which holds the keyboard focus so the arrow keys
// scroll. The class name, caption and failure text come from the string table.
#include "frame/frame.h"
#include "poem.h"
#include "resource.h"

static struct {
    app_frame frame;
    wchar_t class_buffer[16];
    wchar_t caption_buffer[64];
    char error_buffer[64]; // 8-bit text
    int cx_char, cy_char;
    int cx_client, cy_client;
    int cx_vscroll;
    HWND scroll; // the scroll-bar child
    HGLOBAL resource;
    DWORD resource_size;
    poem_extent shown; // what of the text is shown, and its line count
    int position;      // the first line shown
} g;

static const char* lock_text() {
    return g.resource ? static_cast<const char*>(LockResource(g.resource)) : nullptr;
}

static void on_create(HWND hwnd) {
    HDC dc = GetDC(hwnd);
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    g.cx_char = tm.tmAveCharWidth;
    g.cy_char = tm.tmHeight + tm.tmExternalLeading;
    ReleaseDC(hwnd, dc);
    g.cx_vscroll = GetSystemMetrics(SM_CXVSCROLL);
    g.scroll = CreateWindowExW(0, L"ScrollBar", nullptr, WS_CHILD | WS_VISIBLE | SBS_VERT, 0, 0, 0,
                               0, hwnd, reinterpret_cast<HMENU>(1), rt.module, nullptr);
    if (HRSRC found = FindResourceW(rt.module, L"Corvenna", L"TEXT")) {
        g.resource = LoadResource(rt.module, found);
        g.resource_size = SizeofResource(rt.module, found);
    }
    // The resource data has no terminator: the count stops at its end at the latest.
    g.shown = poem_measure(reinterpret_cast<const uint8_t*>(lock_text()), g.resource_size);
    SetScrollRange(g.scroll, SB_CTL, 0, g.shown.lines, FALSE);
    SetScrollPos(g.scroll, SB_CTL, 0, FALSE); // no visible effect: a new bar is at 0 already
}

static int clamp(int v, int lo, int hi) {
    return v < lo ? lo : v > hi ? hi : v;
}

static void on_vscroll(HWND hwnd, WPARAM wp) {
    const int page = g.cy_client / g.cy_char;
    switch (LOWORD(wp)) {
    case SB_TOP: g.position = 0; break;
    case SB_BOTTOM: g.position = g.shown.lines; break;
    case SB_LINEUP: g.position -= 1; break;
    case SB_LINEDOWN: g.position += 1; break;
    case SB_PAGEUP: g.position -= page; break;
    case SB_PAGEDOWN: g.position += page; break;
    case SB_THUMBPOSITION: g.position = HIWORD(wp); break;
    }
    // The range ends at the line count, so the last line can reach the top.
    g.position = clamp(g.position, 0, g.shown.lines);
    if (g.position != GetScrollPos(g.scroll, SB_CTL)) {
        SetScrollPos(g.scroll, SB_CTL, g.position, TRUE);
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    const char* text = lock_text();
    RECT rc;
    GetClientRect(hwnd, &rc);
    // One character in and one line down, moved up by whole lines as it scrolls.
    rc.left += g.cx_char;
    rc.top += g.cy_char * (1 - g.position);
    if (text) DrawTextA(dc, text, int(g.shown.length), &rc, DT_EXTERNALLEADING);
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: on_create(hwnd); return 0;
    case WM_SIZE:
        g.cx_client = LOWORD(lp);
        g.cy_client = static_cast<short>(HIWORD(lp));
        MoveWindow(g.scroll, g.cx_client - g.cx_vscroll, 0, g.cx_vscroll, g.cy_client, TRUE);
        SetFocus(hwnd);
        return 0;
    case WM_SETFOCUS: SetFocus(g.scroll); return 0; // the scroll bar takes the keyboard
    case WM_VSCROLL: on_vscroll(hwnd, wp); return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// The failure text is 8-bit; so is its caption, the class name.
static void report_no_window() {
    char caption[16] = "";
    LoadStringA(rt.module, IDS_ERRMSG, g.error_buffer, sizeof g.error_buffer);
    WideCharToMultiByte(CP_ACP, 0, g.class_buffer, -1, caption, sizeof caption, nullptr, nullptr);
    MessageBoxA(nullptr, g.error_buffer, caption, MB_ICONERROR);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    LoadStringW(rt.module, IDS_APPNAME, g.class_buffer, 16);
    LoadStringW(rt.module, IDS_CAPTION, g.caption_buffer, 64);
    frame_init(&g.frame, g.class_buffer, g.caption_buffer, wnd_proc);
    g.frame.wc.hIcon = LoadIconW(rt.module, g.frame.class_name);
    if (frame_register(&g.frame)) {
        g.frame.hwnd =
            CreateWindowExW(0, g.frame.class_name, g.frame.caption,
                            WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, rt.module, nullptr);
        if (g.frame.hwnd) {
            ShowWindow(g.frame.hwnd, SW_SHOW);
            // No visible effect in the end: it paints the window before the loop starts rather
            // than on the loop's first turn.
            UpdateWindow(g.frame.hwnd);
            frame_loop(&g.frame);
        } else {
            report_no_window();
        }
    }
    process_end(frame_exit_code(&g.frame));
}
