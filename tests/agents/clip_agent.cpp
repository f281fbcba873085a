// A clipboard peer for the 32-bit programs. Wine hands a CF_BITMAP from one process to another as
// its BITMAP header followed by the bits, and that header's size follows the pointer size; so a
// bitmap does not cross between a 32-bit and a 64-bit process there. The 64-bit tests read and put
// the 32-bit programs' bitmaps through this 32-bit process instead:
//   clip_agent get FILE   the clipboard's bitmap into FILE; exit 1 when there is none
//   clip_agent put FILE   FILE's picture onto the clipboard as a CF_BITMAP
// FILE holds the width and the height (32-bit little-endian) and then the pixels, 0x00RRGGBB,
// top-down rows.
#include <windows.h>

#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <vector>

static bool open_clipboard() {
    for (int i = 0; i < 150; i++) {
        if (OpenClipboard(nullptr)) return true;
        Sleep(20);
    }
    return false;
}

static BITMAPINFO top_down(int w, int h) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    return bi;
}

static int get(const wchar_t* path) {
    if (!open_clipboard()) return 2;
    std::vector<uint32_t> px;
    int32_t size[2] = {0, 0};
    if (auto bmp = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) {
        BITMAP bm{};
        if (GetObjectW(bmp, sizeof bm, &bm) == sizeof bm && bm.bmWidth > 0 && bm.bmHeight > 0) {
            BITMAPINFO bi = top_down(bm.bmWidth, bm.bmHeight);
            px.resize(size_t(bm.bmWidth) * bm.bmHeight);
            HDC screen = GetDC(nullptr);
            if (GetDIBits(screen, bmp, 0, bm.bmHeight, px.data(), &bi, DIB_RGB_COLORS)) {
                size[0] = bm.bmWidth;
                size[1] = bm.bmHeight;
            }
            ReleaseDC(nullptr, screen);
        }
    }
    CloseClipboard();
    if (size[0] == 0) return 1;
    FILE* f = _wfopen(path, L"wb");
    if (!f) return 2;
    bool written = fwrite(size, sizeof size, 1, f) == 1 &&
                   fwrite(px.data(), sizeof(uint32_t), px.size(), f) == px.size();
    return fclose(f) == 0 && written ? 0 : 2;
}

static int put(const wchar_t* path) {
    FILE* f = _wfopen(path, L"rb");
    if (!f) return 2;
    int32_t size[2] = {0, 0};
    std::vector<uint32_t> px;
    if (fread(size, sizeof size, 1, f) == 1 && size[0] > 0 && size[1] > 0 && size[0] <= 4096 &&
        size[1] <= 4096) {
        px.resize(size_t(size[0]) * size[1]);
        if (fread(px.data(), sizeof(uint32_t), px.size(), f) != px.size()) px.clear();
    }
    fclose(f);
    if (px.empty()) return 2;
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, size[0], size[1]);
    BITMAPINFO bi = top_down(size[0], size[1]);
    const bool drawn =
        bmp && SetDIBits(screen, bmp, 0, size[1], px.data(), &bi, DIB_RGB_COLORS) == size[1];
    ReleaseDC(nullptr, screen);
    bool taken = false;
    if (drawn && open_clipboard()) {
        taken = EmptyClipboard() && SetClipboardData(CF_BITMAP, bmp);
        CloseClipboard();
    }
    if (!taken && bmp) DeleteObject(bmp);
    return taken ? 0 : 2;
}

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) return 2;
    if (wcscmp(argv[1], L"get") == 0) return get(argv[2]);
    if (wcscmp(argv[1], L"put") == 0) return put(argv[2]);
    return 2;
}
