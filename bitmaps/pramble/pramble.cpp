// Pramble: the text " Hello, world!" is written once into a memory bitmap of its own size, which
// then fills the client area either stretched over all of it ("Big") or repeated as tiles
// ("Small"), as chosen in the Size menu.
#include "frame/frame.h"
#include "bitmaps/tiles.h"
#include "resource.h"

static struct {
    app_frame frame;
    int width, height; // client size
    wchar_t* text;
    HDC memory;   // holds the text bitmap from creation to destruction
    HBITMAP bits; // the text bitmap; none when it could not be made: nothing is drawn then
    HGDIOBJ old_bitmap;
    SIZE text_size;
    int size_choice; // IDM_BIG or IDM_SMALL
} g;

// The bitmap is compatible with the window (the screen's colours); the text is written in the
// memory context's default font, colours and opaque background, which fill the whole bitmap.
static void on_create(HWND hwnd) {
    HDC window = GetDC(hwnd);
    g.memory = CreateCompatibleDC(window);
    const int length = lstrlenW(g.text);
    if (g.memory && GetTextExtentPoint32W(g.memory, g.text, length, &g.text_size) &&
        g.text_size.cx > 0 && g.text_size.cy > 0)
        g.bits = CreateCompatibleBitmap(window, g.text_size.cx, g.text_size.cy);
    ReleaseDC(hwnd, window);
    if (!g.bits) return;
    g.old_bitmap = SelectObject(g.memory, g.bits);
    TextOutW(g.memory, 0, 0, g.text, length);
}

static void on_command(HWND hwnd, int id) {
    if (id != IDM_BIG && id != IDM_SMALL) return;
    HMENU menu = GetMenu(hwnd);
    CheckMenuItem(menu, g.size_choice, MF_UNCHECKED);
    g.size_choice = id;
    CheckMenuItem(menu, g.size_choice, MF_CHECKED);
    InvalidateRect(hwnd, nullptr, TRUE);
}

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (g.bits) {
        if (g.size_choice == IDM_BIG)
            StretchBlt(dc, 0, 0, g.width, g.height, g.memory, 0, 0, g.text_size.cx, g.text_size.cy,
                       SRCCOPY);
        else
            tile_blt(dc, g.width, g.height, g.memory, g.text_size.cx, g.text_size.cy);
    }
    EndPaint(hwnd, &ps);
}

static void on_destroy() {
    if (g.bits) {
        SelectObject(g.memory, g.old_bitmap);
        DeleteObject(g.bits);
    }
    if (g.memory) DeleteDC(g.memory);
    PostQuitMessage(0);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: on_create(hwnd); return 0;
    case WM_SIZE:
        g.width = LOWORD(lp);
        g.height = static_cast<short>(HIWORD(lp));
        return 0;
    case WM_COMMAND: on_command(hwnd, LOWORD(wp)); return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY: on_destroy(); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    str_assign(&g.text, L" Hello, world!");
    g.size_choice = IDM_BIG;
    frame_init(&g.frame, L"pramble", L"Pramble", wnd_proc);
    frame_use_class_menu(&g.frame);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
