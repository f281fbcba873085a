// Sembrin: converts a bitmap file into a device-dependent bitmap compatible with the window's
// display and shows that bitmap by a block transfer from a memory device context; once converted
// it no longer depends on the file.
#include "frame/frame.h"
#include "dib/dib_file.h"
#include "resource.h"

static struct {
    app_frame frame;
    wchar_t path[MAX_PATH], title[MAX_PATH];
    int client_width, client_height;
    HBITMAP bitmap; // the converted bitmap, or null
} g;

// The size of a file found by its name; -1 when there is none, -2 for a drive or a directory.
static int64_t file_size_by_name(const wchar_t* path) {
    if (!path || !path[0]) return -1;
    wchar_t name[MAX_PATH];
    str_copy_to_field(name, MAX_PATH, path);
    size_t len = str_length(name);
    if ((len == 2 || len == 3) && name[1] == L':') {
        if (len == 2) name[2] = L'\\', name[3] = 0;
        return GetDriveTypeW(name) > DRIVE_NO_ROOT_DIR ? -2 : -1;
    }
    while (len > 0 && name[len - 1] == L'\\')
        name[--len] = 0;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(name, &found);
    if (find == INVALID_HANDLE_VALUE) {
        if (name[0] == L'\\' && name[1] == L'\\') {
            DWORD attributes = GetFileAttributesW(name);
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
                return -2;
        }
        return -1;
    }
    FindClose(find);
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -2;
    return int64_t(uint64_t(found.nFileSizeHigh) << 32 | found.nFileSizeLow);
}

static HBITMAP load_ddb(HDC dc, const wchar_t* path) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    int64_t size = file_size_by_name(path);
    uint8_t* block = nullptr;
    if (size > 0 && size < 0x80000000LL) block = static_cast<uint8_t*>(block_alloc(int32_t(size)));
    if (!block) {
        CloseHandle(file);
        return nullptr;
    }
    DWORD read = 0;
    BOOL ok = ReadFile(file, block, DWORD(size), &read, nullptr);
    CloseHandle(file);
    HBITMAP bitmap = nullptr;
    // Beyond type and length, the headers must describe no more than the file holds.
    if (ok && read == DWORD(size) && dib_check_file(block, read, nullptr) == DIB_FILE_OK) {
        const BITMAPINFO* info = dib_info_of(block);
        bitmap = CreateDIBitmap(dc, &info->bmiHeader, CBM_INIT, dib_bits_of(block), info,
                                DIB_RGB_COLORS);
    }
    block_free(block);
    return bitmap;
}

static void open_file(HWND hwnd) {
    if (!ask_open_bitmap_name(hwnd, g.path, g.title)) return;
    if (g.bitmap) DeleteObject(g.bitmap);
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    ShowCursor(TRUE);
    HDC dc = GetDC(hwnd);
    g.bitmap = load_ddb(dc, g.path);
    ReleaseDC(hwnd, dc);
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
    frame_init(&g.frame, L"sembrin", L"DIB to DDB Conversion", wnd_proc);
    frame_use_class_menu(&g.frame);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
