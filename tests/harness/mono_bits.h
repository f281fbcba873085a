// A monochrome bitmap as text: its size and its rows, top row first, as hexadecimal bytes (a set
// bit is a white pixel, the bits past the width cleared). Shared by the probe, which reads the
// bitmaps of a program's menus, and the tests, which make the bitmaps they expect.
#pragma once

#include <windows.h>
#include <string>
#include <vector>

inline std::wstring mono_bits_text(HBITMAP bitmap) {
    BITMAP bm{};
    if (!bitmap || !GetObjectW(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return L"none";
    struct {
        BITMAPINFOHEADER h;
        RGBQUAD colours[2];
    } info{};
    info.h.biSize = sizeof info.h;
    info.h.biWidth = bm.bmWidth;
    info.h.biHeight = -bm.bmHeight;
    info.h.biPlanes = 1;
    info.h.biBitCount = 1;
    const int stride = (bm.bmWidth + 31) / 32 * 4;
    std::vector<unsigned char> bits(size_t(stride) * bm.bmHeight);
    HDC dc = GetDC(nullptr);
    const int rows = GetDIBits(dc, bitmap, 0, UINT(bm.bmHeight), bits.data(),
                               reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    if (rows != bm.bmHeight) return L"unreadable";
    // Colour 1 must be the white one whatever order the table came back in.
    const bool one_is_white = info.colours[1].rgbRed > info.colours[0].rgbRed;
    std::wstring out = std::to_wstring(bm.bmWidth) + L"x" + std::to_wstring(bm.bmHeight) + L":";
    const wchar_t* digits = L"0123456789ABCDEF";
    for (int y = 0; y < bm.bmHeight; y++)
        for (int b = 0; b < (bm.bmWidth + 7) / 8; b++) {
            unsigned v = bits[size_t(y) * stride + b];
            if (!one_is_white) v = ~v & 0xFF;
            const int used = bm.bmWidth - 8 * b;
            if (used < 8) v &= 0xFF00u >> used;
            out += digits[v >> 4];
            out += digits[v & 15];
        }
    return out;
}
