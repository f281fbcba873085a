// The clover as a user sees it: lines from the centre only where exactly one leaf covers the
// window, none where a leaf of the horizontal pair and one of the vertical pair overlap, none
// outside the leaves. The region is rebuilt at every size without leaking regions or leaving the
// wait cursor shown, and without a region nothing is drawn.
#include "drawing_support.h"
#include "harness/checks.h"
#include "harness/probe.h"

#include <math.h>

using namespace drawing;

namespace {

struct leaves {
    HRGN left, right, top, bottom;
    leaves(int w, int h)
        : left(CreateEllipticRgn(0, h / 3, w / 2, 2 * h / 3)),
          right(CreateEllipticRgn(w / 2, h / 3, w, 2 * h / 3)),
          top(CreateEllipticRgn(w / 3, 0, 2 * w / 3, h / 2)),
          bottom(CreateEllipticRgn(w / 3, h / 2, 2 * w / 3, h)) {}
    ~leaves() {
        for (HRGN r : {left, right, top, bottom})
            DeleteObject(r);
    }
    // Covered by a leaf of exactly one of the two pairs.
    bool single(int x, int y) const {
        const bool across = PtInRegion(left, x, y) || PtInRegion(right, x, y);
        const bool upright = PtInRegion(top, x, y) || PtInRegion(bottom, x, y);
        return across != upright;
    }
};

image clover(int w, int h) {
    return render(w, h, [&](HDC dc) {
        leaves l(w, h);
        HRGN across = CreateRectRgn(0, 0, 1, 1), upright = CreateRectRgn(0, 0, 1, 1),
             clip = CreateRectRgn(0, 0, 1, 1);
        CombineRgn(across, l.left, l.right, RGN_OR);
        CombineRgn(upright, l.top, l.bottom, RGN_OR);
        CombineRgn(clip, across, upright, RGN_XOR);
        SelectClipRgn(dc, clip);
        SetViewportOrgEx(dc, w / 2, h / 2, nullptr);
        const double radius = pow(w / 2.0 * (w / 2.0) + h / 2.0 * (h / 2.0), 0.5);
        for (int a = 0; a < 360; a++) {
            const double angle = a * 0.017453277777777776; // 6.28318 / 360
            MoveToEx(dc, 0, 0, nullptr);
            LineTo(dc, int(radius * cos(angle) + 0.5), int(-radius * sin(angle) + 0.5));
        }
        for (HRGN r : {across, upright, clip})
            DeleteObject(r);
    });
}

void expect_clover(const image& shown) {
    const int w = shown.width, h = shown.height;
    SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
    expect_same_picture(shown, clover(w, h), L"clover");
    leaves l(w, h);
    int stray = 0;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            stray += is_dark(shown.at(x, y)) && !l.single(x, y);
    EXPECT_EQ(stray, 0) << "lines outside the leaves or where two leaves overlap";
    // On the axes inside one leaf only: lines. Around the centre and outside: none.
    EXPECT_TRUE(is_dark(shown.at(w / 8, h / 2)));
    EXPECT_TRUE(is_dark(shown.at(7 * w / 8, h / 2)));
    EXPECT_TRUE(is_dark(shown.at(w / 2, h / 8)));
    EXPECT_TRUE(is_dark(shown.at(w / 2, 7 * h / 8)));
    // Off the axes near the centre, a leaf of each pair covers: hollow.
    for (int dx : {-1, 1})
        for (int dy : {-1, 1}) {
            const int x = w / 2 + dx * w / 20, y = h / 2 + dy * h / 20;
            EXPECT_TRUE(is_white(shown.at(x, y))) << "at " << x << ", " << y;
        }
    EXPECT_TRUE(is_white(shown.at(w / 10, h / 10)));
}

TEST(clover, lines_only_where_exactly_one_leaf_covers) {
    app a;
    HWND hwnd = launch(a, L"clover");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Draw a Clover");
    for (SIZE s : {SIZE{600, 450}, SIZE{301, 599}, SIZE{900, 200}}) {
        resize_client(hwnd, s.cx, s.cy);
        expect_clover(capture_client(hwnd));
    }
    expect_closes_with_0(a, hwnd);
}

// Forty sizes: each rebuild deletes the old region and its temporaries, and shows the hourglass
// for its time, then puts back the cursor it found, at the display count it found.
TEST(clover, rebuilding_at_every_size_leaks_nothing) {
    app a;
    HWND hwnd = launch(a, L"clover");
    ASSERT_NE(hwnd, nullptr);
    const int gdi_before = gdi_net(hwnd);
    const std::wstring cursor_before = cursor_at_rest(hwnd);
    const std::wstring rebuild =
        L"wait show " + cursor_before.substr(0, cursor_before.find(L' ')) + L" hide";
    cursor_calls(hwnd);
    for (int i = 0; i < 40; i++)
        SetWindowPos(hwnd, nullptr, 0, 0, 300 + 9 * i, 500 - 5 * i, SWP_NOMOVE | SWP_NOZORDER);
    resize_client(hwnd, 480, 360);
    expect_clover(capture_client(hwnd));
    EXPECT_EQ(gdi_net(hwnd), gdi_before);
    const std::wstring calls = cursor_calls(hwnd);
    EXPECT_GE(calls.size(), 40 * (rebuild.size() + 1));
    for (size_t at = 0; at < calls.size(); at += rebuild.size() + 1)
        ASSERT_EQ(calls.substr(at, rebuild.size()), rebuild) << "at " << at << " of " << calls;
    EXPECT_EQ(cursor_at_rest(hwnd), cursor_before);
}

// When the region cannot be built, the window stays blank instead of showing unclipped lines, and
// the next size that succeeds brings the clover back.
TEST(clover, no_lines_without_a_region) {
    app a;
    HWND hwnd = launch(a, L"clover");
    ASSERT_NE(hwnd, nullptr);
    const int gdi_before = gdi_net(hwnd);
    ASSERT_EQ(probe(hwnd, PROBE_REGIONS_FAIL), L"1");
    resize_client(hwnd, 500, 400);
    const image blank = capture_client(hwnd);
    EXPECT_EQ(bounds(blank, [](uint32_t px) { return !is_white(px); }).right, 0)
        << "drawn without a region";
    // The old region deleted and nothing new kept.
    EXPECT_EQ(gdi_net(hwnd), gdi_before - 1) << "what was made before the failure is deleted";
    ASSERT_EQ(probe(hwnd, PROBE_REGIONS_WORK), L"1");
    resize_client(hwnd, 520, 420);
    expect_clover(capture_client(hwnd));
    EXPECT_EQ(gdi_net(hwnd), gdi_before);
}

} // namespace
