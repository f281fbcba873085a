#include "harness/checks.h"
#include "keyview.h"

using namespace harness;
using namespace keyview;

static HFONT fixed_font() {
    return static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT));
}

TEST(strolim1, class_caption_and_empty_log_under_the_header) {
    app a;
    HWND hwnd = launch_viewer(a, L"strolim1");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(class_of(hwnd), L"strolim1");
    EXPECT_EQ(text_of(hwnd), L"Keyboard Message Viewer #1");
    expect_view(hwnd, fixed_font(), {}, L"strolim1-empty");
}

TEST(strolim1, pressing_and_releasing_a_key_logs_three_lines) {
    app a;
    HWND hwnd = launch_viewer(a, L"strolim1");
    ASSERT_NE(hwnd, nullptr);
    // The loop translates the key-down into the character message.
    post(hwnd, {WM_KEYDOWN, 'A', key_lp('A', false)});
    drain(hwnd); // the character message is queued before the key goes up
    post(hwnd, {WM_KEYUP, 'A', key_lp('A', true)});
    std::vector<logged> lines = {{WM_KEYUP, 'A', key_lp('A', true)},
                                 {WM_CHAR, 'a', key_lp('A', false)},
                                 {WM_KEYDOWN, 'A', key_lp('A', false)}};
    EXPECT_EQ(line_of(lines[0]).substr(52), L" Down Up  ");
    EXPECT_EQ(line_of(lines[1]).substr(25, 7), L"$0061 a");
    expect_view(hwnd, fixed_font(), lines, L"strolim1-key");
    // A change of the display starts the log afresh, and the screen shows it empty.
    PostMessageW(hwnd, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    expect_view(hwnd, fixed_font(), {}, L"strolim1-display-change");
}

TEST(strolim1, held_key_repeats_with_previous_state_down) {
    app a;
    HWND hwnd = launch_viewer(a, L"strolim1");
    ASSERT_NE(hwnd, nullptr);
    const uint32_t ext = 1u << 24; // the arrow keys are extended keys
    std::vector<logged> lines = {{WM_KEYDOWN, VK_RIGHT, key_lp(VK_RIGHT, false, false, ext)},
                                 {WM_KEYDOWN, VK_RIGHT, key_lp(VK_RIGHT, false, true, ext)},
                                 {WM_KEYDOWN, VK_RIGHT, key_lp(VK_RIGHT, false, true, ext)},
                                 {WM_KEYUP, VK_RIGHT, key_lp(VK_RIGHT, true, false, ext)}};
    for (const auto& m : lines)
        post(hwnd, m);
    std::reverse(lines.begin(), lines.end());
    EXPECT_EQ(line_of(lines[1]).substr(44), L" Yes No  Down Down");
    expect_view(hwnd, fixed_font(), lines, L"strolim1-held");
}

TEST(strolim1, older_lines_move_up_and_only_whole_rows_are_used) {
    app a;
    HWND hwnd = launch_viewer(a, L"strolim1");
    ASSERT_NE(hwnd, nullptr);
    resize(hwnd, 640, 300); // a height that leaves a part row at the bottom
    std::vector<logged> lines;
    for (int i = 0; i < 60; i++) {
        logged m{WM_CHAR, WPARAM(L'!' + i), uint32_t((i % 5 + 1) | (i << 16))};
        post(hwnd, m);
        lines.insert(lines.begin(), m);
    }
    expect_view(hwnd, fixed_font(), lines, L"strolim1-many");
}

TEST(strolim1, window_shorter_than_two_lines_shows_only_the_header) {
    app a;
    HWND hwnd = launch_viewer(a, L"strolim1");
    ASSERT_NE(hwnd, nullptr);
    post_key(hwnd, 'Q');
    RECT outer, inner;
    GetWindowRect(hwnd, &outer);
    GetClientRect(hwnd, &inner);
    const int cy = char_height(fixed_font());
    const int frame = (outer.bottom - outer.top) - inner.bottom;
    resize(hwnd, 640, frame + cy + cy / 2);
    image shown = capture_client(hwnd);
    ASSERT_LT(shown.height, 2 * cy);
    ASSERT_GE(shown.height, cy);
    RECT ink = bounds(shown, is_dark);
    EXPECT_LE(ink.bottom, cy); // nothing below the header row
    image ref = expected_view(shown.width, shown.height, fixed_font(), {});
    EXPECT_EQ(ink_mismatch(shown, ref, RECT{0, 0, shown.width, shown.height}), 0);
}

TEST(strolim1, alt_keys_are_logged_and_still_reach_the_system) {
    app a;
    HWND hwnd = launch_viewer(a, L"strolim1");
    ASSERT_NE(hwnd, nullptr);
    const uint32_t alt = 1u << 29;
    std::vector<logged> lines = {{WM_SYSDEADCHAR, L'^', 0x20280001},
                                 {WM_SYSKEYUP, VK_F3, key_lp(VK_F3, true, false, alt)},
                                 {WM_SYSKEYDOWN, VK_F3, key_lp(VK_F3, false, false, alt)}};
    post(hwnd, lines[2]);
    post(hwnd, lines[1]);
    post(hwnd, lines[0]);
    // The longest message name is shown whole.
    EXPECT_EQ(line_of(lines[0]).substr(0, 26), L"WM_SYSDEADCHAR           $");
    EXPECT_EQ(line_of(lines[2]).substr(44, 8), L" No  Yes");
    expect_view(hwnd, fixed_font(), lines, L"strolim1-alt");
    // Alt+F4, typed for real: logged, then the system closes the window.
    send_input_keys(hwnd, {VK_MENU, VK_F4});
    expect_exits_with_0(a);
}
