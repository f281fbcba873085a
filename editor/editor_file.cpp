#include "editor/editor_file.h"
#include "editor/text_decode.h"
#include "runtime/runtime.h"

#include <commdlg.h>

static struct { OPENFILENAMEW ofn; } fs;

static const wchar_t text_file_filter[] = L"Text Files(*.TXT)\0*.txt\0"
                                          L"ASCII Files(*.ASC)\0 *.asc\0"
                                          L"All Files(*.*)\0*.*\0";

void file_dialog_init(HWND main_window) {
    OPENFILENAMEW& o = fs.ofn;
    zero_memory(&o, sizeof o);
    o.lStructSize = sizeof o;
    o.hwndOwner = main_window;
    o.lpstrFilter = text_file_filter;
    o.nMaxFile = EDITOR_PATH_CHARS;
    o.nMaxFileTitle = EDITOR_PATH_CHARS;
    o.lpstrDefExt = L"txt";
}

static void prepare(HWND main_window, wchar_t* file_name, wchar_t* title_name, DWORD flags) {
    fs.ofn.hwndOwner = main_window;
    fs.ofn.lpstrFile = file_name;
    fs.ofn.lpstrFileTitle = title_name;
    fs.ofn.Flags = flags;
}

bool open_file_dialog(HWND main_window, wchar_t* file_name, wchar_t* title_name) {
    prepare(main_window, file_name, title_name, OFN_HIDEREADONLY | OFN_CREATEPROMPT);
    return GetOpenFileNameW(&fs.ofn) != FALSE;
}

bool save_file_dialog(HWND main_window, wchar_t* file_name, wchar_t* title_name) {
    prepare(main_window, file_name, title_name, OFN_OVERWRITEPROMPT);
    return GetSaveFileNameW(&fs.ofn) != FALSE;
}

// The whole file in a zero-filled block of size + 2 bytes (so that it always ends in a NUL unit),
// or null when it cannot be opened or read completely.
static uint8_t* load_file(const wchar_t* path, DWORD* size) {
    HANDLE f = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return nullptr;
    DWORD high = 0;
    DWORD n = GetFileSize(f, &high);
    uint8_t* block = nullptr;
    // Beyond what one block can hold the file cannot be read whole: a failed read.
    if (n != INVALID_FILE_SIZE && high == 0 && n <= 0x7FFFFFF0u)
        block = static_cast<uint8_t*>(block_alloc(int32_t(n + 2)));
    if (block) {
        DWORD got = 0;
        if (!ReadFile(f, block, n, &got, nullptr) || got != n) {
            block_free(block);
            block = nullptr;
        }
    }
    CloseHandle(f);
    *size = n;
    return block;
}

// A zero-filled block holding the text of the file as UTF-16 with a terminator, or null.
static wchar_t* decode(const uint8_t* data, DWORD n) {
    INT flags = IS_TEXT_UNICODE_SIGNATURE | IS_TEXT_UNICODE_REVERSE_SIGNATURE;
    IsTextUnicode(data, int(n), &flags);
    text_layout t = analyse_text(data, n, uint32_t(flags));
    if (t.encoding == TEXT_UTF16_LE || t.encoding == TEXT_UTF16_BE) {
        size_t len = decode_utf16(data, t, nullptr, 0);
        if (len > 0x3FFFFFF0) return nullptr;
        auto* out = static_cast<wchar_t*>(block_alloc(int32_t((len + 1) * 2)));
        if (out) decode_utf16(data, t, reinterpret_cast<uint16_t*>(out), len);
        return out;
    }
    UINT page = t.encoding == TEXT_UTF8 ? CP_UTF8 : CP_ACP;
    const char* src = reinterpret_cast<const char*>(data + t.offset);
    int len = t.bytes ? MultiByteToWideChar(page, 0, src, int(t.bytes), nullptr, 0) : 0;
    if (len < 0 || len > 0x3FFFFFF0) return nullptr;
    auto* out = static_cast<wchar_t*>(block_alloc((len + 1) * 2));
    if (out && len) MultiByteToWideChar(page, 0, src, int(t.bytes), out, len);
    return out;
}

bool read_text_file(HWND edit, const wchar_t* path) {
    DWORD n = 0;
    uint8_t* data = load_file(path, &n);
    if (!data) return false;
    wchar_t* text = decode(data, n);
    block_free(data);
    if (!text) return false;
    wchar_t* s = nullptr;
    str_assign(&s, text);
    block_free(text);
    SetWindowTextW(edit, s);
    str_free(s);
    return true;
}

// The folder part of a path ("." for a bare name), for the new file beside the target.
static void folder_of(const wchar_t* path, wchar_t* dir) {
    lstrcpynW(dir, path, EDITOR_PATH_CHARS);
    wchar_t* cut = nullptr;
    for (wchar_t* p = dir; *p; p++)
        if (*p == L'\\' || *p == L'/') cut = p;
    if (!cut) {
        lstrcpyW(dir, L".");
    } else {
        // Keep the separator of a root ("C:\") so that it still names the folder.
        if (cut == dir || (cut == dir + 2 && dir[1] == L':')) cut++;
        *cut = 0;
    }
}

static bool write_all(HANDLE f, const void* data, DWORD bytes) {
    DWORD done = 0;
    return WriteFile(f, data, bytes, &done, nullptr) && done == bytes;
}

// The mark, then the text exactly as the edit control holds it (CR LF line ends, no NUL).
static bool write_text(HANDLE f, HWND edit) {
    int len = GetWindowTextLengthW(edit);
    auto* text = static_cast<wchar_t*>(block_alloc((len + 1) * 2));
    if (!text) return false;
    static const uint8_t mark[2] = {0xFF, 0xFE};
    int got = GetWindowTextW(edit, text, len + 1);
    bool ok = write_all(f, mark, 2) && write_all(f, text, DWORD(got) * 2) && FlushFileBuffers(f);
    block_free(text);
    return ok;
}

// Another program that reads the target at this moment keeps it from being replaced: try again
// for a short while before giving up.
static bool replace_target(const wchar_t* temp, const wchar_t* path) {
    for (int attempt = 0; attempt < 10; attempt++) {
        if (put_file_in_place(temp, path)) return true;
        DWORD error = GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED &&
            error != ERROR_UNABLE_TO_REMOVE_REPLACED)
            break;
        Sleep(50);
    }
    return false;
}

bool write_text_file(HWND edit, const wchar_t* path) {
    wchar_t dir[EDITOR_PATH_CHARS], temp[EDITOR_PATH_CHARS];
    folder_of(path, dir);
    if (!GetTempFileNameW(dir, L"ztr", 0, temp)) return false;
    HANDLE f = CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    bool ok = f != INVALID_HANDLE_VALUE && write_text(f, edit);
    if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
    ok = ok && replace_target(temp, path);
    if (!ok) DeleteFileW(temp);
    return ok;
}
