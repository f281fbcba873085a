// Yarnel: shows a bitmap file while reading it. After the headers it reads the pixel rows one at
// a time and draws each in its place at once, pausing on the rows that end up at the top of the
// image so that the picture can be seen building up; later paints draw the whole image from
// memory.
#include "frame/frame.h"
#include "dib/dib_file.h"
#include "resource.h"

static struct {
    app_frame frame;
    wchar_t path[MAX_PATH], title[MAX_PATH];
    uint8_t* header; // information header and colour table, or null
    uint8_t* bits;   // the pixel rows, or null
    int width, height, bit_count;
    uint32_t row_bytes;
    bool top_down;
} g;

static void free_image() {
    if (g.header) block_free(g.header);
    if (g.bits) block_free(g.bits);
    g.header = g.bits = nullptr;
}

static bool read_exactly(HANDLE file, void* buffer, DWORD size) {
    DWORD read = 0;
    return ReadFile(file, buffer, size, &read, nullptr) && read == size;
}

static void read_rows(HWND hwnd, HANDLE file) {
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    ShowCursor(TRUE);
    HDC dc = GetDC(hwnd);
    const BITMAPINFO* info = reinterpret_cast<const BITMAPINFO*>(g.header);
    // Rows of no bytes (no width, or no bits a pixel) hold nothing to read or draw.
    for (int i = 0; g.row_bytes && i < g.height; i++) {
        uint8_t* row = g.bits + size_t(i) * g.row_bytes;
        DWORD read;
        ReadFile(file, row, g.row_bytes, &read, nullptr); // a short file leaves zeros
        int scan;
        if (g.top_down) {
            scan = g.height - 1 - i;
            if (i < 500) Sleep(10);
        } else {
            // The top 500 rows of a bottom-up file are its last 500: i from height - 500 on.
            scan = i;
            if (g.height - i <= 500) Sleep(10);
        }
        SetDIBitsToDevice(dc, 0, 0, g.width, g.height, 0, 0, scan, 1, row, info, DIB_RGB_COLORS);
    }
    ReleaseDC(hwnd, dc);
    ShowCursor(FALSE);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

// Everything after the file was opened; returns the message for a failure, or null.
static const wchar_t* load_and_show(HWND hwnd, HANDLE file) {
    uint8_t fh[DIB_FILE_HEADER];
    if (!read_exactly(file, fh, sizeof fh)) return L"Cannot read file.";
    if (!dib_is_bm(fh, sizeof fh)) return L"File is not a bitmap.";
    dib_file_header h;
    dib_read_file_header(fh, sizeof fh, &h);
    // Offsets that give a block no size, or 2 GB or more, are sizes no allocation can meet.
    uint32_t header_size = dib_header_block_size(h), bits_size = dib_bits_block_size(h);
    if (header_size && bits_size) {
        g.header = static_cast<uint8_t*>(block_alloc(int32_t(header_size)));
        g.bits = static_cast<uint8_t*>(block_alloc(int32_t(bits_size)));
    }
    if (!g.header || !g.bits) return L"Cannot allocate memory.";
    if (!read_exactly(file, g.header, header_size)) return L"Cannot read file.";
    if (header_size >= 20 && le32(g.header) != DIB_CORE_HEADER) {
        uint32_t compression = le32(g.header + 16);
        if (compression != DIB_RGB && compression != DIB_BITFIELDS) return L"File is compressed.";
    }
    dib_layout l;
    // Header fields, masks or colour table past the header block, or rows past the bits block:
    // the drawing would read outside the blocks.
    if (!dib_read_layout(g.header, header_size, &l) || l.table_end > header_size ||
        l.bits_bytes > bits_size || l.width > 0x7FFFFFFF || l.height > 0x7FFFFFFF)
        return L"Cannot read file.";
    g.width = int(l.width);
    g.height = int(l.height);
    g.bit_count = int(l.bit_count);
    g.row_bytes = uint32_t(l.row_bytes); // within the bits block
    g.top_down = l.top_down;
    read_rows(hwnd, file);
    return nullptr;
}

static void open_file(HWND hwnd) {
    if (!ask_open_bitmap_name(hwnd, g.path, g.title)) return;
    free_image();
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
    HANDLE file = CreateFileW(g.path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        frame_message(&g.frame, L"Cannot open file.", MB_ICONEXCLAMATION);
        return;
    }
    const wchar_t* failure = load_and_show(hwnd, file);
    CloseHandle(file);
    if (failure) {
        free_image();
        frame_message(&g.frame, failure, MB_ICONEXCLAMATION);
    }
}

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (g.header && g.bits)
        SetDIBitsToDevice(dc, 0, 0, g.width, g.height, 0, 0, 0, g.height, g.bits,
                          reinterpret_cast<const BITMAPINFO*>(g.header), DIB_RGB_COLORS);
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: init_bitmap_file_dialog(hwnd); return 0;
    case WM_COMMAND:
        if (LOWORD(wp) != IDM_FILE_OPEN) break;
        open_file(hwnd);
        return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY:
        free_image();
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, USES_BLOCKS);
    frame_init(&g.frame, L"yarnel", L"DIB Sequential Display", wnd_proc);
    frame_use_class_menu(&g.frame);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop_accelerators(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
