// brannic: its own text, shown wrapped, cut, copied and pasted through the clipboard in the
// Unicode text format, with a Linux program (xclip) on the other side of it.
#include "clip_text_view.h"
#include "harness/checks.h"
#include "harness/clip_peers.h"

using namespace harness;
using namespace clip_text_view;

namespace {

enum { CUT = 40001, COPY, PASTE, DELETE_, RESET };
const UINT flags = DT_WORDBREAK | DT_EXPANDTABS;
const std::wstring default_text = L"Default Text - Unicode Version";

struct brannic {
    app a;
    HWND hwnd = nullptr;
    bool open() {
        hwnd = launch(a, L"brannic");
        return hwnd != nullptr;
    }
    void command(int id) {
        PostMessageW(hwnd, WM_COMMAND, id, 0);
        drain(hwnd);
    }
    int shows(const std::wstring& text, const wchar_t* name) {
        return shows_text(hwnd, text, flags, name);
    }
    // The current text, as Copy gives it to the clipboard.
    std::wstring copied() {
        set_clipboard_text(L"(nothing copied)");
        command(COPY);
        return clipboard_text();
    }
};

} // namespace

TEST(brannic, menu_caption_and_default_text_wrapped_to_the_window) {
    brannic b;
    ASSERT_TRUE(b.open());
    EXPECT_EQ(text_of(b.hwnd), L"Clipboard Text Transfers - Unicode Version");
    EXPECT_TRUE(GetWindowLongW(b.hwnd, GWL_STYLE) & WS_CLIPCHILDREN);
    const auto menu = read_menu(b.hwnd);
    const std::vector<std::pair<int, std::wstring>> items = {{-1, L"&Edit"},
                                                             {CUT, L"Cu&t\tCtrl+X"},
                                                             {COPY, L"&Copy\tCtrl+C"},
                                                             {PASTE, L"&Paste\tCtrl+V"},
                                                             {DELETE_, L"De&lete\tDel"},
                                                             {0, L""},
                                                             {RESET, L"&Reset"}};
    ASSERT_EQ(menu.size(), items.size());
    for (size_t i = 0; i < items.size(); i++) {
        EXPECT_EQ(menu[i].id, items[i].first) << i;
        EXPECT_EQ(menu[i].text, items[i].second) << i;
    }
    EXPECT_EQ(b.shows(default_text, L"brannic-default"), 0);
    // Narrow, the text wraps at the words.
    resize(b.hwnd, 160, 200);
    EXPECT_EQ(b.shows(default_text, L"brannic-narrow"), 0);
}

// Each step as the user takes it, then what the window shows and how the menu greys.
TEST(brannic, delete_reset_and_the_menu_greying) {
    brannic b;
    ASSERT_TRUE(b.open());
    ASSERT_TRUE(set_clipboard_text(L"on the clipboard"));
    for (const wchar_t* item :
         {L"Cu&t\tCtrl+X", L"&Copy\tCtrl+C", L"De&lete\tDel", L"&Paste\tCtrl+V", L"&Reset"})
        EXPECT_FALSE(is_grey(b.hwnd, item)) << "enabled with a text and text on the clipboard";

    post_key(b.hwnd, VK_DELETE); // the accelerator
    drain(b.hwnd);
    EXPECT_EQ(b.shows(L"", L"brannic-deleted"), 0);
    for (const wchar_t* item : {L"Cu&t\tCtrl+X", L"&Copy\tCtrl+C", L"De&lete\tDel"})
        EXPECT_TRUE(is_grey(b.hwnd, item)) << "grey without a text";
    // Copy and Cut while another program holds the clipboard open: the text stays, and so does
    // the clipboard's.
    b.command(RESET);
    ASSERT_TRUE(OpenClipboard(nullptr));
    b.command(COPY);
    b.command(CUT);
    CloseClipboard();
    EXPECT_EQ(b.shows(default_text, L"brannic-held"), 0) << "nothing lost";
    EXPECT_EQ(clipboard_text(), L"on the clipboard") << "nothing changed";
    b.command(DELETE_);
    // Copy and Cut with no text leave the clipboard alone.
    b.command(COPY);
    b.command(CUT);
    EXPECT_EQ(clipboard_text(), L"on the clipboard");

    // No text on the clipboard: Paste is grey, and Ctrl+V changes nothing.
    ASSERT_TRUE(empty_clipboard());
    EXPECT_TRUE(is_grey(b.hwnd, L"&Paste\tCtrl+V"));
    ASSERT_TRUE(set_clipboard_bitmap(4, 4, [](int, int) { return 0xFF0000u; }));
    EXPECT_TRUE(is_grey(b.hwnd, L"&Paste\tCtrl+V")) << "only a bitmap there";
    send_input_keys(b.hwnd, {VK_CONTROL, 'V'});
    drain(b.hwnd);
    EXPECT_EQ(b.shows(L"", L"brannic-no-paste"), 0);

    b.command(RESET);
    EXPECT_EQ(b.shows(default_text, L"brannic-reset"), 0);
    EXPECT_FALSE(is_grey(b.hwnd, L"Cu&t\tCtrl+X"));
}

