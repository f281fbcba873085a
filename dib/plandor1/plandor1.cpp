// Plandor1: opens a bitmap file, shows it at the top-left corner of the window and saves it
// under another name, byte for byte as it was read.
#include "frame/frame.h"
#include "dib/dib_file.h"
#include "resource.h"

static struct {
    app_frame frame;
    uint8_t* image; // the whole file, or null
    int width, height;
    int client_width, client_height;
    wchar_t path[MAX_PATH], title[MAX_PATH];
} g;

static void wait_cursor(bool on) {
    SetCursor(LoadCursorW(nullptr, on ? IDC_WAIT : IDC_ARROW));
    ShowCursor(on);
}

static void open_file(HWND hwnd) {
    if (!ask_open_bitmap_name(hwnd, g.path, g.title)) return;
    if (g.image) block_free(g.image);
    wait_cursor(true);
    g.image = load_dib_file(g.path);
    wait_cursor(false);
    InvalidateRect(hwnd, nullptr, TRUE);
    if (!g.image) {
        frame_message(&g.frame, L"Cannot load DIB file", MB_OK);
        return;
    }
    dib_dimensions(g.image, &g.width, &g.height);
}

static void save_file(HWND hwnd) {
    if (!g.image || !ask_save_bitmap_name(hwnd, g.path, g.title)) return;
    wait_cursor(true);
    bool saved = save_dib_file(g.path, g.image);
    wait_cursor(false);
    if (!saved) frame_message(&g.frame, L"Cannot save DIB file", MB_OK);
}

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (g.image)
        SetDIBitsToDevice(dc, 0, 0, g.width, g.height, 0, 0, 0, g.height, dib_bits_of(g.image),
                          dib_info_of(g.image), DIB_RGB_COLORS);
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: init_bitmap_file_dialog(hwnd); return 0;
    case WM_SIZE:
        g.client_width = LOWORD(lp);
        g.client_height = short(HIWORD(lp));
        return 0;
    case WM_INITMENUPOPUP:
        EnableMenuItem(HMENU(wp), IDM_FILE_SAVE, g.image ? MF_ENABLED : MF_GRAYED);
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wp)) {
        case IDM_FILE_OPEN: open_file(hwnd); return 0;
        case IDM_FILE_SAVE: save_file(hwnd); return 0;
        }
        break;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY:
        if (g.image) block_free(g.image);
        g.image = nullptr;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, USES_BLOCKS);
    frame_init(&g.frame, L"plandor1", L"Show DIB #1", wnd_proc);
    frame_use_class_menu(&g.frame);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop_accelerators(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
