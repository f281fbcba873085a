#include "harness/harness.h"
#include "harness/ink.h"

#include <string>
#include <vector>

using namespace harness;

namespace {

// The typing font, as the program makes it.
struct typer_font {
    HFONT font;
    int cx = 0, cy = 0;
    explicit typer_font(DWORD char_set = DEFAULT_CHARSET)
        : font(CreateFontW(0, 0, 0, 0, 0, 0, 0, 0, char_set, 0, 0, 0, FIXED_PITCH, nullptr)) {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICW tm;
        GetTextMetricsW(dc, &tm);
        cx = tm.tmAveCharWidth;
        cy = tm.tmHeight;
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    ~typer_font() { DeleteObject(font); }
};

struct typer_window {
    app a;
    HWND hwnd = nullptr;
    typer_font f;
    int cols = 0, rows = 0;

    bool open() {
        hwnd = launch(a, L"typer");
        if (!hwnd) return false;
        measure();
        return true;
    }
    void measure() {
        RECT r;
        GetClientRect(hwnd, &r);
        cols = std::max(1, int(r.right) / f.cx);
        rows = std::max(1, int(r.bottom) / f.cy);
    }
    void size_client(int width, int height) {
        RECT outer, inner;
        GetWindowRect(hwnd, &outer);
        GetClientRect(hwnd, &inner);
        resize(hwnd, width + (outer.right - outer.left) - inner.right,
               height + (outer.bottom - outer.top) - inner.bottom);
        measure();
    }
    void type(const std::wstring& s) {
        post_chars(hwnd, s);
        drain(hwnd);
    }
    void key(UINT vk, int times = 1) {
        for (int i = 0; i < times; i++)
            PostMessageW(hwnd, WM_KEYDOWN, vk, 1);
        drain(hwnd);
    }
    POINT caret_cell() {
        drain(hwnd);
        gui_state s = read_gui_state(hwnd);
        EXPECT_EQ(s.caret_owner, hwnd);
        EXPECT_EQ(s.caret.right - s.caret.left, f.cx);
        EXPECT_EQ(s.caret.bottom - s.caret.top, f.cy);
        EXPECT_EQ(s.caret.left % f.cx, 0);
        EXPECT_EQ(s.caret.top % f.cy, 0);
        return POINT{s.caret.left / f.cx, s.caret.top / f.cy};
    }
    // The caret shows on the screen: within two of its blinks its cell is seen dark at least once
    // (the cell itself is blank).
    bool caret_shows() {
        drain(hwnd);
        RECT r = read_gui_state(hwnd).caret;
        MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
        const DWORD start = GetTickCount(), period = GetCaretBlinkTime();
        do {
            const image cell = capture_screen(r);
            for (uint32_t px : cell.px)
                if (px == 0) return true;
            Sleep(20);
        } while (GetTickCount() - start < 2 * period + 200);
        return false;
    }
    // The grid should read `lines` (row by row, the rest blank); the caret cell is not compared
    // because the caret blinks there.
    void expect_grid(const std::vector<std::wstring>& lines, const wchar_t* name,
                     const typer_font* in = nullptr) {
        drain(hwnd);
        gui_state s = read_gui_state(hwnd);
        const typer_font& font = in ? *in : f;
        RECT client;
        GetClientRect(hwnd, &client);
        const int cols = std::max(1, int(client.right) / font.cx);
        const int rows = std::max(1, int(client.bottom) / font.cy);
        for (bool redraw : {false, true}) {
            image shown = redraw ? capture_repainted(hwnd) : capture_client(hwnd);
            ASSERT_GT(shown.width, 0);
            image ref = render(shown.width, shown.height, [&](HDC dc) {
                SelectObject(dc, font.font);
                for (int y = 0; y < rows; y++) {
                    std::wstring row = y < int(lines.size()) ? lines[y] : L"";
                    row.resize(cols, L' ');
                    TextOutW(dc, 0, y * font.cy, row.c_str(), cols);
                }
            });
            int bad = ink_mismatch_except(shown, ref, s.caret);
            EXPECT_EQ(bad, 0) << (redraw ? "after a full repaint" : "as typed");
            if (bad) save_pair(shown, ref, name);
        }
    }
};

} // namespace

TEST(typer, class_caption_and_typed_text_with_the_caret_after_it) {
    typer_window t;
    ASSERT_TRUE(t.open());
    EXPECT_EQ(class_of(t.hwnd), L"typer");
    EXPECT_EQ(text_of(t.hwnd), L"Typing Program");
    POINT c = t.caret_cell();
    EXPECT_EQ(c.x, 0);
    EXPECT_EQ(c.y, 0);
    t.type(L"Hello, caret");
    c = t.caret_cell();
    EXPECT_EQ(c.x, 12);
    EXPECT_EQ(c.y, 0);
    EXPECT_TRUE(t.caret_shows()) << "the caret stays hidden after typing";
    t.type(L"\rsecond\nthird");
    c = t.caret_cell();
    EXPECT_EQ(c.x, 11); // line feed keeps the column
    EXPECT_EQ(c.y, 2);
    t.expect_grid({L"Hello, caret", L"second", L"      third"}, L"typer-typed");
}

TEST(typer, cursor_keys_move_the_caret_within_the_grid) {
    typer_window t;
    ASSERT_TRUE(t.open());
    t.key(VK_LEFT);
    t.key(VK_UP);
    POINT c = t.caret_cell();
    EXPECT_EQ(c.x, 0);
    EXPECT_EQ(c.y, 0);
    t.key(VK_END);
    t.key(VK_NEXT);
    c = t.caret_cell();
    EXPECT_EQ(c.x, t.cols - 1);
    EXPECT_EQ(c.y, t.rows - 1);
    t.key(VK_RIGHT);
    t.key(VK_DOWN);
    c = t.caret_cell();
    EXPECT_EQ(c.x, t.cols - 1);
    EXPECT_EQ(c.y, t.rows - 1);
    t.key(VK_LEFT, 2);
    t.key(VK_UP, 3);
    c = t.caret_cell();
    EXPECT_EQ(c.x, t.cols - 3);
    EXPECT_EQ(c.y, t.rows - 4);
    t.key(VK_HOME);
    t.key(VK_PRIOR);
    t.key(VK_F5); // other keys change nothing
    c = t.caret_cell();
    EXPECT_EQ(c.x, 0);
    EXPECT_EQ(c.y, 0);
    t.key(VK_RIGHT, 2);
    t.key(VK_DOWN, 3);
    c = t.caret_cell();
    EXPECT_EQ(c.x, 2);
    EXPECT_EQ(c.y, 3);
}

TEST(typer, tab_writes_blanks_up_to_the_next_multiple_of_8) {
    typer_window t;
    ASSERT_TRUE(t.open());
    t.type(L"0123456789AB");
    t.key(VK_HOME);
    t.key(VK_RIGHT, 5);
    t.type(L"\t"); // three blanks over 5, 6 and 7
    EXPECT_EQ(t.caret_cell().x, 8);
    t.type(L"\r\t"); // at column 0: eight blanks
    POINT c = t.caret_cell();
    EXPECT_EQ(c.x, 8);
    EXPECT_EQ(c.y, 1);
    t.type(L"x");
    t.expect_grid({L"01234   89AB", L"        x"}, L"typer-tab");
}

TEST(typer, backspace_and_delete_pull_the_rest_of_the_row_left) {
    typer_window t;
    ASSERT_TRUE(t.open());
    t.type(L"abcdefgh");
    t.key(VK_LEFT, 3); // on f
    t.type(L"\b");     // removes e
    EXPECT_EQ(t.caret_cell().x, 4);
    t.key(VK_DELETE); // removes f
    EXPECT_EQ(t.caret_cell().x, 4);
    t.key(VK_HOME);
    t.type(L"\b"); // nothing at column 0
    EXPECT_EQ(t.caret_cell().x, 0);
    t.expect_grid({L"abcdgh"}, L"typer-delete");
}

TEST(typer, repeat_count_writes_the_character_that_many_times) {
    typer_window t;
    ASSERT_TRUE(t.open());
    PostMessageW(t.hwnd, WM_CHAR, L'z', 3);
    PostMessageW(t.hwnd, WM_CHAR, L'\t', 2); // two tabs: to 8, then to 16
    PostMessageW(t.hwnd, WM_CHAR, L'y', 1);
    EXPECT_EQ(t.caret_cell().x, 17);
    t.expect_grid({L"zzz             y"}, L"typer-repeat");
}

TEST(typer, typing_in_the_last_cell_wraps_to_the_top_left) {
    typer_window t;
    ASSERT_TRUE(t.open());
    t.key(VK_END);
    t.type(L"E");
    POINT c = t.caret_cell();
    EXPECT_EQ(c.x, 0);
    EXPECT_EQ(c.y, 1);
    t.key(VK_END);
    t.key(VK_NEXT);
    t.type(L"Z");
    c = t.caret_cell();
    EXPECT_EQ(c.x, 0);
    EXPECT_EQ(c.y, 0);
    std::vector<std::wstring> lines(t.rows);
    lines[0] = std::wstring(t.cols - 1, L' ') + L"E";
    lines[t.rows - 1] = std::wstring(t.cols - 1, L' ') + L"Z";
    t.expect_grid(lines, L"typer-wrap");
    // Enter on the last row wraps to the first as well.
    t.key(VK_NEXT);
    t.type(L"\r");
    c = t.caret_cell();
    EXPECT_EQ(c.y, 0);
}

TEST(typer, escape_and_resizing_clear_the_grid) {
    typer_window t;
    ASSERT_TRUE(t.open());
    t.type(L"gone soon\rand this");
    t.type(L"\x1b");
    POINT c = t.caret_cell();
    EXPECT_EQ(c.x, 0);
    EXPECT_EQ(c.y, 0);
    t.expect_grid({}, L"typer-escape");
    t.type(L"kept?");
    t.expect_grid({L"kept?"}, L"typer-before-resize");
    t.size_client(20 * t.f.cx + 3, 6 * t.f.cy + 5);
    EXPECT_EQ(t.cols, 20);
    EXPECT_EQ(t.rows, 6);
    c = t.caret_cell();
    EXPECT_EQ(c.x, 0);
    EXPECT_EQ(c.y, 0);
    t.expect_grid({}, L"typer-resized");
    // The new grid is 20 cells wide: the 21st character starts the second row.
    t.type(L"abcdefghijklmnopqrstU");
    c = t.caret_cell();
    EXPECT_EQ(c.x, 1);
    EXPECT_EQ(c.y, 1);
    t.expect_grid({L"abcdefghijklmnopqrst", L"U"}, L"typer-small");
}

TEST(typer, a_window_narrower_than_a_character_has_one_column) {
    typer_window t;
    ASSERT_TRUE(t.open());
    // The window manager keeps real windows wider than this; the size message is what counts.
    DWORD_PTR r;
    SendMessageTimeoutW(t.hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(t.f.cx / 2, 4 * t.f.cy),
                        SMTO_ABORTIFHUNG, 5000, &r);
    t.type(L"ab");
    POINT c = t.caret_cell();
    EXPECT_EQ(c.x, 0);
    EXPECT_EQ(c.y, 2);
    t.key(VK_RIGHT);
    t.key(VK_END);
    EXPECT_EQ(t.caret_cell().x, 0);
    t.key(VK_NEXT);
    EXPECT_EQ(t.caret_cell().y, 3);
}

TEST(typer, input_language_change_clears_and_uses_the_new_font) {
    typer_window t;
    ASSERT_TRUE(t.open());
    t.type(L"abc");
    DWORD_PTR r = 0;
    SendMessageTimeoutW(t.hwnd, WM_INPUTLANGCHANGE, SYMBOL_CHARSET, LPARAM(GetKeyboardLayout(0)),
                        SMTO_ABORTIFHUNG, 5000, &r);
    typer_font symbol(SYMBOL_CHARSET);
    t.expect_grid({}, L"typer-language", &symbol); // the typed text is gone from the screen too
    ASSERT_NE(symbol.cx, t.f.cx) << "the symbol character set should give another font here";
    // Cells are now as wide as the new font's characters.
    t.type(L"xy");
    gui_state s = read_gui_state(t.hwnd);
    EXPECT_EQ(s.caret.left, 2 * symbol.cx);
}
