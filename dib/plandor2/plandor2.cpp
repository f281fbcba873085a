// Plandor2: opens a bitmap file and shows it in one of four ways (actual size at the top-left
// corner, centred, stretched to the window, stretched keeping its proportions); saves it, prints
// it on one page in the same way, and copies or cuts it to the clipboard as a packed DIB.
#include "frame/frame.h"
#include "dib/dib_file.h"
#include "resource.h"

static struct {
    app_frame frame;
    uint8_t* image; // the whole file, or null
    int width, height;
    int client_width, client_height;
    int mode; // IDM_SHOW_NORMAL ... IDM_SHOW_ISOSTRETCH
    wchar_t path[MAX_PATH], title[MAX_PATH];
    DOCINFOW doc;
    PRINTDLGW pd;  // kept between prints: the settings chosen last time are offered again
    bool printing; // the print dialog is up or a page is being made
} g;

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(DOCINFOW) == 20 && sizeof(PRINTDLGW) == 66, "the 32-bit record sizes");
#endif

static void wait_cursor(bool on) {
    SetCursor(LoadCursorW(nullptr, on ? IDC_WAIT : IDC_ARROW));
    ShowCursor(on);
}

static void show_dib(HDC dc, int client_width, int client_height) {
    const uint8_t* bits = dib_bits_of(g.image);
    const BITMAPINFO* info = dib_info_of(g.image);
    int w = g.width, h = g.height;
    switch (g.mode) {
    case IDM_SHOW_NORMAL:
        SetDIBitsToDevice(dc, 0, 0, w, h, 0, 0, 0, h, bits, info, DIB_RGB_COLORS);
        break;
    case IDM_SHOW_CENTER:
        SetDIBitsToDevice(dc, (client_width - w) / 2, (client_height - h) / 2, w, h, 0, 0, 0, h,
                          bits, info, DIB_RGB_COLORS);
        break;
    case IDM_SHOW_STRETCH:
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchDIBits(dc, 0, 0, client_width, client_height, 0, 0, w, h, bits, info, DIB_RGB_COLORS,
                      SRCCOPY);
        break;
    case IDM_SHOW_ISOSTRETCH:
        SetStretchBltMode(dc, COLORONCOLOR);
        SetMapMode(dc, MM_ISOTROPIC);
        SetWindowExtEx(dc, w, h, nullptr);
        SetViewportExtEx(dc, client_width, client_height, nullptr);
        SetWindowOrgEx(dc, w / 2, h / 2, nullptr);
        SetViewportOrgEx(dc, client_width / 2, client_height / 2, nullptr);
        StretchDIBits(dc, 0, 0, w, h, 0, 0, w, h, bits, info, DIB_RGB_COLORS, SRCCOPY);
        break;
    }
}

