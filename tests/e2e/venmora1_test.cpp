// Venmora1: three subclassed scroll bars on a white panel in the left half; the right half shows
// the mixed colour.
#include "harness/dialogs.h"
#include "harness/probe.h"

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
    // Where the controls stand in the left half: each bar with its label above and value below.
    RECT client;
    GetClientRect(c.hwnd, &client);
    const int w = client.right, h = client.bottom, cy = HIWORD(GetDialogBaseUnits());
    for (int i = 0; i < 3; i++) {
        SCOPED_TRACE(i);
        const int x = (4 * i + 1) * w / 28;
        const RECT want[3] = {
            {(2 * i + 1) * w / 14, 2 * cy, (2 * i + 1) * w / 14 + w / 14, h - 2 * cy},
            {x, cy / 2, x + w / 7, cy / 2 + cy},
            {x, h - 3 * cy / 2, x + w / 7, h - cy / 2}};
        const HWND controls[3] = {c.bars[i], c.labels[i], c.values[i]};
        for (int k = 0; k < 3; k++) {
            const RECT r = rect_in(c.hwnd, controls[k]);
            EXPECT_TRUE(EqualRect(&r, &want[k])) << "control " << k << " at " << r.left << ","
                                                 << r.top << " to " << r.right << "," << r.bottom;
        }
    }
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
