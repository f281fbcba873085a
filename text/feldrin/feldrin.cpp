// Feldrin: shows one of the seven stock fonts at a time, a heading with its stock name, face name
// and character set above a 16 x 16 grid of the character codes 0-255 drawn in it. The vertical
// scroll bar and the cursor keys step from font to font.
#include "frame/frame.h"

#include <stddef.h>

struct stock_font {
    int32_t id;
    wchar_t* name; // dynamic string
};

static const cleanup_entry stock_font_cleanup[] = {offsetof(stock_font, name), CLEANUP_END};

enum { FONT_COUNT = 7 };

static struct {
    app_frame frame;
    stock_font* fonts; // array of FONT_COUNT records
    int font_index;
    int cx_client, cy_client;
} g;

static void fill_font_table() {
    static const struct {
        int id;
        const wchar_t* name;
    } table[FONT_COUNT] = {
        {OEM_FIXED_FONT, L"OEM_FIXED_FONT"},
        {ANSI_FIXED_FONT, L"ANSI_FIXED_FONT"},
        {ANSI_VAR_FONT, L"ANSI_VAR_FONT"},
        {SYSTEM_FONT, L"SYSTEM_FONT"},
        {DEVICE_DEFAULT_FONT, L"DEVICE_DEFAULT_FONT"},
        {SYSTEM_FIXED_FONT, L"SYSTEM_FIXED_FONT"},
        {DEFAULT_GUI_FONT, L"DEFAULT_GUI_FONT"},
    };
    if (!array_create(FONT_COUNT, sizeof(stock_font), stock_font_cleanup,
                      reinterpret_cast<void**>(&g.fonts), KIND_RECORD))
        return;
    for (int i = 0; i < FONT_COUNT; i++) {
        g.fonts[i].id = table[i].id;
        str_assign(&g.fonts[i].name, table[i].name);
    }
}

static int clamp(int v, int lo, int hi) {
    return v < lo ? lo : v > hi ? hi : v;
}

static void on_vscroll(HWND hwnd, WPARAM wp) {
    int index = g.font_index;
    switch (LOWORD(wp)) {
    case SB_TOP: index = 0; break;
    case SB_BOTTOM: index = FONT_COUNT - 1; break;
    case SB_LINEUP:
    case SB_PAGEUP: index--; break;
    case SB_LINEDOWN:
    case SB_PAGEDOWN: index++; break;
    case SB_THUMBPOSITION: index = static_cast<short>(HIWORD(wp)); break;
    }
    // Every code, named or not (the thumb being dragged, the end of a scroll), clamps, puts the
    // thumb on the font shown and repaints; the font changes only when the thumb is let go.
    g.font_index = clamp(index, 0, FONT_COUNT - 1);
    SetScrollPos(hwnd, SB_VERT, g.font_index, TRUE);
    InvalidateRect(hwnd, nullptr, TRUE);
}

static bool on_key(HWND hwnd, WPARAM vk) {
    WPARAM code;
    switch (vk) {
    case VK_HOME: code = SB_TOP; break;
    case VK_END: code = SB_BOTTOM; break;
    case VK_PRIOR:
    case VK_LEFT:
    case VK_UP: code = SB_LINEUP; break;
    case VK_NEXT:
    case VK_RIGHT:
    case VK_DOWN: code = SB_PAGEDOWN; break;
    default: return false;
    }
    SendMessageW(hwnd, WM_VSCROLL, code, 0);
    return true;
}

// Appends the heading: " NAME: Face Name = face, CharSet = n".
static void push_heading(const wchar_t* name, const wchar_t* face, BYTE char_set) {
    temp_push(L" ");
    temp_push(name);
    temp_push(L": Face Name = ");
    temp_push_field(face, 32);
    temp_push(L", CharSet = ");
    temp_push_udec(char_set, INT8_KIND, rt.temp_top);
}

static void text_at(HDC dc, int x, int y, size_t start) {
    TextOutW(dc, x, y, temp_text(start), int((rt.temp_top - start) / sizeof(wchar_t)));
    rt.temp_top = start;
}

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    const stock_font& font = g.fonts[g.font_index];
    SelectObject(dc, GetStockObject(font.id));
    wchar_t face[33] = L"";
    GetTextFaceW(dc, 32, face);
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    const int cx_grid = 3 * tm.tmAveCharWidth > 2 * tm.tmMaxCharWidth ? 3 * tm.tmAveCharWidth
                                                                      : 2 * tm.tmMaxCharWidth;
    const int cy_grid = tm.tmHeight + 3;

    size_t start = rt.temp_top;
    push_heading(font.name, face, tm.tmCharSet);
    text_at(dc, 0, 0, start);

    SetTextAlign(dc, TA_TOP | TA_CENTER);
    for (int i = 0; i <= 16; i++) {
        MoveToEx(dc, (i + 2) * cx_grid, 2 * cy_grid, nullptr);
        LineTo(dc, (i + 2) * cx_grid, 19 * cy_grid);
        MoveToEx(dc, cx_grid, (i + 3) * cy_grid, nullptr);
        LineTo(dc, 18 * cx_grid, (i + 3) * cy_grid);
    }
    for (int i = 0; i < 16; i++) {
        start = rt.temp_top;
        temp_push_hex64(i, start);
        temp_push(L"-");
        text_at(dc, (2 * i + 5) * cx_grid / 2, 2 * cy_grid + 2, start);
        temp_push(L"-");
        temp_push_hex64(i, rt.temp_top);
        text_at(dc, 3 * cx_grid / 2, (i + 3) * cy_grid + 2, start);
    }
    // Column j holds the codes whose high digit is j, row i those whose low digit is i.
    for (int i = 0; i < 16; i++)
        for (int j = 0; j < 16; j++) {
            const wchar_t ch = static_cast<wchar_t>(16 * j + i);
            TextOutW(dc, (2 * j + 5) * cx_grid / 2, (i + 3) * cy_grid + 2, &ch, 1);
        }
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: SetScrollRange(hwnd, SB_VERT, 0, FONT_COUNT - 1, TRUE); return 0;
    case WM_DISPLAYCHANGE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_SIZE:
        g.cx_client = LOWORD(lp);
        g.cy_client = static_cast<short>(HIWORD(lp));
        return 0;
    case WM_VSCROLL: on_vscroll(hwnd, wp); return 0;
    case WM_KEYDOWN:
        if (on_key(hwnd, wp)) return 0;
        break;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"feldrin", L"Stock Fonts", wnd_proc);
    fill_font_table();
    if (g.fonts && frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW))
        frame_loop(&g.frame);
    array_destroy(g.fonts);
    process_end(frame_exit_code(&g.frame));
}
