// Probe answers for the drawing demonstrations: how many rectangles a program has filled, and
// region making that fails on demand (to reach what a program does without its region).
#include <windows.h>
#include <stdio.h>
#include <string>
#include "probe.h"
#include "probe_imports.h"

static LONG fill_calls = -1;
static int(WINAPI* real_fill_rect)(HDC, const RECT*, HBRUSH);
static HRGN(WINAPI* real_elliptic_region)(int, int, int, int);

static int WINAPI counted_fill_rect(HDC dc, const RECT* r, HBRUSH brush) {
    InterlockedIncrement(&fill_calls);
    return real_fill_rect(dc, r, brush);
}

static HRGN WINAPI no_elliptic_region(int, int, int, int) {
    return nullptr;
}

static void count_fills() {
    if (fill_calls >= 0) return;
    real_fill_rect = reinterpret_cast<decltype(real_fill_rect)>(
        redirect_import("user32.dll", "FillRect", reinterpret_cast<void*>(&counted_fill_rect)));
    if (real_fill_rect) fill_calls = 0;
}

// Points the program's import at the failing stand-in, or back at the real function.
static bool regions_fail(bool fail) {
    if (fail && !real_elliptic_region) {
        real_elliptic_region = reinterpret_cast<decltype(real_elliptic_region)>(redirect_import(
            "gdi32.dll", "CreateEllipticRgn", reinterpret_cast<void*>(&no_elliptic_region)));
        return real_elliptic_region != nullptr;
    }
    if (!fail && real_elliptic_region) {
        redirect_import("gdi32.dll", "CreateEllipticRgn",
                        reinterpret_cast<void*>(real_elliptic_region));
        real_elliptic_region = nullptr;
    }
    return true;
}

// A palette program's realisations and colour updates.
static LONG realize_calls = -1, update_calls = -1;
static UINT(WINAPI* real_realize_palette)(HDC);
static BOOL(WINAPI* real_update_colors)(HDC);

// The entries of the palette last realised, one "RRGGBB flags" line each.
static std::wstring realized_entries;

static UINT WINAPI counted_realize_palette(HDC dc) {
    InterlockedIncrement(&realize_calls);
    realized_entries.clear();
    if (auto palette = static_cast<HPALETTE>(GetCurrentObject(dc, OBJ_PAL))) {
        PALETTEENTRY entries[256];
        const UINT n = GetPaletteEntries(palette, 0, 256, entries);
        for (UINT i = 0; i < n; i++) {
            wchar_t line[24];
            swprintf(line, 24, L"%02X%02X%02X %u\n", entries[i].peRed, entries[i].peGreen,
                     entries[i].peBlue, entries[i].peFlags);
            realized_entries += line;
        }
    }
    return real_realize_palette(dc);
}

static BOOL WINAPI counted_update_colors(HDC dc) {
    InterlockedIncrement(&update_calls);
    return real_update_colors(dc);
}

static void count_palette_calls() {
    if (!real_realize_palette &&
        (real_realize_palette = reinterpret_cast<decltype(real_realize_palette)>(redirect_import(
             "gdi32.dll", "RealizePalette", reinterpret_cast<void*>(&counted_realize_palette)))))
        realize_calls = 0;
    if (!real_update_colors &&
        (real_update_colors = reinterpret_cast<decltype(real_update_colors)>(redirect_import(
             "gdi32.dll", "UpdateColors", reinterpret_cast<void*>(&counted_update_colors)))))
        update_calls = 0;
}

void probe_drawing_answer(WPARAM query, std::wstring& out) {
    switch (query) {
    case PROBE_FILL_COUNT:
        count_fills();
        out = std::to_wstring(fill_calls); // -1: the program imports no FillRect
        break;
    case PROBE_REGIONS_FAIL: out = regions_fail(true) ? L"1" : L"0"; break;
    case PROBE_REGIONS_WORK: out = regions_fail(false) ? L"1" : L"0"; break;
    case PROBE_PALETTE_CALLS:
        count_palette_calls();
        out = std::to_wstring(realize_calls) + L"\t" + std::to_wstring(update_calls);
        break;
    case PROBE_REALIZED_PALETTE: out = realized_entries; break;
    }
}
