// Morvek: lists the file header and the information header of bitmap files. Each file opened
// adds its listing below the earlier ones in a read-only edit control that fills the window. It
// takes any file and reports what it finds; a file too short for what it claims ends its listing
// with a line saying so.
#include "frame/frame.h"
#include "dib/dib_file.h"
#include "resource.h"

static struct {
    app_frame frame;
    HWND edit;
    int client_width, client_height;
    wchar_t path[MAX_PATH], title[MAX_PATH];
    wchar_t** header_names;      // BITMAPCOREHEADER ... BITMAPV5HEADER
    wchar_t** compression_names; // BI_RGB ... BI_BITFIELDS, unknown
} g;

static const cleanup_entry string_element[] = {0, CLEANUP_END};

static void make_names(wchar_t*** table, const wchar_t* const* names, uint32_t count) {
    array_create(count, sizeof(wchar_t*), string_element, reinterpret_cast<void**>(table),
                 KIND_STRING);
    if (!*table) runtime_out_of_memory();
    for (uint32_t i = 0; i < count; i++)
        str_assign(&(*table)[i], names[i]);
}

static void append_to_listing(const wchar_t* text) {
    SendMessageW(g.edit, EM_SETSEL, WPARAM(-1), LPARAM(-1));
    SendMessageW(g.edit, EM_REPLACESEL, 0, LPARAM(text));
    SendMessageW(g.edit, EM_SCROLLCARET, 0, 0);
}

// Appends the text built from `start` to the top of the temporary area, then empties it.
static void append_built(size_t start) {
    append_to_listing(temp_text(start));
    rt.temp_top = start;
}

static void push_hex8(uint32_t value) {
    size_t at = rt.temp_top;
    temp_push_hex(value, INT32_KIND, at);
    temp_push_right_aligned(temp_text(at), 8, L"0", at);
}

enum field_format { DEC16, DEC32, SDEC, HEX8 };

// One field line: TAB, ".b" and the prefix when given, the label, the value, one or two CRLF.
static void field_line(const wchar_t* prefix, const wchar_t* label, const uint8_t* at,
                       field_format format, bool last = false) {
    size_t start = rt.temp_top;
    temp_push(L"\t");
    if (prefix) {
        temp_push(L".b");
        temp_push(prefix);
    }
    temp_push(label);
    switch (format) {
    case DEC16: temp_push_udec(le16(at), WORD_KIND, rt.temp_top); break;
    case DEC32: temp_push_udec(le32(at), INT32_KIND, rt.temp_top); break;
    case SDEC: temp_push_dec(int32_t(le32(at)), rt.temp_top); break;
    case HEX8: push_hex8(le32(at)); break;
    }
    temp_push(last ? L"\r\n\r\n" : L"\r\n");
    append_built(start);
}

static void list_file_header(const uint8_t* file) {
    size_t start = rt.temp_top;
    append_to_listing(L"BITMAPFILEHEADER\r\n");
    temp_push(L"\t.bfType = $");
    temp_push_hex(le16(file), WORD_KIND, rt.temp_top);
    temp_push(L"\r\n");
    append_built(start);
    field_line(nullptr, L".bfSize = ", file + 2, DEC32);
    field_line(nullptr, L".bfReserved1 = ", file + 6, DEC16);
    field_line(nullptr, L".bfReserved2 = ", file + 8, DEC16);
    field_line(nullptr, L".bfOffBits = ", file + 10, DEC32, true);
}

static void list_core_header(const uint8_t* h) {
    field_line(nullptr, L".bcSize = ", h, DEC32);
    field_line(nullptr, L".bcWidth = ", h + 4, DEC16);
    field_line(nullptr, L".bcHeight = ", h + 6, DEC16);
    field_line(nullptr, L".bcPlanes = ", h + 8, DEC16);
    field_line(nullptr, L".bcBitCount = ", h + 10, DEC16, true);
}

