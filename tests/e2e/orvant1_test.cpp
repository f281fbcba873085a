// The system palette viewer. On the test screen (24 bits, no palette) it refuses to run: its own
// error message, owned by the window being created, then the frame's creation failure, and exit
// code 0. On an 8-bit screen, where Wine gives a 256-colour palette, it lists the 256 entries in
// cells of the fixed system font, wrapping before a cell would cross the right edge, and repaints
// when another program changes the palette. ./test runs the second case on such a screen; each
// case skips itself elsewhere on the other kind of display.
#include "harness/checks.h"
#include "harness/harness.h"
#include "harness/patches.h"
#include "harness/probe.h"
#include "harness/timers.h"

#include <stdio.h>
#include <stdlib.h>

using namespace harness;

namespace {

TEST(orvant1, refuses_a_display_without_a_256_colour_palette) {
    if (screen_palette_size() == 256) GTEST_SKIP() << "the display has a 256-colour palette";

    app a;
    ASSERT_TRUE(a.start(program_path(L"orvant1")));
    const message_box first = wait_message_box(a);
    ASSERT_NE(first.hwnd, nullptr);
    EXPECT_EQ(first.caption, L"orvant1");
    EXPECT_EQ(first.text,
              L"This program requires that the video display mode have a 256-color palette.");
    EXPECT_EQ(icon_of(first.hwnd), box_icon::error);
    HWND owner = GetWindow(first.hwnd, GW_OWNER);
    ASSERT_NE(owner, nullptr) << "owned by the window";
    EXPECT_EQ(class_of(owner), L"orvant1");
    EXPECT_EQ(text_of(owner), L"System Palette #1");
    press(first.hwnd, IDOK);
    ASSERT_TRUE(wait_until([&] { return !IsWindow(first.hwnd); }));

    const message_box second = wait_message_box(a);
    ASSERT_NE(second.hwnd, nullptr);
    EXPECT_EQ(second.caption, L"orvant1");
    EXPECT_EQ(second.text, L"Unable to create main window.");
    EXPECT_EQ(icon_of(second.hwnd), box_icon::error);
    EXPECT_EQ(GetWindow(second.hwnd, GW_OWNER), nullptr);
    press(second.hwnd, IDOK);

    expect_exits_with_0(a);
}

// The system palette as the program's process sees it: Wine keeps one view of it per process, and
// the entries past the twenty static colours are that process's own. The static ones are the same
// everywhere, and the test's own view must agree on them.
std::vector<PALETTEENTRY> program_palette(HWND hwnd) {
    const std::wstring text = probe(hwnd, PROBE_SYSTEM_PALETTE);
    std::vector<PALETTEENTRY> entries;
    for (size_t at = 0; at + 7 <= text.size(); at += 7) {
        const unsigned long rgb = wcstoul(text.substr(at, 6).c_str(), nullptr, 16);
        entries.push_back({BYTE(rgb >> 16), BYTE(rgb >> 8), BYTE(rgb), 0});
    }
    EXPECT_EQ(entries.size(), 256u);
    entries.resize(256);
    PALETTEENTRY own[256] = {};
    HDC screen = GetDC(nullptr);
    GetSystemPaletteEntries(screen, 0, 256, own);
    ReleaseDC(nullptr, screen);
    for (int i = 0; i < 256; i += i == 9 ? 237 : 1)
        EXPECT_EQ(RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue),
                  RGB(own[i].peRed, own[i].peGreen, own[i].peBlue))
            << "static colour " << i;
    return entries;
}

// The cells as they should be: "RR-GG-BB" of each system palette entry, left to right, a new row
// when the next cell would cross the right edge, until a row would start below the bottom.
image palette_cells(int w, int h, const std::vector<PALETTEENTRY>& entries) {
    return render(w, h, [&](HDC dc) {
        SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
        SIZE cell;
        GetTextExtentPoint32W(dc, L"FF-FF-FF  ", 10, &cell);
        int x = 0, y = 0;
        for (const PALETTEENTRY& e : entries) {
            wchar_t text[16];
            swprintf(text, 16, L"%02X-%02X-%02X", e.peRed, e.peGreen, e.peBlue);
            TextOutW(dc, x, y, text, 8);
            x += cell.cx;
            if (x + cell.cx > w) {
                x = 0;
                y += cell.cy;
                if (y > h) break;
            }
        }
    });
}

TEST(orvant1, lists_the_system_palette_on_a_256_colour_display) {
    REQUIRE_256_COLOUR_SCREEN();
    held_timers watched; // counts the program's paints
    ASSERT_TRUE(watched.ok());
    app a;
    HWND hwnd = launch(a, L"orvant1");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"System Palette #1");
    for (const SIZE s : {SIZE{720, 480}, SIZE{430, 700}, SIZE{300, 200}}) {
        resize_client(hwnd, s.cx, s.cy);
        const image shown = capture_client(hwnd);
        const image want = palette_cells(shown.width, shown.height, program_palette(hwnd));
        int differing = 0;
        for (size_t i = 0; i < shown.px.size(); i++)
            differing += is_dark(shown.px[i]) != is_dark(want.px[i]);
        EXPECT_EQ(differing, 0) << s.cx << " x " << s.cy;
    }
    const int painted = paints(hwnd);
    SendMessageTimeoutW(hwnd, WM_PALETTECHANGED, WPARAM(GetDesktopWindow()), 0, SMTO_ABORTIFHUNG,
                        5000, nullptr);
    EXPECT_EQ(paints(hwnd), painted + 1) << "another program's palette change repaints";
    expect_closes_with_0(a, hwnd);
}

} // namespace
