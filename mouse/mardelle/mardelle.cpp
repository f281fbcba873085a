// Mardelle: a screen magnifier. The left button pressed in the window starts a capture (the
// desktop is locked against updates and the mouse is held); still holding it, the right button
// marks a block anywhere on the screen, shown inverted while it is dragged. Releasing either button
// takes the block into a bitmap of its size, mirrored when it was marked leftwards or upwards, and
// the window shows it stretched over its whole client area. The Edit menu exchanges the picture
// with the clipboard as a bitmap.
#include "frame/frame.h"
#include "resource.h"

#include <windowsx.h>

static struct {
    app_frame frame;
    bool capturing;               // the desktop is locked and the mouse held
    bool blocking;                // the right button is marking a block
    HWND screen_window;           // the desktop, whose updates are locked while capturing
    POINT block_start, block_end; // client coordinates of the main window
    HBITMAP captured_bitmap;      // what the window shows, or none
} g;

static POINT point_of(LPARAM lp) {
    return POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
}

// A device context of the whole screen that may draw although the desktop is locked; points are
// then the desktop's own coordinates.
static HDC screen_dc() {
    return GetDCEx(g.screen_window, nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE);
}

static void block_on_screen(HWND hwnd, POINT* start, POINT* end) {
    POINT corners[2] = {g.block_start, g.block_end};
    MapWindowPoints(hwnd, g.screen_window, corners, 2);
    *start = corners[0];
    *end = corners[1];
}

// Inverting twice with the same corners restores the screen.
static void invert_block(HWND hwnd) {
    POINT start, end;
    block_on_screen(hwnd, &start, &end);
    HDC dc = screen_dc();
    PatBlt(dc, start.x, start.y, end.x - start.x, end.y - start.y, DSTINVERT);
    ReleaseDC(g.screen_window, dc);
}

static void forget_bitmap() {
    if (g.captured_bitmap) DeleteObject(g.captured_bitmap);
    g.captured_bitmap = nullptr;
}

// The block is read from the screen itself, at screen coordinates: a window's own device context
// need not see what lies outside the window. A negative width or height mirrors the copy. A block
// of no width or height still makes a picture: the pixel where it was marked.
static void capture_block(HWND hwnd) {
    forget_bitmap();
    POINT start, end;
    block_on_screen(hwnd, &start, &end);
    int dx = end.x - start.x, dy = end.y - start.y;
    if (dx == 0) dx = 1;
    if (dy == 0) dy = 1;
    const int width = dx < 0 ? -dx : dx, height = dy < 0 ? -dy : dy;
    HDC screen = screen_dc();
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    bool made = false;
    if (mem && bitmap && SelectObject(mem, bitmap))
        made = StretchBlt(mem, 0, 0, width, height, screen, start.x, start.y, dx, dy, SRCCOPY);
    if (mem) DeleteDC(mem);
    ReleaseDC(g.screen_window, screen);
    if (made)
        g.captured_bitmap = bitmap;
    else if (bitmap)
        DeleteObject(bitmap);
    InvalidateRect(hwnd, nullptr, TRUE);
}

// The one way a capture ends, whatever ends it: the button going up, the capture lost to
// another window, the window closing. The desktop is never left locked.
static void end_capture(HWND hwnd) {
    if (g.blocking) invert_block(hwnd);
    g.blocking = false;
    if (!g.capturing) return;
    g.capturing = false; // before the release, whose capture change comes back here
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    LockWindowUpdate(nullptr);
    if (GetCapture() == hwnd) ReleaseCapture();
}

static void on_left_down(HWND hwnd) {
    if (g.capturing) return;
    g.screen_window = GetDesktopWindow();
    if (LockWindowUpdate(g.screen_window)) {
        g.capturing = true;
        SetCapture(hwnd);
        SetCursor(LoadCursorW(nullptr, IDC_CROSS));
    } else {
        MessageBeep(0);
    }
}

static void on_right_down(HWND hwnd, LPARAM lp) {
    if (!g.capturing) return;
    g.blocking = true;
    g.block_start = g.block_end = point_of(lp);
    invert_block(hwnd);
}

static void on_mouse_move(HWND hwnd, LPARAM lp) {
    if (!g.blocking) return;
    invert_block(hwnd);
    g.block_end = point_of(lp);
    invert_block(hwnd);
}

static void on_button_up(HWND hwnd, LPARAM lp) {
    if (g.blocking) {
        invert_block(hwnd);
        g.blocking = false;
        g.block_end = point_of(lp);
        capture_block(hwnd);
    }
    end_capture(hwnd);
}

// Where a bitmap does not select into a context of the screen's format, its pixels are read as a
// 32-bit DIB and drawn into `to`.
static bool draw_through_dib(HDC to, HBITMAP source, int width, int height) {
    const size_t bytes = size_t(width) * size_t(height) * 4;
    if (width <= 0 || height <= 0 || bytes / 4 / size_t(width) != size_t(height)) return false;
    void* pixels = HeapAlloc(rt.program_heap, 0, bytes);
    if (!pixels) return false;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    const bool done =
        GetDIBits(to, source, 0, UINT(height), pixels, &bi, DIB_RGB_COLORS) == height &&
        SetDIBitsToDevice(to, 0, 0, DWORD(width), DWORD(height), 0, 0, 0, UINT(height), pixels, &bi,
                          DIB_RGB_COLORS) == height;
    HeapFree(rt.program_heap, 0, pixels);
    return done;
}