static void list_info_fields(const uint8_t* h, const wchar_t* p) {
    field_line(p, L"Size = ", h, DEC32);
    field_line(p, L"Width = ", h + 4, SDEC);
    field_line(p, L"Height = ", h + 8, SDEC);
    field_line(p, L"Planes = ", h + 12, DEC16);
    field_line(p, L"BitCount = ", h + 14, DEC16);
    uint32_t compression = le32(h + 16);
    size_t start = rt.temp_top;
    temp_push(L"\t.b");
    temp_push(p);
    temp_push(L"Compression = ");
    temp_push(g.compression_names[compression < 4 ? compression : 4]);
    temp_push(L"\r\n");
    append_built(start);
    field_line(p, L"SizeImage = ", h + 20, DEC32);
    field_line(p, L"XPelsPerMeter = ", h + 24, SDEC);
    field_line(p, L"YPelsPerMeter = ", h + 28, SDEC);
    field_line(p, L"ClrUsed = ", h + 32, SDEC);
    field_line(p, L"ClrImportant = ", h + 36, SDEC, true);
}

static void list_masks(const uint8_t* h) {
    static const wchar_t* const labels[] = {L"Red Mask   = ", L"Green Mask = ", L"Blue Mask  = "};
    for (int i = 0; i < 3; i++) {
        size_t start = rt.temp_top;
        temp_push(labels[i]);
        push_hex8(le32(h + 40 + 4 * i));
        temp_push(i == 2 ? L"\r\n\r\n" : L"\r\n");
        append_built(start);
    }
}

static void list_v4_fields(const uint8_t* h, const wchar_t* p) {
    static const wchar_t* const labels[] = {
        L"RedMask   = ",
        L"GreenMask = ",
        L"BlueMask  = ",
        L"AlphaMask = ",
        L"CSType = ",
        L"Endpoints\\ciexyzRed\\ciexyzX   = ",
        L"Endpoints\\ciexyzRed\\ciexyzY   = ",
        L"Endpoints\\ciexyzRed\\ciexyzZ   = ",
        L"Endpoints\\ciexyzGreen\\ciexyzX = ",
        L"Endpoints\\ciexyzGreen\\ciexyzY = ",
        L"Endpoints\\ciexyzGreen\\ciexyzZ = ",
        L"Endpoints\\ciexyzBlue\\ciexyzX  = ",
        L"Endpoints\\ciexyzBlue\\ciexyzY  = ",
        L"Endpoints\\ciexyzBlue\\ciexyzZ  = ",
        L"GammaRed   = ",
        L"GammaGreen = ",
        L"GammaBlue  = ",
    };
    for (int i = 0; i < 17; i++)
        field_line(p, labels[i], h + 40 + 4 * i, i == 4 ? DEC32 : HEX8, i == 16);
}

static void list_v5_fields(const uint8_t* h) {
    field_line(L"V5", L"Intent = ", h + 108, DEC32);
    field_line(L"V5", L"ProfileData = ", h + 112, DEC32);
    field_line(L"V5", L"ProfileSize = ", h + 116, DEC32);
    field_line(L"V5", L"Reserved = ", h + 120, DEC32, true);
}

