// Venmora2: three scroll bars in a modeless dialog mix the main window's background colour.
#include "harness/checks.h"
#include "harness/dialogs.h"

using namespace harness;

namespace {

const int RED = 10, GREEN = 11, BLUE = 12;

struct colour_scroll {
    app a;
    HWND hwnd = nullptr, dlg = nullptr;
    int value[3] = {0, 0, 0};

    void start() {
        hwnd = launch(a, L"venmora2");
        ASSERT_NE(hwnd, nullptr);
        dlg = a.wait_dialog();
        ASSERT_NE(dlg, nullptr);
        settle(dlg);
    }
    HWND bar(int id) const { return GetDlgItem(dlg, id); }

    // The numbers under the bars, the thumbs, and the main window's colour where the dialog does
    // not cover it, all as `value` has them.
    void expect_shown() {
        // The posted key is taken first.
        wait_until([&] {
            for (int id = RED; id <= BLUE; id++)
                if (text_of(GetDlgItem(dlg, id + 3)) != std::to_wstring(value[id - RED]))
                    return false;
            return true;
        });
        for (int id = RED; id <= BLUE; id++) {
            EXPECT_EQ(text_of(GetDlgItem(dlg, id + 3)), std::to_wstring(value[id - RED]));
            EXPECT_EQ(read_scroll(bar(id), SB_CTL).pos, value[id - RED]);
            EXPECT_EQ(stale_scroll_bar_pixels(bar(id), SB_CTL), 0) << "the box where it stands";
        }
        image shown = capture_client(hwnd);
        const uint32_t colour = uint32_t(value[0] << 16 | value[1] << 8 | value[2]);
        EXPECT_EQ(shown.at(shown.width - 5, shown.height - 5), colour);
        EXPECT_EQ(shown.at(shown.width / 2, shown.height - 5), colour);
        EXPECT_EQ(shown.at(shown.width - 5, 2), colour);
    }
};

} // namespace

TEST(venmora2, keys_and_thumb_move_the_bars_and_mix_the_colour) {
    colour_scroll c;
    c.start();
    ASSERT_NE(c.dlg, nullptr);
    EXPECT_EQ(text_of(c.hwnd), L"Color Scroll");
    EXPECT_EQ(text_of(c.dlg), L"Color Scroll Scrollbars");
    EXPECT_EQ(GetWindow(c.dlg, GW_OWNER), c.hwnd);
    for (int id = RED; id <= BLUE; id++) {
        scroll_state s = read_scroll(c.bar(id), SB_CTL);
        EXPECT_EQ(s.min, 0);
        EXPECT_EQ(s.max, 255);
    }
    c.expect_shown(); // black, three zeros

    const struct {
        int id;
        UINT key;
        int value;
    } steps[] = {
        {RED, VK_DOWN, 1},    {RED, VK_DOWN, 2},   {RED, VK_UP, 1},      {RED, VK_PRIOR, 0},
        {RED, VK_UP, 0},      {RED, VK_NEXT, 16},  {RED, VK_NEXT, 32},   {RED, VK_END, 255},
        {RED, VK_NEXT, 255},  {RED, VK_DOWN, 255}, {RED, VK_PRIOR, 239}, {GREEN, VK_NEXT, 16},
        {GREEN, VK_DOWN, 17}, {BLUE, VK_END, 255}, {BLUE, VK_UP, 254},   {BLUE, VK_PRIOR, 238},
        {RED, VK_HOME, 0},    {GREEN, VK_HOME, 0}, {BLUE, VK_NEXT, 254}, {BLUE, VK_NEXT, 255},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE("bar " + std::to_string(s.id) + " key " + std::to_string(s.key));
        post_key(c.bar(s.id), s.key);
        c.value[s.id - RED] = s.value;
        c.expect_shown();
    }
    // Dragging a thumb: the value follows the track position, then the final position.
    PostMessageW(c.dlg, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 100),
                 reinterpret_cast<LPARAM>(c.bar(GREEN)));
    c.value[1] = 100;
    c.expect_shown();
    PostMessageW(c.dlg, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 255),
                 reinterpret_cast<LPARAM>(c.bar(RED)));
    c.value[0] = 255;
    c.expect_shown();
    // Scroll messages naming no bar of the dialog, or another control, change nothing.
    PostMessageW(c.dlg, WM_VSCROLL, SB_LINEUP, 0);
    PostMessageW(c.dlg, WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(GetDlgItem(c.dlg, 13)));
    PostMessageW(c.dlg, WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(c.hwnd));
    c.expect_shown();
    EXPECT_TRUE(c.a.running());
}

TEST(venmora2, tab_and_mnemonics_move_among_the_bars) {
    colour_scroll c;
    c.start();
    ASSERT_NE(c.dlg, nullptr);
    SetForegroundWindow(c.dlg);
    settle(c.dlg);
    EXPECT_EQ(read_gui_state(c.dlg).focus, c.bar(RED));
    const struct {
        std::vector<WORD> keys;
        int focus;
    } steps[] = {
        {{VK_TAB}, GREEN},          {{VK_TAB}, BLUE}, {{VK_TAB}, RED}, // wraps
        {{VK_SHIFT, VK_TAB}, BLUE}, {{'R'}, RED},     {{'B'}, BLUE},   {{'G'}, GREEN},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE("to bar " + std::to_string(s.focus));
        send_input_keys(c.dlg, s.keys);
        drain(c.hwnd);
        EXPECT_EQ(read_gui_state(c.dlg).focus, c.bar(s.focus));
    }
    // Keys reach the bar that has the focus (green).
    send_input_keys(c.dlg, {VK_DOWN});
    c.value[1] = 1;
    c.expect_shown();
}

TEST(venmora2, one_background_brush_at_a_time) {
    colour_scroll c;
    c.start();
    ASSERT_NE(c.dlg, nullptr);
    EXPECT_EQ(gdi_net(c.hwnd), 0);
    post_key(c.bar(GREEN), VK_DOWN, 60);
    post_key(c.bar(GREEN), VK_UP, 20);
    post_key(c.bar(BLUE), VK_NEXT, 20);
    c.value[1] = 40;
    c.value[2] = 255;
    c.expect_shown();
    EXPECT_EQ(gdi_net(c.hwnd), 0);
}
