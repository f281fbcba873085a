// What the three brick programs share as a user sees it: the same black-on-white wall of 8 x 8
// bricks over the whole client area at any size (the tiled ones from the client's top-left
// corner, the pattern brush wherever its origin puts it), and an empty window, still working,
// when the brick is missing from the program.
#pragma once

#include "harness/checks.h"
#include "harness/bitmap_demos.h"
#include "harness/dib_files.h"
#include "harness/probe.h"

#include <string>

namespace brick_walls {

using namespace harness;

// The class background as the class stores it: a system colour index + 1 or a brush handle.
inline long long class_background(HWND hwnd) {
    const std::wstring info = probe(hwnd, PROBE_CLASS_INFO);
    const size_t a = info.find(L'\t'), b = info.find(L'\t', a + 1);
    return std::stoll(info.substr(b + 1, info.find(L'\t', b + 1) - b - 1));
}

// Sizes chosen so that the wall is cut by the edges at every phase of a brick, wider and
// narrower, taller and lower than before (each size is a fresh paint of the whole area).
inline void shows_the_wall_at_any_size(const wchar_t* name, const wchar_t* caption,
                                       bool pattern_brush) {
    app a;
    HWND hwnd = launch_placed(a, name, 400, 300);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), caption);
    EXPECT_EQ(class_standard_icon(hwnd), L"application");
    EXPECT_EQ(class_background(hwnd) == COLOR_WINDOW + 1, !pattern_brush);
    EXPECT_EQ(gdi_net(hwnd), 0);
    const SIZE sizes[] = {{400, 300}, {203, 157}, {517, 333}, {301, 219}, {150, 90}};
    for (const SIZE& s : sizes) {
        const SIZE reached = resize_client(hwnd, s.cx, s.cy);
        SCOPED_TRACE(std::to_string(reached.cx) + "x" + std::to_string(reached.cy));
        const image shown = capture_client(hwnd);
        ASSERT_EQ(shown.width, reached.cx);
        POINT phase{0, 0};
        if (pattern_brush) {
            EXPECT_TRUE(brick_phase(shown, &phase)) << "not the brick wall at any phase";
        } else {
            std::string first;
            EXPECT_EQ(differing_pixels(shown, brick_wall(shown.width, shown.height), &first), 0)
                << first;
        }
    }
    // Every paint released its memory context.
    EXPECT_EQ(gdi_net(hwnd), 0);
    expect_closes_with_0(a, hwnd);
}

// Without its brick the program draws nothing (the window colour everywhere) instead of tiling
// forever with tiles of no size, and goes on answering: it repaints after a resize and closes.
inline void without_the_brick_draws_nothing(const wchar_t* name) {
    program_without_resource stripped(name, RT_BITMAP, L"HOLVARD");
    ASSERT_TRUE(stripped.removed());
    app a;
    HWND hwnd = launch_placed(a, name, 300, 200, stripped.path());
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(class_background(hwnd), COLOR_WINDOW + 1);
    for (const SIZE& s : {SIZE{300, 200}, SIZE{420, 260}}) {
        const SIZE reached = resize_client(hwnd, s.cx, s.cy);
        const image shown = capture_client(hwnd);
        EXPECT_EQ(shown.width, reached.cx);
        EXPECT_TRUE(all_of(shown, {0, 0, shown.width, shown.height}, window_colour()));
    }
    expect_closes_with_0(a, hwnd);
}

} // namespace brick_walls