// Everything after the file was read; every read stays inside its `size` bytes.
static void list_headers(const uint8_t* file, uint32_t size) {
    size_t start = rt.temp_top;
    temp_push(L"File size = ");
    temp_push_udec(size, INT32_KIND, rt.temp_top);
    temp_push(L" bytes\r\n\r\n");
    append_built(start);
    if (size < DIB_FILE_HEADER) {
        append_to_listing(L"File ends inside its file header.\r\n\r\n");
        return;
    }
    list_file_header(file);
    if (size < DIB_FILE_HEADER + 4) {
        append_to_listing(L"File ends before its information header.\r\n\r\n");
        return;
    }
    const uint8_t* h = file + DIB_FILE_HEADER;
    uint32_t header_size = le32(h);
    int kind;
    const wchar_t* prefix = nullptr;
    switch (header_size) {
    case DIB_CORE_HEADER: kind = 0; break;
    case DIB_INFO_HEADER: kind = 1, prefix = L"i"; break;
    case DIB_V4_HEADER: kind = 2, prefix = L"V4"; break;
    case DIB_V5_HEADER: kind = 3, prefix = L"V5"; break;
    default:
        temp_push(L"Unknown header size of ");
        temp_push_udec(header_size, INT32_KIND, rt.temp_top);
        temp_push(L".\r\n\r\n");
        append_built(start);
        return;
    }
    temp_push(g.header_names[kind]);
    temp_push(L"\r\n");
    append_built(start);
    if (size - DIB_FILE_HEADER < header_size) {
        append_to_listing(L"File ends inside its information header.\r\n\r\n");
        return;
    }
    if (kind == 0) {
        list_core_header(h);
        return;
    }
    list_info_fields(h, prefix);
    if (kind == 1) {
        if (le32(h + 16) != DIB_BITFIELDS) return;
        // The masks follow the header; a file may end before them.
        if (size - DIB_FILE_HEADER < DIB_INFO_HEADER + 12)
            append_to_listing(L"File ends before its colour masks.\r\n\r\n");
        else
            list_masks(h);
        return;
    }
    list_v4_fields(h, prefix);
    if (kind == 3) list_v5_fields(h);
}

static void dump_dib_headers(const wchar_t* path) {
    size_t start = rt.temp_top;
    temp_push(L"File: ");
    temp_push(path);
    temp_push(L"\r\n\r\n");
    append_built(start);

    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        append_to_listing(L"Cannot open file.\r\n\r\n");
        return;
    }
    DWORD high = 0;
    DWORD size = GetFileSize(file, &high);
    if (high != 0) {
        append_to_listing(L"Cannot deal with >4G files\\\r\n\r\n");
        CloseHandle(file);
        return;
    }
    uint8_t* block = static_cast<uint8_t*>(block_alloc(int32_t(size)));
    if (!block || size == INVALID_FILE_SIZE) {
        append_to_listing(L"Cannot allocate memory\\\r\n\r\n");
        if (block) block_free(block);
        CloseHandle(file);
        return;
    }
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    ShowCursor(TRUE);
    DWORD read = 0;
    BOOL ok = ReadFile(file, block, size, &read, nullptr);
    ShowCursor(FALSE);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    CloseHandle(file);
    if (!ok || read != size)
        append_to_listing(L"Could not read file.\r\n\r\n");
    else
        list_headers(block, size);
    block_free(block);
}

static void on_create(HWND hwnd) {
    g.edit = CreateWindowExW(0, L"Edit", nullptr,
                             WS_CHILD | WS_VISIBLE | WS_BORDER | WS_HSCROLL | WS_VSCROLL |
                                 ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY,
                             0, 0, 0, 0, hwnd, HMENU(1), rt.module, nullptr);
    // The listing keeps growing: lift the edit control's default limit of about 30000 characters.
    SendMessageW(g.edit, EM_LIMITTEXT, 0, 0);
    init_bitmap_file_dialog(hwnd);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: on_create(hwnd); return 0;
    case WM_SIZE:
        g.client_width = LOWORD(lp);
        g.client_height = short(HIWORD(lp));
        MoveWindow(g.edit, 0, 0, g.client_width, g.client_height, TRUE);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wp) != IDM_FILE_OPEN) break;
        if (ask_open_bitmap_name(hwnd, g.path, g.title)) dump_dib_headers(g.path);
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    static const wchar_t* const headers[] = {L"BITMAPCOREHEADER", L"BITMAPINFOHEADER",
                                             L"BITMAPV4HEADER", L"BITMAPV5HEADER"};
    static const wchar_t* const compressions[] = {L"BI_RGB", L"BI_RLE8", L"BI_RLE4",
                                                  L"BI_BITFIELDS", L"unknown"};
    process_start(&g, sizeof g, USES_BLOCKS);
    make_names(&g.header_names, headers, 4);
    make_names(&g.compression_names, compressions, 5);
    frame_init(&g.frame, L"morvek", L"DIB Headers", wnd_proc);
    frame_use_class_menu(&g.frame);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop_accelerators(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
