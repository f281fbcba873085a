// What the shades-of-gray programs show: 65 bands of gray, band i from i x w / divisor to
// (i + 1) x w / divisor at level min(255, 4 i). With divisor 65 they fill the width from black to
// white; with divisor 64 the white band lies just beyond the right edge and 64 bands show, the
// last at level 252. Shared by the three programs' tests, with one scenario for all of them.
#pragma once

#include "harness/harness.h"
#include "harness/patches.h"
#include "harness/timers.h"

#include <algorithm>
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
    int differing = 0;
    for (size_t i = 0; i < shown.px.size(); i++)
        differing += shown.px[i] != want.px[i];
    EXPECT_EQ(differing, 0) << when << ", " << shown.width << " x " << shown.height;
    const std::vector<uint32_t> runs = band_colours(shown);
    const int visible = divisor == 65 ? 65 : 64;
    ASSERT_EQ(int(runs.size()), visible) << when;
    EXPECT_EQ(runs.front(), gray(0)) << when;
    EXPECT_EQ(runs.back(), gray(divisor == 65 ? 255 : 252)) << when;
}

// One running program: the class, caption and style; the bands in several window shapes; for
// the palette programs, the palette messages (coming to the front repaints with the palette,
// another program's palette change repaints nothing); and a brush per band, each deleted.
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
    const SIZE sizes[] = {{650, 200}, {777, 333}, {130, 90}, {1000, 500}};
    for (const SIZE s : sizes) {
        resize_client(hwnd, s.cx, s.cy);
        expect_bands(hwnd, divisor, "after resizing");
    }
    if (divisor == 64) {
        DWORD_PTR result = 99;
        int painted = paints(hwnd);
        ASSERT_TRUE(
            SendMessageTimeoutW(hwnd, WM_QUERYNEWPALETTE, 0, 0, SMTO_ABORTIFHUNG, 5000, &result));
        EXPECT_EQ(result, 1u) << "the palette was realised";
        EXPECT_EQ(paints(hwnd), painted + 1) << "coming to the front repaints";
        expect_bands(hwnd, divisor, "after WM_QUERYNEWPALETTE");

        painted = paints(hwnd);
        for (HWND changer : {GetDesktopWindow(), hwnd}) {
            ASSERT_TRUE(SendMessageTimeoutW(hwnd, WM_PALETTECHANGED, WPARAM(changer), 0,
                                            SMTO_ABORTIFHUNG, 5000, &result));
            EXPECT_EQ(result, 0u);
        }
        EXPECT_EQ(paints(hwnd), painted) << "a palette change maps colours, no repaint";
        expect_bands(hwnd, divisor, "after WM_PALETTECHANGED");
    }
    EXPECT_EQ(gdi_net(hwnd), 0) << "a brush per band, each deleted";
    close(hwnd);
    DWORD code = 99;
    ASSERT_TRUE(a.wait_exit(10000, &code));
    EXPECT_EQ(code, 0u);
}

} // namespace gray_expect
