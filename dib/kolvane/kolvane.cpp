// Kolvane: builds a DIB section from a bitmap file's headers and reads the file's pixel bits
// straight into the section's memory, then shows the section by a block transfer from a memory
// device context.
#include "frame/frame.h"
#include "dib/dib_file.h"
#include "resource.h"

static struct {
    app_frame frame;
    wchar_t path[MAX_PATH], title[MAX_PATH];
    int client_width, client_height;
    HBITMAP bitmap; // the DIB section, or null
} g;

static bool read_exactly(HANDLE file, void* buffer, DWORD size) {
    DWORD read = 0;
    return ReadFile(file, buffer, size, &read, nullptr) && read == size;
}

// The section and its bits from an open file positioned at its start, or null. Which headers,
// bit counts and compressions make a section is the platform's to decide.
static HBITMAP section_from(HANDLE file) {
    uint8_t fh[DIB_FILE_HEADER];
    dib_file_header h;
    if (!read_exactly(file, fh, sizeof fh) || !dib_is_bm(fh, sizeof fh)) return nullptr;
    dib_read_file_header(fh, sizeof fh, &h);
    uint32_t header_size = dib_header_block_size(h);
    uint32_t bits_size = dib_bits_block_size(h); // 0 when bfSize leaves no bits: none are read
    // A header block that would end past the file could never be read whole.
    DWORD high = 0, file_size = GetFileSize(file, &high);
    if (!header_size || (high == 0 && header_size > file_size - DIB_FILE_HEADER)) return nullptr;
    uint8_t* header = static_cast<uint8_t*>(block_alloc(int32_t(header_size)));
    if (!header) return nullptr;
    HBITMAP section = nullptr;
    dib_layout l;
    // The platform reads the header's fields, masks and colour table from the block: all of
    // them must lie inside it.
    if (read_exactly(file, header, header_size) && dib_read_layout(header, header_size, &l) &&
        l.table_end <= header_size) {
        void* bits = nullptr;
        section = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(header),
                                   DIB_RGB_COLORS, &bits, nullptr, 0);
        DIBSECTION ds;
        if (section && bits && GetObjectW(section, sizeof ds, &ds) == sizeof ds) {
            // Never more bytes than the section's memory holds.
            uint64_t room = uint64_t(ds.dsBm.bmWidthBytes) * uint64_t(ds.dsBm.bmHeight);
            DWORD want = room < bits_size ? DWORD(room) : bits_size;
            DWORD read;
            ReadFile(file, bits, want, &read, nullptr); // bits that end early stay as created
        }
    }
    block_free(header);
    return section;
}

static HBITMAP load_section(const wchar_t* path) {
    HANDLE file =
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    HBITMAP section = section_from(file);
    CloseHandle(file);
    return section;
}

static void open_file(HWND hwnd) {
    if (!ask_open_bitmap_name(hwnd, g.path, g.title)) return;
    if (g.bitmap) DeleteObject(g.bitmap);
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    ShowCursor(TRUE);
    g.bitmap = load_section(g.path);
    ShowCursor(FALSE);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    InvalidateRect(hwnd, nullptr, TRUE);
    if (!g.bitmap) frame_message(&g.frame, L"Cannot load DIB file", MB_ICONEXCLAMATION);
}

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (g.bitmap) {
        BITMAP bm;
        GetObjectW(g.bitmap, sizeof bm, &bm);
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, g.bitmap);
        BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: init_bitmap_file_dialog(hwnd); return 0;
    case WM_SIZE:
        g.client_width = LOWORD(lp);
        g.client_height = short(HIWORD(lp));
        return 0;
    case WM_COMMAND:
        if (LOWORD(wp) != IDM_FILE_OPEN) break;
        open_file(hwnd);
        return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY:
        if (g.bitmap) DeleteObject(g.bitmap);
        g.bitmap = nullptr;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, USES_BLOCKS);
    frame_init(&g.frame, L"kolvane", L"DIB Section Display", wnd_proc);
    frame_use_class_menu(&g.frame);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