// The copy is always of the screen's format, whatever the source's: another program may put a
// bitmap of any depth on the clipboard (a monochrome one, 24 bits on a 32-bit screen). Windows
// selects such a bitmap only into a context of its own format (Wine lets more pass), so a copy of
// the source's own format could not be shown, and a source that does not select is read as a DIB.
// A copy whose making failed half-way is deleted.
static HBITMAP copy_bitmap(HBITMAP source) {
    BITMAP bm;
    if (GetObjectW(source, sizeof bm, &bm) != sizeof bm) return nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP copy = CreateCompatibleBitmap(screen, bm.bmWidth, bm.bmHeight);
    HDC from = CreateCompatibleDC(screen), to = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    bool done = false;
    if (copy && from && to && SelectObject(to, copy)) {
        if (SelectObject(from, source))
            done = BitBlt(to, 0, 0, bm.bmWidth, bm.bmHeight, from, 0, 0, SRCCOPY);
        else
            done = draw_through_dib(to, source, bm.bmWidth, bm.bmHeight);
    }
    if (from) DeleteDC(from);
    if (to) DeleteDC(to);
    if (done) return copy;
    if (copy) DeleteObject(copy);
    return nullptr;
}

// The copy is made first; the clipboard owns it once it took it, and a refused copy is deleted.
static bool copy_to_clipboard(HWND hwnd) {
    if (!g.captured_bitmap) return false;
    HBITMAP copy = copy_bitmap(g.captured_bitmap);
    if (!copy) return false;
    bool taken = false;
    if (OpenClipboard(hwnd)) {
        taken = EmptyClipboard() && SetClipboardData(CF_BITMAP, copy);
        CloseClipboard();
    }
    if (!taken) DeleteObject(copy);
    return taken;
}

// The clipboard's own bitmap is never kept: the window shows a copy of it.
static void paste(HWND hwnd) {
    forget_bitmap();
    if (OpenClipboard(hwnd)) {
        if (HANDLE clip = GetClipboardData(CF_BITMAP))
            g.captured_bitmap = copy_bitmap(static_cast<HBITMAP>(clip));
        CloseClipboard();
    }
    InvalidateRect(hwnd, nullptr, TRUE);
}

static void delete_picture(HWND hwnd) {
    forget_bitmap();
    InvalidateRect(hwnd, nullptr, TRUE);
}

static LRESULT on_command(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (LOWORD(wp)) {
    case IDM_EDIT_CUT:
        if (copy_to_clipboard(hwnd)) delete_picture(hwnd);
        return 0;
    case IDM_EDIT_COPY: copy_to_clipboard(hwnd); return 0;
    case IDM_EDIT_PASTE: paste(hwnd); return 0;
    case IDM_EDIT_DELETE: delete_picture(hwnd); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

static void on_init_menu_popup(HMENU menu) {
    EnableMenuItem(menu, IDM_EDIT_PASTE,
                   IsClipboardFormatAvailable(CF_BITMAP) ? MF_ENABLED : MF_GRAYED);
    const UINT have = g.captured_bitmap ? MF_ENABLED : MF_GRAYED;
    EnableMenuItem(menu, IDM_EDIT_CUT, have);
    EnableMenuItem(menu, IDM_EDIT_COPY, have);
    EnableMenuItem(menu, IDM_EDIT_DELETE, have);
}

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (g.captured_bitmap) {
        RECT r;
        GetClientRect(hwnd, &r);
        HDC mem = CreateCompatibleDC(dc);
        BITMAP bm;
        if (mem && SelectObject(mem, g.captured_bitmap) &&
            GetObjectW(g.captured_bitmap, sizeof bm, &bm) == sizeof bm) {
            SetStretchBltMode(dc, COLORONCOLOR);
            StretchBlt(dc, 0, 0, r.right, r.bottom, mem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
        }
        if (mem) DeleteDC(mem);
    }
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_LBUTTONDOWN: on_left_down(hwnd); return 0;
    case WM_RBUTTONDOWN: on_right_down(hwnd, lp); return 0;
    case WM_MOUSEMOVE: on_mouse_move(hwnd, lp); return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: on_button_up(hwnd, lp); return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lp) != hwnd) end_capture(hwnd);
        return 0;
    case WM_CANCELMODE: end_capture(hwnd); return DefWindowProcW(hwnd, msg, wp, lp);
    case WM_INITMENUPOPUP: on_init_menu_popup(reinterpret_cast<HMENU>(wp)); return 0;
    case WM_COMMAND: return on_command(hwnd, msg, wp, lp);
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY:
        end_capture(hwnd);
        forget_bitmap();
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"mardelle", L"Mardelle Mouse Demo", wnd_proc);
    frame_use_class_menu(&g.frame);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop_accelerators(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
