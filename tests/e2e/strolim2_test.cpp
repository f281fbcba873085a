#include "keyview.h"

using namespace harness;
using namespace keyview;

// The font the viewer makes for a character set.
struct charset_font {
    HFONT font;
    explicit charset_font(DWORD char_set)
        : font(CreateFontW(0, 0, 0, 0, 0, 0, 0, 0, char_set, 0, 0, 0, FIXED_PITCH, nullptr)) {}
    ~charset_font() { DeleteObject(font); }
};

TEST(strolim2, class_caption_a_key_press_and_a_full_window_in_the_default_character_set) {
    app a;
    HWND hwnd = launch_viewer(a, L"strolim2");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(class_of(hwnd), L"strolim2");
    EXPECT_EQ(text_of(hwnd), L"Keyboard Message Viewer #2");
    post(hwnd, {WM_KEYDOWN, 'B', key_lp('B', false)});
    drain(hwnd); // the character message is queued before the key goes up
    post(hwnd, {WM_KEYUP, 'B', key_lp('B', true)});
    charset_font f(DEFAULT_CHARSET);
    expect_view(hwnd, f.font,
                {{WM_KEYUP, 'B', key_lp('B', true)},
                 {WM_CHAR, 'b', key_lp('B', false)},
                 {WM_KEYDOWN, 'B', key_lp('B', false)}},
                L"strolim2-key");
    // More lines than rows: the oldest ones go off the top, none over the header.
    resize(hwnd, 640, 300);
    std::vector<logged> lines;
    for (int i = 0; i < 40; i++) {
        logged m{WM_CHAR, WPARAM(L'!' + i), uint32_t((i % 5 + 1) | (i << 16))};
        post(hwnd, m);
        lines.insert(lines.begin(), m);
    }
    expect_view(hwnd, f.font, lines, L"strolim2-many");
}

TEST(strolim2, input_language_change_answers_1_and_starts_over_in_the_new_font) {
    app a;
    HWND hwnd = launch_viewer(a, L"strolim2");
    ASSERT_NE(hwnd, nullptr);
    post_key(hwnd, 'C');
    drain(hwnd); // the key is logged before the change: a sent message overtakes posted input
    // The symbol character set gives a font of its own here, so the change shows.
    charset_font symbol(SYMBOL_CHARSET), standard(DEFAULT_CHARSET);
    image a_ref = expected_view(600, 100, symbol.font, {});
    image b_ref = expected_view(600, 100, standard.font, {});
    ASSERT_GT(ink_mismatch(a_ref, b_ref, RECT{0, 0, 600, 100}), 100);

    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutW(hwnd, WM_INPUTLANGCHANGE, SYMBOL_CHARSET,
                                    LPARAM(GetKeyboardLayout(0)), SMTO_ABORTIFHUNG, 5000, &answer));
    EXPECT_EQ(answer, 1u);
    expect_view(hwnd, symbol.font, {}, L"strolim2-symbol");
    // New lines come in the new font, one row of that font apart.
    post(hwnd, {WM_CHAR, 'd', 0x00200001});
    expect_view(hwnd, symbol.font, {{WM_CHAR, 'd', 0x00200001}}, L"strolim2-symbol-line");
}
