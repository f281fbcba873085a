// Venmora1: three subclassed scroll bars on a white panel in the left half; the right half shows
// the mixed colour.
#include "harness/dialogs.h"
#include "harness/probe.h"

#include <algorithm>

using namespace harness;

namespace {

const uint32_t primary[3] = {0xFF0000, 0x00FF00, 0x0000FF};

struct colour_bars {
    app a;
    HWND hwnd = nullptr;
    HWND bars[3] = {}, labels[3] = {}, values[3] = {};
    int value[3] = {0, 0, 0};

    void start() {
        hwnd = launch(a, L"venmora1");
        ASSERT_NE(hwnd, nullptr);
        resize(hwnd, 560, 400);
        for (int i = 0; i < 3; i++) {
            bars[i] = GetDlgItem(hwnd, i);
            labels[i] = GetDlgItem(hwnd, 3 + i);
            values[i] = GetDlgItem(hwnd, 6 + i);
            ASSERT_EQ(class_of(bars[i]), L"ScrollBar");
        }
    }

    // Values under the bars, the thumbs, the colour in the right half, the white panel in the
    // left half, labels and values written in their bar's colour, and each bar's shaft (all of
    // the bar but its arrows and thumb) painted in that colour.
    void expect_shown() {
        image shown = capture_client(hwnd);
        const uint32_t colour = uint32_t(value[0] << 16 | value[1] << 8 | value[2]);
        const int w = shown.width, h = shown.height;
        for (int i = 0; i < 3; i++) {
            SCOPED_TRACE(i);
            EXPECT_EQ(text_of(values[i]), std::to_wstring(value[i]));
            EXPECT_EQ(read_scroll(bars[i], SB_CTL).pos, value[i]);
            EXPECT_GT(count_px(shown, rect_in(hwnd, labels[i]), primary[i]), 5);
            EXPECT_GT(count_px(shown, rect_in(hwnd, values[i]), primary[i]), 5);
            const RECT bar = rect_in(hwnd, bars[i]);
            EXPECT_GT(count_px(shown, bar, primary[i]),
                      (bar.right - bar.left) * (bar.bottom - bar.top) / 2)
                << "the shaft";
        }
        for (POINT p : {POINT{w / 2, 0}, POINT{w - 1, h - 1}, POINT{3 * w / 4, h / 2}})
            EXPECT_EQ(shown.at(p.x, p.y), colour) << "at " << p.x << ", " << p.y;
        for (POINT p : {POINT{0, h / 2}, POINT{w / 2 - 1, h - 1}, POINT{5 * w / 28, h / 2}})
            EXPECT_EQ(shown.at(p.x, p.y), 0xFFFFFFu) << "at " << p.x << ", " << p.y;
    }
};

// Where the user sees the controls, found on the screen: three bars in their colours across the
// middle row of the left half, red, green, blue, of one width and as far apart as they are wide,
// the middle one in the middle of the half; each spanning the same height with equal margins
// above and below, its label's letters above it and its value's below, centred on it.
void expect_layout_seen(const image& shown) {
    const int w = shown.width, h = shown.height, middle = h / 2;
    struct run {
        uint32_t colour;
        int left, right;
    };
    std::vector<run> runs;
    for (int x = 0; x < w / 2; x++) {
        const uint32_t px = shown.at(x, middle);
        if (px != primary[0] && px != primary[1] && px != primary[2]) continue;
        if (runs.empty() || runs.back().colour != px || runs.back().right != x)
            runs.push_back(run{px, x, x + 1});
        else
            runs.back().right = x + 1;
    }
    ASSERT_EQ(runs.size(), 3u) << "three coloured bars across the middle of the left half";
    const int width = runs[0].right - runs[0].left;
    EXPECT_NEAR(width, w / 14.0, 1.0) << "a fourteenth of the window";
    for (int i = 0; i < 3; i++) {
        SCOPED_TRACE(i);
        const run& bar = runs[size_t(i)];
        EXPECT_EQ(bar.colour, primary[i]);
        EXPECT_NEAR(bar.right - bar.left, width, 1);
        if (i) {
            EXPECT_NEAR(bar.left - runs[size_t(i) - 1].right, width, 1) << "the gap";
        }
        // Up and down from the middle, the bar (arrows and thumb included) reaches as far as
        // rows with something other than the white panel across its width go.
        const auto in_bar = [&](int y) {
            for (int col = bar.left; col < bar.right; col++)
                if (shown.at(col, y) != 0xFFFFFF) return true;
            return false;
        };
        int top = middle, bottom = middle;
        while (top > 0 && in_bar(top - 1))
            top--;
        while (bottom < h && in_bar(bottom))
            bottom++;
        EXPECT_NEAR(top, h - bottom, 1) << "equal margins above and below";
        EXPECT_GT(top, 0);
        // The letters' extent in the bar's colour, in the band twice the bar's width about it.
        const auto letters = [&](int from, int to) {
            RECT r{w, h, 0, 0};
            for (int y = from; y < to; y++)
                for (int col = std::max(0, bar.left - width / 2); col < bar.right + width / 2;
                     col++)
                    if (shown.at(col, y) == primary[i]) {
                        r.left = std::min<LONG>(r.left, col);
                        r.right = std::max<LONG>(r.right, col + 1);
                    }
            return r;
        };
        for (const RECT& ink : {letters(0, top), letters(bottom, h)}) {
            ASSERT_GT(ink.right, ink.left) << "letters in the bar's colour above and below it";
            EXPECT_NEAR((ink.left + ink.right) / 2.0, (bar.left + bar.right) / 2.0, 2.0)
                << "centred on the bar";
        }
    }
    EXPECT_NEAR((runs[1].left + runs[1].right) / 2.0, w / 4.0, 1.0) << "the middle of the half";
}

} // namespace

