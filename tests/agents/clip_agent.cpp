// A clipboard peer for the 32-bit programs. Wine hands a CF_BITMAP from one process to another as
// its BITMAP header followed by the bits, and that header's size follows the pointer size; so a
// bitmap does not cross between a 32-bit and a 64-bit process there. The 64-bit tests read and put
// the 32-bit programs' bitmaps through this 32-bit process instead:
//   clip_agent get FILE   the clipboard's bitmap into FILE; exit 1 when there is none
//   clip_agent put FILE   FILE's picture onto the clipboard as a CF_BITMAP
// FILE is the picture file of clip_exchange.h, which the tests read and write with the same code.
#include "agents/clip_exchange.h"

#include <string.h>

using namespace clip_exchange;

// Reading needs no owner window.
static bool open_to_read() {
    for (int i = 0; i < 150; i++) {
        if (OpenClipboard(nullptr)) return true;
        Sleep(20);
    }
    return false;
}

static int get(const wchar_t* path) {
    if (!open_to_read()) return 2;
    picture p;
    bool held = false;
    if (auto bmp = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) {
        held = true;
        BITMAP bm{};
        if (GetObjectW(bmp, sizeof bm, &bm) == sizeof bm && fits(bm.bmWidth, bm.bmHeight)) {
            BITMAPINFO bi = top_down(bm.bmWidth, bm.bmHeight);
            p.px.resize(size_t(bm.bmWidth) * bm.bmHeight);
            HDC screen = GetDC(nullptr);
            if (GetDIBits(screen, bmp, 0, bm.bmHeight, p.px.data(), &bi, DIB_RGB_COLORS)) {
                p.width = bm.bmWidth;
                p.height = bm.bmHeight;
            }
            ReleaseDC(nullptr, screen);
        }
    }
    CloseClipboard();
    if (p.width == 0) return held ? 2 : 1;
    return write_picture(path, p) ? 0 : 2;
}

static int put(const wchar_t* path) {
    picture p;
    if (!read_picture(path, &p)) return 2;
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, p.width, p.height);
    BITMAPINFO bi = top_down(p.width, p.height);
    const bool drawn =
        bmp && SetDIBits(screen, bmp, 0, p.height, p.px.data(), &bi, DIB_RGB_COLORS) == p.height;
    ReleaseDC(nullptr, screen);
    bool taken = false;
    if (drawn) {
        owned_clipboard clipboard(3000);
        taken = clipboard.put(CF_BITMAP, bmp);
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
