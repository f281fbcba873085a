#include "graphics/gray_bands.h"

void paint_gray_bands(HDC dc, int width, int height, int divisor, COLORREF (*colour_of)(int)) {
    for (int i = 0; i < GRAY_LEVELS; i++) {
        const RECT band{i * width / divisor, 0, (i + 1) * width / divisor, height};
        HBRUSH brush = CreateSolidBrush(colour_of(i));
        FillRect(dc, &band, brush);
        DeleteObject(brush);
    }
}

void gray_palette_entries(PALETTEENTRY* entries) {
    for (int i = 0; i < GRAY_LEVELS; i++) {
        PALETTEENTRY& e = entries[i];
        e.peRed = e.peGreen = e.peBlue = static_cast<BYTE>(gray_level(i));
        e.peFlags = 0;
    }
}

// The entries are built in a block of the header and 65 entries, freed once the palette holds
// them.
static HPALETTE create_gray_palette() {
    const int32_t bytes = static_cast<int32_t>(offsetof(LOGPALETTE, palPalEntry)) +
                          GRAY_LEVELS * static_cast<int32_t>(sizeof(PALETTEENTRY));
    auto* lp = static_cast<LOGPALETTE*>(block_alloc(bytes));
    if (!lp) return nullptr;
    lp->palVersion = 0x300;
    lp->palNumEntries = GRAY_LEVELS;
    gray_palette_entries(lp->palPalEntry);
    HPALETTE palette = CreatePalette(lp);
    block_free(lp);
    return palette;
}

static void realize(HDC dc, HPALETTE palette) {
    SelectPalette(dc, palette, FALSE);
    RealizePalette(dc);
}

// The divisor is 64 for 65 bands: the last band (white) lies just right of the client area, so
// the visible bands run from black to level 252.
static void on_paint(gray_palette_window* w, HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (w->palette) realize(dc, w->palette);
    paint_gray_bands(dc, w->width, w->height, GRAY_LEVELS - 1, w->colour_of);
    EndPaint(hwnd, &ps);
}

// The window comes to the front: its palette takes the hardware entries again and it repaints
// with them.
static LRESULT on_query_new_palette(gray_palette_window* w, HWND hwnd) {
    if (!w->palette) return FALSE;
    HDC dc = GetDC(hwnd);
    if (dc) {
        realize(dc, w->palette);
        InvalidateRect(hwnd, nullptr, TRUE);
        ReleaseDC(hwnd, dc);
    }
    return TRUE;
}

// Another window changed the system palette: map the window's pixels to the new entries.
static void on_palette_changed(gray_palette_window* w, HWND hwnd, WPARAM changer) {
    if (!w->palette || reinterpret_cast<HWND>(changer) == hwnd) return;
    if (HDC dc = GetDC(hwnd)) {
        realize(dc, w->palette);
        UpdateColors(dc);
        ReleaseDC(hwnd, dc);
    }
}

LRESULT gray_palette_proc(gray_palette_window* w, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: w->palette = create_gray_palette(); return 0;
    case WM_SIZE:
        w->width = LOWORD(lp);
        w->height = static_cast<short>(HIWORD(lp));
        return 0;
    case WM_PAINT: on_paint(w, hwnd); return 0;
    case WM_QUERYNEWPALETTE: return on_query_new_palette(w, hwnd);
    case WM_PALETTECHANGED: on_palette_changed(w, hwnd, wp); break;
    case WM_DESTROY:
        if (w->palette) DeleteObject(w->palette);
        w->palette = nullptr;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}