TEST(venmora1, keys_move_the_bars_and_mix_the_colour_in_the_right_half) {
    colour_bars c;
    c.start();
    ASSERT_NE(c.hwnd, nullptr);
    EXPECT_EQ(text_of(c.hwnd), L"Color Scroll");
    const wchar_t* names[3] = {L"Red", L"Green", L"Blue"};
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(text_of(c.labels[i]), names[i]);
        scroll_state s = read_scroll(c.bars[i], SB_CTL);
        EXPECT_EQ(s.min, 0);
        EXPECT_EQ(s.max, 255);
    }
    expect_layout_seen(capture_client(c.hwnd));
    c.expect_shown(); // black, three zeros

    const struct {
        int bar;
        UINT key;
        int value;
    } steps[] = {
        {0, VK_DOWN, 1},   {0, VK_DOWN, 2},    {0, VK_UP, 1},    {0, VK_PRIOR, 0},
        {0, VK_UP, 0},     {0, VK_NEXT, 16},   {0, VK_END, 255}, {0, VK_NEXT, 255},
        {0, VK_DOWN, 255}, {0, VK_PRIOR, 239}, {1, VK_NEXT, 16}, {1, VK_DOWN, 17},
        {2, VK_END, 255},  {2, VK_UP, 254},    {0, VK_HOME, 0},  {2, VK_NEXT, 255},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE("bar " + std::to_string(s.bar) + " key " + std::to_string(s.key));
        post_key(c.bars[s.bar], s.key);
        c.value[s.bar] = s.value;
        c.expect_shown();
    }
    // A dragged thumb, then scroll messages of windows that are none of the bars.
    PostMessageW(c.hwnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 128),
                 reinterpret_cast<LPARAM>(c.bars[1]));
    c.value[1] = 128;
    c.expect_shown();
    PostMessageW(c.hwnd, WM_VSCROLL, SB_LINEDOWN, 0);
    PostMessageW(c.hwnd, WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(c.values[0]));
    c.expect_shown();
    EXPECT_TRUE(c.a.running());
}

TEST(venmora1, tab_and_shift_tab_wrap_among_the_bars) {
    colour_bars c;
    c.start();
    ASSERT_NE(c.hwnd, nullptr);
    EXPECT_EQ(read_gui_state(c.hwnd).focus, c.bars[0]);
    const struct {
        std::vector<WORD> keys;
        int focus;
    } steps[] = {
        {{VK_TAB}, 1},           {{VK_TAB}, 2},           {{VK_TAB}, 0}, // wraps
        {{VK_SHIFT, VK_TAB}, 2}, {{VK_SHIFT, VK_TAB}, 1}, {{VK_SHIFT, VK_TAB}, 0},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE("to bar " + std::to_string(s.focus));
        send_input_keys(c.hwnd, s.keys);
        drain(c.hwnd);
        EXPECT_EQ(read_gui_state(c.hwnd).focus, c.bars[s.focus]);
    }
    // Keys reach the bar that has the focus.
    send_input_keys(c.hwnd, {VK_TAB});
    send_input_keys(c.hwnd, {VK_DOWN});
    c.value[1] = 1;
    c.expect_shown();
}

TEST(venmora1, one_background_brush_at_a_time) {
    colour_bars c;
    c.start();
    ASSERT_NE(c.hwnd, nullptr);
    EXPECT_EQ(gdi_net(c.hwnd), 0);
    post_key(c.bars[0], VK_DOWN, 60);
    post_key(c.bars[0], VK_UP, 20);
    post_key(c.bars[2], VK_NEXT, 20);
    c.value[0] = 40;
    c.value[2] = 255;
    c.expect_shown();
    EXPECT_EQ(gdi_net(c.hwnd), 0);
}

// The labels and values sit on the highlight colour: when the user changes it, they follow, and
// the brush made for the old colour is deleted.
TEST(venmora1, labels_follow_a_change_of_the_highlight_colour) {
    colour_bars c;
    c.start();
    ASSERT_NE(c.hwnd, nullptr);
    EXPECT_EQ(gdi_net(c.hwnd), 0);
    const struct {
        int query;
        uint32_t background;
    } steps[] = {{PROBE_SYSCOLOR_HIGHLIGHT, 0xFFFFA0}, {PROBE_SYSCOLOR_RESTORE, 0xFFFFFF}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.query);
        probe(c.hwnd, s.query);
        image shown = capture_client(c.hwnd);
        for (int i = 0; i < 3; i++)
            for (HWND label : {c.labels[i], c.values[i]}) {
                RECT r = rect_in(c.hwnd, label);
                EXPECT_EQ(shown.at(r.left, r.top), s.background);
                EXPECT_EQ(shown.at(r.right - 1, r.bottom - 1), s.background);
                EXPECT_GT(count_px(shown, r, primary[i]), 5);
            }
    }
    EXPECT_EQ(gdi_net(c.hwnd), 0);
}
