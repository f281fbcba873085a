#include "dib/dib_file.h"
#include <commdlg.h>

// One dialog record per program, reused by every open and save dialog.
static OPENFILENAMEW ofn;

// The record without the members added after Windows NT 4 (76 bytes on 32-bit Windows).
static const DWORD record_size = offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR);
#if defined(_WIN32) && !defined(_WIN64)
static_assert(record_size == 76, "the dialog record is 76 bytes");
#endif

void init_bitmap_file_dialog(HWND window) {
    static const wchar_t filter[] = L"Bitmap Files(*\\BMP)\0*.bmp\0All Files(*.*)\0*.*\0";
    zero_memory(&ofn, sizeof ofn);
    ofn.lStructSize = record_size;
    ofn.hwndOwner = window;
    ofn.lpstrFilter = filter;
    ofn.nMaxFile = MAX_PATH;
    ofn.nMaxFileTitle = MAX_PATH;
    ofn.lpstrDefExt = L"bmp";
}

static void aim_dialog(HWND window, wchar_t* path, wchar_t* title, DWORD flags) {
    ofn.hwndOwner = window;
    ofn.lpstrFile = path;
    ofn.lpstrFileTitle = title;
    ofn.Flags = flags;
}

bool ask_open_bitmap_name(HWND window, wchar_t* path, wchar_t* title) {
    aim_dialog(window, path, title, 0);
    return GetOpenFileNameW(&ofn) != FALSE;
}

bool ask_save_bitmap_name(HWND window, wchar_t* path, wchar_t* title) {
    aim_dialog(window, path, title, OFN_OVERWRITEPROMPT);
    return GetSaveFileNameW(&ofn) != FALSE;
}

static uint8_t* read_whole_file(const wchar_t* path) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    DWORD high = 0;
    DWORD size = GetFileSize(file, &high);
    uint8_t* block = nullptr;
    // block_alloc refuses 0 bytes and anything of 2 GB or more.
    if (high == 0 && size != INVALID_FILE_SIZE) block = static_cast<uint8_t*>(block_alloc(size));
    if (!block) {
        CloseHandle(file);
        return nullptr;
    }
    DWORD read = 0;
    BOOL ok = ReadFile(file, block, size, &read, nullptr);
    CloseHandle(file);
    if (!ok || read != size || dib_check_file(block, size, nullptr) != DIB_FILE_OK) {
        block_free(block);
        return nullptr;
    }
    return block;
}

uint8_t* load_dib_file(const wchar_t* path) {
    wchar_t* name = nullptr;
    str_assign(&name, path);
    uint8_t* image = read_whole_file(name);
    str_free(name);
    return image;
}

// The folder part of `path` (up to its last separator) into `dir`, "." when there is none.
static void folder_of(const wchar_t* path, wchar_t* dir, size_t max) {
    size_t end = 0, i = 0;
    for (; path[i] && i + 1 < max; i++) {
        dir[i] = path[i];
        if (path[i] == L'\\' || path[i] == L'/') end = i + 1;
    }
    if (end == 0) {
        dir[0] = L'.';
        end = 1;
    }
    dir[end] = 0;
}

bool save_dib_file(const wchar_t* path, const uint8_t* image) {
    // A read-only file or a folder is not replaced (the rename below would not ask).
    DWORD attributes = GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;
    wchar_t dir[MAX_PATH + 1], temp[MAX_PATH + 16];
    folder_of(path, dir, MAX_PATH);
    if (!GetTempFileNameW(dir, L"dib", 0, temp)) return false;
    HANDLE file =
        CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DeleteFileW(temp);
        return false;
    }
    DWORD size = dib_size_of(image), written = 0;
    BOOL ok = WriteFile(file, image, size, &written, nullptr) && written == size &&
              FlushFileBuffers(file);
    CloseHandle(file);
    if (ok) ok = put_file_in_place(temp, path);
    if (!ok) DeleteFileW(temp);
    return ok != FALSE;
}

void dib_dimensions(const uint8_t* image, int* width, int* height) {
    const uint8_t* header = image + DIB_FILE_HEADER;
    if (le32(header) == DIB_CORE_HEADER) {
        *width = int(le16(header + 4));
        *height = int(le16(header + 6));
    } else {
        int32_t h = int32_t(le32(header + 8));
        *width = int32_t(le32(header + 4));
        *height = h < 0 ? -h : h;
    }
}
