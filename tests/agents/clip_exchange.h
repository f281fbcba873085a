// What the clipboard agent and the tests that run it share: the file a picture crosses in, written
// and read here only, and the clipboard opened the way Windows requires before data is set.
#pragma once

#include <windows.h>

#include <stdint.h>
#include <stdio.h>
#include <vector>

namespace clip_exchange {

// The picture file: its width and height (32-bit little-endian), then the pixels, 0x00RRGGBB,
// top-down rows. Either side may be at most this long; a file that claims more is refused.
constexpr int32_t MAX_SIDE = 4096;

struct picture {
    int32_t width = 0, height = 0;
    std::vector<uint32_t> px;
};

inline bool fits(int32_t w, int32_t h) {
    return w > 0 && h > 0 && w <= MAX_SIDE && h <= MAX_SIDE;
}

// The pixels of a picture as GetDIBits and SetDIBits take them: 32 bits each, top-down rows.
inline BITMAPINFO top_down(int w, int h) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    return bi;
}

inline bool write_picture(const wchar_t* path, const picture& p) {
    if (!fits(p.width, p.height) || p.px.size() != size_t(p.width) * size_t(p.height)) return false;
    FILE* f = _wfopen(path, L"wb");
    if (!f) return false;
    const int32_t size[2] = {p.width, p.height};
    const bool written = fwrite(size, sizeof size, 1, f) == 1 &&
                         fwrite(p.px.data(), sizeof(uint32_t), p.px.size(), f) == p.px.size();
    return fclose(f) == 0 && written;
}

// False, with an empty picture, when the file is missing or short or claims a size out of range.
inline bool read_picture(const wchar_t* path, picture* p) {
    *p = picture{};
    FILE* f = _wfopen(path, L"rb");
    if (!f) return false;
    int32_t size[2] = {0, 0};
    bool read = fread(size, sizeof size, 1, f) == 1 && fits(size[0], size[1]);
    if (read) {
        p->px.resize(size_t(size[0]) * size_t(size[1]));
        read = fread(p->px.data(), sizeof(uint32_t), p->px.size(), f) == p->px.size();
    }
    fclose(f);
    if (!read) {
        *p = picture{};
        return false;
    }
    p->width = size[0];
    p->height = size[1];
    return true;
}

// The clipboard, open and owned by a window of this process while it lives. Windows lets a
// clipboard opened without an owner window be emptied, but then refuses SetClipboardData (Wine
// takes the data anyway). The window is message-only and goes when the clipboard is closed: the
// data stays, and no later EmptyClipboard of another program waits on a window nobody serves.
class owned_clipboard {
public:
    // Waits up to `ms` while another program holds the clipboard open.
    explicit owned_clipboard(DWORD ms = 3000) {
        owner_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        if (!owner_) return;
        const DWORD start = GetTickCount();
        while (!(open_ = OpenClipboard(owner_) != FALSE) && GetTickCount() - start < ms)
            Sleep(20);
    }
    ~owned_clipboard() {
        if (open_) CloseClipboard();
        if (owner_) DestroyWindow(owner_);
    }
    owned_clipboard(const owned_clipboard&) = delete;
    owned_clipboard& operator=(const owned_clipboard&) = delete;

    bool open() const { return open_; }
    // Empties the clipboard and puts the data there; the clipboard then owns the data.
    bool put(UINT format, HANDLE data) {
        return open_ && EmptyClipboard() && SetClipboardData(format, data);
    }

private:
    HWND owner_ = nullptr;
    bool open_ = false;
};

} // namespace clip_exchange