// Copy reaches a Linux program; text a Linux program set (not only ASCII) pastes with Ctrl+V;
// Cut takes the text from the window and leaves it on the clipboard.
TEST(brannic, copy_cut_and_paste_with_xclip_on_the_other_side) {
    brannic b;
    ASSERT_TRUE(b.open());
    ASSERT_TRUE(empty_clipboard());
    send_input_keys(b.hwnd, {VK_CONTROL, 'C'});
    std::wstring got;
    EXPECT_TRUE(wait_until([&] { return xclip_get(&got) && got == default_text; }, 10000))
        << "xclip read " << got.size() << " characters";

    const std::wstring foreign = L"Gr\u00fc\u00dfe aus Linux \u00e9\u00e8 \u03a9\u2248\u00e7";
    ASSERT_TRUE(xclip_put(foreign));
    ASSERT_TRUE(wait_until([&] { return clipboard_text() == foreign; }, 10000));
    send_input_keys(b.hwnd, {VK_CONTROL, 'V'});
    drain(b.hwnd);
    EXPECT_EQ(b.shows(foreign, L"brannic-foreign"), 0);

    ASSERT_TRUE(empty_clipboard());
    send_input_keys(b.hwnd, {VK_CONTROL, 'X'});
    drain(b.hwnd);
    EXPECT_EQ(b.shows(L"", L"brannic-cut"), 0);
    EXPECT_EQ(clipboard_text(), foreign);
    EXPECT_TRUE(wait_until([&] { return xclip_get(&got) && got == foreign; }, 10000));
}

// Clipboard text that another program left without a terminator, or with an odd last byte, is
// read only within its block; the text pasted is then whole and terminated again. Wine itself
// terminates a text block in its last character before any program reads it, so here the program
// gets what every reader gets (the bound within the block is checked in the unit tests).
TEST(brannic, paste_reads_only_within_the_clipboard_block) {
    brannic b;
    ASSERT_TRUE(b.open());
    const struct {
        std::string block;
        std::wstring pasted;
    } cases[] = {
        {bytes_of(L"No end in sight"), L"No end in sight"},
        {bytes_of(L"Odd byte") + "Z", L"Odd byte"},
        {bytes_of(std::wstring(L"cut\0here", 8)), L"cut"},
        {bytes_of(L"Tab\there"), L"Tab\there"},
    };
    std::wstring there;
    for (const auto& c : cases) {
        ASSERT_TRUE(set_clipboard_block(c.block));
        const size_t readers_get = clipboard_text().size();
        b.command(PASTE);
        there = b.copied();
        EXPECT_EQ(there, c.pasted.substr(0, readers_get)) << "the block's text, not past it";
        EXPECT_EQ(b.shows(there, L"brannic-block"), 0);
    }
    // A paste with no text there keeps the text.
    ASSERT_TRUE(empty_clipboard());
    b.command(PASTE);
    EXPECT_EQ(b.shows(there, L"brannic-kept"), 0);
}
