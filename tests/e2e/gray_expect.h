// What the shades-of-gray programs show: 65 bands of gray, band i from i x w / divisor to
// (i + 1) x w / divisor at level min(255, 4 i). With divisor 65 they fill the width from black to
// white; with divisor 64 the white band lies just beyond the right edge and 64 bands show, the
// last at level 252. Shared by the three programs' tests, with one scenario for all of them.
#pragma once

#include "harness/harness.h"
#include "harness/checks.h"
#include "harness/patches.h"
#include "harness/probe.h"
#include "harness/timers.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <wchar.h>
#include <vector>

namespace gray_expect {

using namespace harness;

inline uint32_t gray(int level) {
    return uint32_t(level) * 0x010101;
}

inline image bands(int w, int h, int divisor) {
    return render(w, h, [&](HDC dc) {
        for (int i = 0; i < 65; i++) {
            const int level = std::min(255, 4 * i);
            RECT r{i * w / divisor, 0, (i + 1) * w / divisor, h};
            HBRUSH b = CreateSolidBrush(RGB(level, level, level));
            FillRect(dc, &r, b);
            DeleteObject(b);
        }
    });
}

// The colours of the bands as they appear along the top row, left to right.
inline std::vector<uint32_t> band_colours(const image& img) {
    std::vector<uint32_t> runs;
    for (int x = 0; x < img.width; x++)
        if (runs.empty() || runs.back() != img.at(x, 0)) runs.push_back(img.at(x, 0));
    return runs;
}

inline void expect_bands(HWND hwnd, int divisor, const char* when) {
    const image shown = capture_client(hwnd);
    ASSERT_GT(shown.width, 65) << when;
    const image want = bands(shown.width, shown.height, divisor);
    const int differing = differing_pixels(shown, want);
    EXPECT_EQ(differing, 0) << when << ", " << shown.width << " x " << shown.height;
    const std::vector<uint32_t> runs = band_colours(shown);
    const int visible = divisor == 65 ? 65 : 64;
    ASSERT_EQ(int(runs.size()), visible) << when;
    EXPECT_EQ(runs.front(), gray(0)) << when;
    EXPECT_EQ(runs.back(), gray(divisor == 65 ? 255 : 252)) << when;
}

// The palette a palette program realised (read inside it), against the bands the user sees: on
// this screen, without a palette, a band's colour is the colour its palette entry asks for, so
// entry i is the colour of band i on the screen, and the last entry, whose band lies beyond the
// right edge, is white. (On the 8-bit screen Wine 8 shows these bands only in the screen's static
// colours, black and gray alternating, with none of the grays in the system palette, so the
// palette cannot be seen there.)
inline void expect_palette_as_shown(HWND hwnd) {
    std::vector<uint32_t> realized;
    const std::wstring lines = probe(hwnd, PROBE_REALIZED_PALETTE);
    for (size_t at = 0; at < lines.size(); at = lines.find(L'\n', at) + 1) {
        unsigned colour = 0, flags = 99;
        ASSERT_EQ(swscanf(lines.c_str() + at, L"%x %u", &colour, &flags), 2);
        EXPECT_EQ(flags, 0u) << "entry " << realized.size();
        realized.push_back(colour);
        if (lines.find(L'\n', at) == std::wstring::npos) break;
    }
    std::vector<uint32_t> seen = band_colours(capture_client(hwnd));
    ASSERT_EQ(seen.size(), 64u);
    seen.push_back(gray(255));
    EXPECT_EQ(realized, seen) << "the palette realised, entry by entry, as the bands show it";
}

// A window of the test's own that realises a palette of 200 colours, none of them gray, in the
// foreground: another palette program, taking over the system palette while it lives.
class colour_palette_window {
public:
    colour_palette_window() {
        static const ATOM registered = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = DefWindowProcW;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.hbrBackground = HBRUSH(GetStockObject(BLACK_BRUSH));
            wc.lpszClassName = L"TestColourPalette";
            return RegisterClassW(&wc);
        }();
        std::vector<BYTE> block(sizeof(LOGPALETTE) + 200 * sizeof(PALETTEENTRY));
        auto* lp = reinterpret_cast<LOGPALETTE*>(block.data());
        lp->palVersion = 0x300;
        lp->palNumEntries = 200;
        for (int i = 0; i < 200; i++)
            lp->palPalEntry[i] = PALETTEENTRY{BYTE(255 - i), BYTE(i), BYTE(i * 37 % 128), 0};
        palette_ = CreatePalette(lp);
        if (!registered) return;
        hwnd_ = CreateWindowExW(0, L"TestColourPalette", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetForegroundWindow(hwnd_);
        HDC dc = GetDC(hwnd_);
        SelectPalette(dc, palette_, FALSE);
        RealizePalette(dc);
        ReleaseDC(hwnd_, dc);
    }
    ~colour_palette_window() {
        DestroyWindow(hwnd_);
        DeleteObject(palette_);
    }
    colour_palette_window(const colour_palette_window&) = delete;
    colour_palette_window& operator=(const colour_palette_window&) = delete;

private:
    HWND hwnd_ = nullptr;
    HPALETTE palette_ = nullptr;
};

// The palette programs on a screen with a 256-colour palette. Another program realising a palette
// of its own in the foreground makes the program realise its gray palette again in the background
// and map its pixels to the new system palette (UpdateColors) without a repaint; coming to the
// front again, it realises its palette in the foreground and repaints the bands as they first
// were. A palette change of its own does nothing.
inline void run_palette_scenario(const wchar_t* name) {
    REQUIRE_256_COLOUR_SCREEN();
    held_timers watched; // counts the program's paints
    ASSERT_TRUE(watched.ok());
    app a;
    HWND hwnd = launch(a, name);
    ASSERT_NE(hwnd, nullptr);
    resize_client(hwnd, 640, 300);
    const image first = capture_client(hwnd);
    // RealizePalette and UpdateColors calls so far.
    auto calls = [&] {
        std::pair<int, int> n{-1, -1};
        swscanf(probe(hwnd, PROBE_PALETTE_CALLS).c_str(), L"%d\t%d", &n.first, &n.second);
        return n;
    };
    EXPECT_EQ(calls(), std::make_pair(0, 0));
    {
        colour_palette_window other;
        settle(hwnd, 200);
        int painted = paints(hwnd);
        const std::pair<int, int> mapped = calls();
        EXPECT_GE(mapped.first, 1) << "another program's palette: its own realised again";
        EXPECT_EQ(mapped.second, 1) << "and the pixels mapped to the new palette";
        EXPECT_EQ(paints(hwnd), painted) << "mapped, not repainted";
        SetForegroundWindow(hwnd);
        settle(hwnd, 200);
        EXPECT_GT(paints(hwnd), painted) << "coming to the front repaints";
        EXPECT_GT(calls().first, mapped.first) << "realised on coming to the front";
        EXPECT_TRUE(capture_client(hwnd) == first) << "the bands as they first were";
    }
    DWORD_PTR result = 99;
    const std::pair<int, int> before = calls();
    const int painted = paints(hwnd);
    ASSERT_TRUE(SendMessageTimeoutW(hwnd, WM_PALETTECHANGED, WPARAM(hwnd), 0, SMTO_ABORTIFHUNG,
                                    5000, &result));
    EXPECT_EQ(result, 0u);
    EXPECT_EQ(calls(), before) << "its own palette change maps nothing";
    EXPECT_EQ(paints(hwnd), painted) << "and repaints nothing";
    expect_closes_with_0(a, hwnd);
}

// One running program: the class, caption and style; the bands in several window shapes; for
// and a brush per band, each deleted.
inline void run_scenario(const wchar_t* name, const wchar_t* caption, int divisor) {
    held_timers watched; // counts the program's paints
    ASSERT_TRUE(watched.ok());
    app a;
    HWND hwnd = launch(a, name);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), caption);
    EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE) & (WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN),
              LONG(WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN));
    EXPECT_EQ(gdi_net(hwnd), 0);
    if (divisor == 64) {
        EXPECT_EQ(probe(hwnd, PROBE_PALETTE_CALLS), L"0\t0") << "counting starts";
    }
    const SIZE sizes[] = {{650, 200}, {777, 333}, {130, 90}, {1000, 500}};
    for (const SIZE s : sizes) {
        resize_client(hwnd, s.cx, s.cy);
        expect_bands(hwnd, divisor, "after resizing");
    }
    if (divisor == 64) expect_palette_as_shown(hwnd);
    EXPECT_EQ(gdi_net(hwnd), 0) << "a brush per band, each deleted";
    expect_closes_with_0(a, hwnd);
}

} // namespace gray_expect
