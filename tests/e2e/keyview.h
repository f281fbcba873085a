// Shared by the tests of the two keyboard viewers: the lines they should show, written out here
// independently of the programs, and the picture those lines make in a given font.
#pragma once

#include "harness/harness.h"
#include "harness/hooks.h"
#include "harness/ink.h"
#include "harness/probe.h"

#include <string>
#include <vector>

namespace keyview {

using namespace harness;

inline const wchar_t header[] = L"Message        Key       Char    Repeat Scan Ext ALT Prev Tran";
inline const wchar_t underline[] =
    L"_______        ___       ____    ______ ____ ___ ___ ____ ____";

inline std::wstring left(std::wstring s, size_t w) {
    s.resize(w, L' ');
    return s;
}
inline std::wstring right(const std::wstring& s, size_t w) {
    return s.size() >= w ? s.substr(0, w) : std::wstring(w - s.size(), L' ') + s;
}

struct logged {
    UINT message;
    WPARAM wp;
    uint32_t lp;
};

// What a line of the log should read, key names as the system gives them here.
inline std::wstring line_of(const logged& m) {
    static const wchar_t* names[] = {L"WM_KEYDOWN",  L"WM_KEYUP",      L"WM_CHAR",
                                     L"WM_DEADCHAR", L"WM_SYSKEYDOWN", L"WM_SYSKEYUP",
                                     L"WM_SYSCHAR",  L"WM_SYSDEADCHAR"};
    const std::wstring name = names[m.message - WM_KEYDOWN];
    const bool is_char = m.message == WM_CHAR || m.message == WM_DEADCHAR ||
                         m.message == WM_SYSCHAR || m.message == WM_SYSDEADCHAR;
    std::wstring s;
    if (is_char) {
        wchar_t hex[16];
        swprintf(hex, 16, L"%04X", unsigned(m.wp));
        s = left(name, 25) + L"$" + hex + L" " + wchar_t(m.wp) + L" ";
    } else {
        wchar_t key[40] = L"";
        GetKeyNameTextW(LONG(m.lp), key, 32);
        s = left(name, 13) + L" " + right(std::to_wstring(m.wp), 3) + L" " + left(key, 15);
    }
    s += right(std::to_wstring(m.lp & 0xFFFF), 6) + L" " +
         right(std::to_wstring((m.lp >> 16) & 0xFF), 4);
    s += L" " + left(m.lp & (1u << 24) ? L"Yes" : L"No", 3);
    s += L" " + left(m.lp & (1u << 29) ? L"Yes" : L"No", 3);
    s += L" " + left(m.lp & (1u << 30) ? L"Down" : L"Up", 4);
    s += L" " + left(m.lp & (1u << 31) ? L"Up" : L"Down", 4);
    return s;
}

// The client area as it should look: the header over its underline in the top row, the newest
// line at the bottom row that is whole, older ones above it as far as they fit.
inline image expected_view(int w, int h, HFONT font, const std::vector<logged>& newest_first) {
    return render(w, h, [&](HDC dc) {
        SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        TEXTMETRICW tm;
        GetTextMetricsW(dc, &tm);
        const int cy = tm.tmHeight, rows = h / cy;
        TextOutW(dc, 0, 0, header, int(wcslen(header)));
        TextOutW(dc, 0, 0, underline, int(wcslen(underline)));
        for (int i = 0; i < int(newest_first.size()) && i < rows - 1; i++) {
            std::wstring s = line_of(newest_first[i]);
            TextOutW(dc, 0, cy * (rows - 1 - i), s.c_str(), int(s.size()));
        }
    });
}

inline int char_height(HFONT font) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    DeleteDC(dc);
    return tm.tmHeight;
}

inline uint32_t key_lp(UINT vk, bool up, bool previous_down = false, uint32_t extra = 0) {
    uint32_t lp = 1 | (MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) << 16) | extra;
    if (up || previous_down) lp |= 1u << 30;
    if (up) lp |= 1u << 31;
    return lp;
}

inline void post(HWND hwnd, const logged& m) {
    PostMessageW(hwnd, m.message, m.wp, LPARAM(m.lp));
}

// Starts the viewer and counts its faults from then on, before any key reaches it: a key handled
// or a paint that faults half-way (writing past the log, say) may leave the right picture.
inline HWND launch_viewer(app& a, const wchar_t* name) {
    HWND hwnd = launch(a, name);
    if (hwnd) {
        EXPECT_EQ(faults(hwnd), 0) << "counting starts";
    }
    return hwnd;
}

// Compares what is on screen (without asking for a repaint first, so the scrolled rows count as
// they are) and then a full repaint with the expected view; and no fault since the viewer started
// (launch_viewer), in the keys it handled or in its paints.
inline void expect_view(HWND hwnd, HFONT font, const std::vector<logged>& newest_first,
                        const wchar_t* name) {
    drain(hwnd);
    drain(hwnd); // and the characters the first messages were translated into
    for (bool redraw : {false, true}) {
        image shown = redraw ? capture_repainted(hwnd) : capture_client(hwnd);
        ASSERT_GT(shown.width, 0);
        image ref = expected_view(shown.width, shown.height, font, newest_first);
        RECT all{0, 0, shown.width, shown.height};
        int bad = ink_mismatch(shown, ref, all);
        EXPECT_EQ(bad, 0) << (redraw ? "after a full repaint" : "as scrolled");
        if (bad) save_pair(shown, ref, name);
    }
    EXPECT_EQ(faults(hwnd), 0) << "faults in the keys handled or the paints";
}

} // namespace keyview