static void open_file(HWND hwnd) {
    if (!ask_open_bitmap_name(hwnd, g.path, g.title)) return;
    if (g.image) block_free(g.image);
    wait_cursor(true);
    g.image = load_dib_file(g.path);
    wait_cursor(false);
    InvalidateRect(hwnd, nullptr, TRUE);
    if (!g.image) {
        frame_message(&g.frame, L"Cannot load DIB file", MB_ICONEXCLAMATION);
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

static void print_page() {
    g.pd.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION;
    if (!PrintDlgW(&g.pd)) return;
    HDC printer = g.pd.hDC;
    g.pd.hDC = nullptr;
    // The print dialog has no owner, so the window stays usable behind it: the image may have
    // been deleted, cut or closed with the window meanwhile. Then there is nothing to print.
    if (!g.image) {
        if (printer) DeleteDC(printer);
        return;
    }
    if (!printer) {
        frame_message(&g.frame, L"Cannot obtain Printer DC", MB_ICONEXCLAMATION);
        return;
    }
    if (!(GetDeviceCaps(printer, RASTERCAPS) & RC_BITBLT)) {
        DeleteDC(printer);
        frame_message(&g.frame, L"Printer cannot print bitmaps", MB_ICONEXCLAMATION);
        return;
    }
    int page_width = GetDeviceCaps(printer, HORZRES);
    int page_height = GetDeviceCaps(printer, VERTRES);
    bool success = false;
    wait_cursor(true);
    if (StartDocW(printer, &g.doc) > 0 && StartPage(printer) > 0) {
        show_dib(printer, page_width, page_height);
        // The bitmap counts as printed only once the spooler has taken the whole document.
        success = EndPage(printer) > 0 && EndDoc(printer) > 0;
    }
    // A document that was started but not finished is withdrawn from the spooler.
    if (!success) AbortDoc(printer);
    wait_cursor(false);
    DeleteDC(printer);
    if (!success) frame_message(&g.frame, L"Could not print bitmap", MB_ICONEXCLAMATION);
}

// One print at a time: a second Print while the dialog is up would open a second dialog on the
// same record.
static void print_image() {
    if (!g.image || g.printing) return;
    g.printing = true;
    print_page();
    g.printing = false;
}

// The clipboard takes a packed DIB: the pixels right after the colour table, wherever the file
// put them.
static void copy_image(HWND hwnd) {
    dib_packed parts;
    if (!dib_packed_of(g.image, dib_size_of(g.image), &parts)) return;
    HGLOBAL block = GlobalAlloc(GHND | GMEM_SHARE, parts.head_bytes + parts.bits_bytes);
    if (!block) return;
    auto* p = static_cast<uint8_t*>(GlobalLock(block));
    if (!p) {
        GlobalFree(block);
        return;
    }
    copy_memory(p, g.image + DIB_FILE_HEADER, parts.head_bytes);
    copy_memory(p + parts.head_bytes, g.image + parts.bits_offset, parts.bits_bytes);
    GlobalUnlock(block);
    if (OpenClipboard(hwnd)) {
        EmptyClipboard();
        if (!SetClipboardData(CF_DIB, block)) GlobalFree(block);
        CloseClipboard();
    } else {
        GlobalFree(block);
    }
}

static void delete_image(HWND hwnd) {
    if (!g.image) return;
    block_free(g.image);
    g.image = nullptr;
    InvalidateRect(hwnd, nullptr, TRUE);
}

static void set_mode(HWND hwnd, int mode) {
    HMENU menu = GetMenu(hwnd);
    CheckMenuItem(menu, g.mode, MF_UNCHECKED);
    g.mode = mode;
    CheckMenuItem(menu, g.mode, MF_CHECKED);
    InvalidateRect(hwnd, nullptr, TRUE);
}

static void on_init_menu_popup(HWND hwnd) {
    HMENU menu = GetMenu(hwnd);
    UINT state = g.image ? MF_ENABLED : MF_GRAYED;
    static const int items[] = {IDM_FILE_SAVE, IDM_FILE_PRINT, IDM_EDIT_CUT, IDM_EDIT_COPY,
                                IDM_EDIT_DELETE};
    for (int id : items)
        EnableMenuItem(menu, id, state);
}

static void on_command(HWND hwnd, int id) {
    switch (id) {
    case IDM_FILE_OPEN: open_file(hwnd); break;
    case IDM_FILE_SAVE: save_file(hwnd); break;
    case IDM_FILE_PRINT: print_image(); break;
    case IDM_EDIT_COPY:
    case IDM_EDIT_CUT:
        if (!g.image) break;
        copy_image(hwnd);
        if (id == IDM_EDIT_CUT) delete_image(hwnd);
        break;
    case IDM_EDIT_DELETE: delete_image(hwnd); break;
    case IDM_SHOW_NORMAL:
    case IDM_SHOW_CENTER:
    case IDM_SHOW_STRETCH:
    case IDM_SHOW_ISOSTRETCH: set_mode(hwnd, id); break;
    }
}

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (g.image) show_dib(dc, g.client_width, g.client_height);
    EndPaint(hwnd, &ps);
}

static void on_create(HWND hwnd) {
    g.doc.cbSize = sizeof g.doc;
    g.doc.lpszDocName = L"Plandor2: Printing";
    g.pd.lStructSize = sizeof g.pd;
    init_bitmap_file_dialog(hwnd);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: on_create(hwnd); return 0;
    case WM_SIZE:
        g.client_width = LOWORD(lp);
        g.client_height = short(HIWORD(lp));
        return 0;
    case WM_INITMENUPOPUP: on_init_menu_popup(hwnd); return 0;
    case WM_COMMAND:
        if (LOWORD(wp) < IDM_FILE_OPEN || LOWORD(wp) > IDM_FILE_SAVE) break;
        on_command(hwnd, LOWORD(wp));
        return 0;
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
    g.mode = IDM_SHOW_NORMAL;
    frame_init(&g.frame, L"plandor2", L"Show DIB #2", wnd_proc);
    frame_use_class_menu(&g.frame);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop_accelerators(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
