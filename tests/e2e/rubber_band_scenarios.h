// What strennic1 and strennic2 share: a drag with the left button shows an inverting band and
// leaves a black box on release, whichever way it went; Escape takes the band away and keeps the
// previous box. Checked on the screen as the program left it.
//
// The mouse messages are posted with exact positions, as the window would receive them (outside
// the window only while it holds the capture): real input under Wine now and then reaches the
// program a pixel or an event late. The real cursor is parked away from the window meanwhile.
#pragma once

#include "harness/checks.h"
#include "harness/grids.h"
#include "harness/harness.h"
#include "harness/ink.h"
#include "harness/mouse_input.h"
#include "harness/probe.h"

#include <optional>

namespace rubber_band_scenarios {

using namespace harness;

const int client_w = 400, client_h = 300;

inline void post_mouse(HWND hwnd, UINT msg, POINT p) {
    const WPARAM keys = msg == WM_LBUTTONDOWN || msg == WM_MOUSEMOVE ? MK_LBUTTON : 0;
    PostMessageW(hwnd, msg, keys, MAKELPARAM(p.x, p.y));
    drain(hwnd);
}
inline void button_down(HWND hwnd, POINT p) {
    post_mouse(hwnd, WM_LBUTTONDOWN, p);
}
inline void button_up(HWND hwnd, POINT p) {
    post_mouse(hwnd, WM_LBUTTONUP, p);
}
inline void glide(HWND hwnd, POINT from, POINT to, int steps) {
    for (int i = 1; i <= steps; i++)
        post_mouse(
            hwnd, WM_MOUSEMOVE,
            POINT{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
}
inline void drag(HWND hwnd, POINT from, POINT to) {
    button_down(hwnd, from);
    glide(hwnd, from, to, 4);
    button_up(hwnd, to);
}

struct corners {
    POINT a, b;
};

// The program's own drawing, at the same corners: the box filled black, the band inverted over it.
inline image expected(const std::optional<corners>& box, const std::optional<corners>& band) {
    return render(client_w, client_h, [&](HDC dc) {
        if (box) {
            SelectObject(dc, GetStockObject(BLACK_BRUSH));
            Rectangle(dc, box->a.x, box->a.y, box->b.x, box->b.y);
        }
        if (band) {
            SetROP2(dc, R2_NOT);
            SelectObject(dc, GetStockObject(NULL_BRUSH));
            Rectangle(dc, band->a.x, band->a.y, band->b.x, band->b.y);
        }
    });
}

// The window as the program left it matches; on a mismatch both pictures are saved.
inline void expect_shows(HWND hwnd, const std::optional<corners>& box,
                         const std::optional<corners>& band, const char* what) {
    image shown = capture_client(hwnd), ref = expected(box, band);
    int bad = ink_mismatch(shown, ref, RECT{0, 0, client_w, client_h});
    EXPECT_EQ(bad, 0) << what;
    if (bad) save_pair(shown, ref, L"rubber-band");
}

inline HWND launch_band(app& a, const wchar_t* name, const wchar_t* caption) {
    HWND hwnd = launch(a, name);
    if (!hwnd) return nullptr;
    EXPECT_EQ(text_of(hwnd), caption);
    SetWindowPos(hwnd, nullptr, 120, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    set_client_size(hwnd, client_w, client_h);
    park_cursor();
    return hwnd;
}

// Drags in every direction give the box between their corners; during a drag the band shows over
// the previous box, which stays until the release, and the cursor is a cross until then.
inline void drags_in_every_direction_give_the_same_box(const wchar_t* name,
                                                       const wchar_t* caption) {
    app a;
    HWND hwnd = launch_band(a, name, caption);
    ASSERT_NE(hwnd, nullptr);
    expect_shows(hwnd, std::nullopt, std::nullopt, "blank at start");
    const corners drags[] = {
        {{40, 30}, {200, 150}},  // down and right
        {{200, 150}, {40, 30}},  // up and left: the same box
        {{330, 40}, {120, 260}}, // down and left
        {{60, 280}, {360, 90}},  // up and right
    };
    std::optional<corners> box;
    for (const corners& d : drags) {
        const POINT mid{(d.a.x + d.b.x) / 2, (d.a.y + d.b.y) / 2};
        button_down(hwnd, d.a);
        glide(hwnd, d.a, mid, 2);
        expect_shows(hwnd, box, corners{d.a, mid}, "the band half-way, over the old box");
        EXPECT_EQ(cursor_at_rest(hwnd), L"cross 0");
        glide(hwnd, mid, d.b, 2);
        button_up(hwnd, d.b);
        box = d;
        expect_shows(hwnd, box, std::nullopt, "the box after the release");
        EXPECT_EQ(cursor_at_rest(hwnd), L"arrow 0");
    }
}

// Escape in the middle of a drag takes the band away and keeps the previous box; the rest of that
// drag draws nothing. Escape when not dragging does nothing.
inline void escape_cancels_the_drag_and_keeps_the_box(const wchar_t* name, const wchar_t* caption) {
    app a;
    HWND hwnd = launch_band(a, name, caption);
    ASSERT_NE(hwnd, nullptr);
    const corners first{{50, 40}, {150, 120}};
    drag(hwnd, first.a, first.b);
    expect_shows(hwnd, first, std::nullopt, "the first box");

    button_down(hwnd, {300, 250});
    glide(hwnd, {300, 250}, {200, 180}, 3);
    expect_shows(hwnd, first, corners{{300, 250}, {200, 180}}, "band and box");
    send_input_keys(hwnd, {VK_ESCAPE});
    drain(hwnd);
    expect_shows(hwnd, first, std::nullopt, "Escape took the band away");
    EXPECT_EQ(cursor_at_rest(hwnd), L"arrow 0");
    glide(hwnd, {200, 180}, {100, 200}, 2);
    button_up(hwnd, {100, 200});
    expect_shows(hwnd, first, std::nullopt, "the rest of the drag did nothing");
    send_input_keys(hwnd, {VK_ESCAPE});
    expect_shows(hwnd, first, std::nullopt, "Escape when not dragging");
}

} // namespace rubber_band_scenarios
