// Zentaro's main window: caption, menus and their graying, the save question on New, Open and
// Close, Save As, the About box, the edit control's limit and what it shows.
#include "harness/checks.h"
#include "e2e/editor_support.h"

using namespace editor_test;

namespace {

// Answers the save question with `answer` and checks its wording.
void answer_question(app& a, const std::wstring& title, int answer) {
    message_box box = wait_message_box(a);
    ASSERT_NE(box.hwnd, nullptr) << "no save question";
    EXPECT_EQ(box.caption, L"zentaro");
    EXPECT_EQ(box.text, L"Save current changes in " + title + L"?");
    EXPECT_EQ(icon_of(box.hwnd), box_icon::question);
    EXPECT_NE(GetDlgItem(box.hwnd, IDYES), nullptr);
    EXPECT_NE(GetDlgItem(box.hwnd, IDNO), nullptr);
    press(box.hwnd, answer);
    wait_until([&] { return !IsWindow(box.hwnd); });
}

UINT state_of(const std::vector<menu_item>& menu, const wchar_t* text) {
    const menu_item* it = find_item(menu, text);
    EXPECT_NE(it, nullptr) << "no menu item";
    return it ? it->state : ~0u;
}

} // namespace

TEST(zentaro, window_caption_menu_and_edit_control_fill) {
    app a;
    HWND main = launch(a, L"zentaro");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(text_of(main), L"zentaro - (untitled)");
    EXPECT_EQ(GetWindowLongW(main, GWL_STYLE) & (WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN),
              LONG(WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN));
    HWND edit = edit_of(main);
    ASSERT_NE(edit, nullptr);
    // The edit control draws its border itself and drops WS_BORDER.
    DWORD style = DWORD(GetWindowLongW(edit, GWL_STYLE));
    EXPECT_EQ(style & ~DWORD(WS_BORDER), 0x50B001C4u & ~DWORD(WS_BORDER));
    // The edit control covers the whole client area, also after a resize.
    for (int round = 0; round < 2; round++) {
        RECT c = client_rect(main), e;
        GetWindowRect(edit, &e);
        EXPECT_EQ(c.left, e.left);
        EXPECT_EQ(c.top, e.top);
        EXPECT_EQ(c.right, e.right);
        EXPECT_EQ(c.bottom, e.bottom);
        resize(main, 500, 300);
    }
    auto menu = read_menu(main);
    std::vector<std::pair<int, std::wstring>> want = {{-1, L"&File"},
                                                      {40001, L"&New\tCtrl+N"},
                                                      {40002, L"&Open...\tCtrl+O"},
                                                      {40003, L"&Save\tCtrl+S"},
                                                      {40004, L"Save &As..."},
                                                      {0, L""},
                                                      {40005, L"&Print\tCtrl+P"},
                                                      {0, L""},
                                                      {40006, L"E&xit"},
                                                      {-1, L"&Edit"},
                                                      {40007, L"&Undo\tCtrl+Z"},
                                                      {0, L""},
                                                      {40008, L"Cu&t\tCtrl+X"},
                                                      {40009, L"&Copy\tCtrl+C"},
                                                      {40010, L"&Paste\tCtrl+V"},
                                                      {40011, L"De&lete\tDel"},
                                                      {0, L""},
                                                      {40012, L"&Select All"},
                                                      {-1, L"&Search"},
                                                      {40013, L"&Find...\tCtrl+F"},
                                                      {40014, L"Find &Next\tF3"},
                                                      {40015, L"&Replace...\tCtrl+R"},
                                                      {-1, L"F&ormat"},
                                                      {40016, L"&Font..."},
                                                      {-1, L"&Help"},
                                                      {40017, L"&Help"},
                                                      {40018, L"&About Zentaro..."}};
    ASSERT_EQ(menu.size(), want.size());
    for (size_t i = 0; i < want.size(); i++) {
        EXPECT_EQ(menu[i].id, want[i].first) << i;
        EXPECT_EQ(menu[i].text, want[i].second) << i;
    }
}

TEST(zentaro, typed_text_is_drawn_at_the_top_left_in_the_system_font) {
    app a;
    HWND main = launch(a, L"zentaro");
    ASSERT_NE(main, nullptr);
    image blank = capture_client(edit_of(main));
    // Before any text nothing is dark but the caret, a thin bar at the left, when it blinks on.
    RECT dark = bounds(blank, is_dark);
    EXPECT_LE(dark.right - dark.left, 2);
    EXPECT_LT(dark.left, 8);
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &gui));
    EXPECT_EQ(gui.hwndCaret, edit_of(main));
    const RECT caret = gui.rcCaret;
    EXPECT_LT(caret.left, 8);
    type(main, L"Hello");
    image shown = capture_client(edit_of(main));
    // The text as the test draws it in the system font.
    image ref = render(200, 60, [](HDC dc) {
        SelectObject(dc, GetStockObject(SYSTEM_FONT));
        TextOutW(dc, 0, 0, L"Hello", 5);
    });
    RECT want = bounds(ref, is_dark);
    ASSERT_GT(want.right - want.left, 20);
    // The glyphs start where the caret stood; the caret now follows them.
    RECT ink = bounds(shown, is_dark);
    EXPECT_EQ(ink.left, caret.left + (want.left > 0 ? want.left : 0));
    int dx = ink.left - want.left;
    image glyphs = shown;
    for (int y = 0; y < glyphs.height; y++)
        for (int x = ink.left + (want.right - want.left); x < glyphs.width; x++)
            glyphs.px[size_t(y) * glyphs.width + x] = 0xFFFFFF;
    RECT text = bounds(glyphs, is_dark);
    int dy = text.top - want.top;
    EXPECT_LT(text.top, 8);
    int differing = 0;
    for (int y = want.top; y < want.bottom; y++)
        for (int x = want.left; x < want.right; x++)
            differing += is_dark(ref.at(x, y)) != is_dark(shown.at(x + dx, y + dy));
    EXPECT_EQ(differing, 0) << "not \"Hello\" in the system font";
}

TEST(zentaro, new_asks_about_changes_and_yes_no_cancel_do_what_they_say) {
    app a;
    HWND main = launch(a, L"zentaro");
    ASSERT_NE(main, nullptr);
    // Unmodified: New asks nothing.
    send_command(main, 40001);
    EXPECT_EQ(a.wait_dialog(300), nullptr);
    type(main, L"draft");
    // Cancel keeps everything.
    command(main, 40001);
    answer_question(a, L"(untitled)", IDCANCEL);
    settle(main);
    EXPECT_EQ(text_of(edit_of(main)), L"draft");
    // No drops the changes.
    command(main, 40001);
    answer_question(a, L"(untitled)", IDNO);
    EXPECT_TRUE(wait_until([&] { return text_of(edit_of(main)).empty(); }));
    EXPECT_EQ(text_of(main), L"zentaro - (untitled)");
    EXPECT_FALSE(asks_to_save(a, main)); // and the document is no longer modified
}

TEST(zentaro, yes_saves_through_save_as_and_a_cancelled_dialog_keeps_the_window) {
    app a;
    HWND main = launch(a, L"zentaro");
    ASSERT_NE(main, nullptr);
    type(main, L"keep me");
    // Closing asks; Yes opens Save As; cancelling that keeps the window and the text.
    close(main);
    answer_question(a, L"(untitled)", IDYES);
    HWND save = a.wait_dialog();
    ASSERT_NE(save, nullptr) << "Yes did not open Save As";
    settle(save);
    press(save, IDCANCEL);
    ASSERT_TRUE(wait_until([&] { return !IsWindow(save); }));
    settle(main);
    EXPECT_TRUE(IsWindow(main));
    EXPECT_EQ(text_of(edit_of(main)), L"keep me");
    // Yes again, with a name typed without extension: ".txt" is added, the file written and
    // the window closes.
    close(main);
    answer_question(a, L"(untitled)", IDYES);
    ASSERT_NE(answer_file_dialog(a, path_in(a, L"kept")), nullptr);
    expect_exits_with_0(a);
    EXPECT_EQ(read_bytes(path_in(a, L"kept.txt")), utf16le_with_mark(L"keep me"));
}

TEST(zentaro, open_asks_first_and_a_failed_or_cancelled_open_leaves_it_untitled) {
    app a;
    HWND main = launch(a, L"zentaro");
    ASSERT_NE(main, nullptr);
    std::wstring first = path_in(a, L"first.txt");
    write_bytes(first, "first file");
    open_through_dialog(a, main, first, L"first.txt");
    type(main, L"X");
    // Open with changes: the question names the document; No goes on to the dialog.
    command(main, 40002);
    answer_question(a, L"first.txt", IDNO);
    HWND dlg = a.wait_dialog();
    ASSERT_NE(dlg, nullptr);
    settle(dlg);
    press(dlg, IDCANCEL);
    // A cancelled dialog keeps the text and the name, and the document counts as unmodified.
    EXPECT_TRUE(wait_caption(main, L"zentaro - first.txt"));
    EXPECT_EQ(text_of(edit_of(main)), L"Xfirst file");
    // A file that cannot be read: reported, the text stays, the document becomes untitled.
    std::wstring locked = path_in(a, L"locked.txt");
    write_bytes(locked, "secret");
    HANDLE held = CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    command(main, 40002);
    ASSERT_TRUE(choose_file(a, locked));
    message_box box = wait_message_box(a);
    EXPECT_EQ(box.caption, L"zentaro");
    EXPECT_EQ(box.text, L"Could not read file locked.txt!");
    EXPECT_EQ(icon_of(box.hwnd), box_icon::warning);
    press(box.hwnd, IDOK);
    CloseHandle(held);
    EXPECT_TRUE(wait_caption(main, L"zentaro - (untitled)"));
    EXPECT_EQ(text_of(edit_of(main)), L"Xfirst file");
    EXPECT_FALSE(asks_to_save(a, main));
}

TEST(zentaro, save_as_renames_the_document_and_exit_closes_quietly_after_saving) {
    app a;
    HWND main = launch(a, L"zentaro");
    ASSERT_NE(main, nullptr);
    type(main, L"line one\rline two");
    command(main, 40004);
    ASSERT_NE(answer_file_dialog(a, path_in(a, L"named.txt")), nullptr);
    EXPECT_TRUE(wait_caption(main, L"zentaro - named.txt"));
    std::wstring want = L"line one\r\nline two";
    EXPECT_TRUE(wait_until(
        [&] { return read_bytes(path_in(a, L"named.txt")) == utf16le_with_mark(want); }));
    command(main, 40006); // Exit: nothing to ask
    expect_exits_with_0(a);
}

TEST(zentaro, edit_menu_follows_selection_undo_and_clipboard) {
    app a;
    HWND main = launch(a, L"zentaro");
    ASSERT_NE(main, nullptr);
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    auto menu = read_menu_opened(main, 1);
    for (const wchar_t* item :
         {L"&Undo\tCtrl+Z", L"Cu&t\tCtrl+X", L"&Copy\tCtrl+C", L"&Paste\tCtrl+V", L"De&lete\tDel"})
        EXPECT_TRUE(state_of(menu, item) & MF_GRAYED) << "enabled with nothing to do";
    type(main, L"abc");
    set_selection(edit_of(main), 0, 2);
    menu = read_menu_opened(main, 1);
    for (const wchar_t* item :
         {L"&Undo\tCtrl+Z", L"Cu&t\tCtrl+X", L"&Copy\tCtrl+C", L"De&lete\tDel"})
        EXPECT_FALSE(state_of(menu, item) & MF_GRAYED) << "grayed with a selection";
    EXPECT_TRUE(state_of(menu, L"&Paste\tCtrl+V") & MF_GRAYED);
    // Cut puts the selection on the clipboard; then Paste is enabled and pastes it back.
    send_command(main, 40008);
    EXPECT_EQ(text_of(edit_of(main)), L"c");
    EXPECT_EQ(clipboard_text(), L"ab");
    menu = read_menu_opened(main, 1);
    EXPECT_FALSE(state_of(menu, L"&Paste\tCtrl+V") & MF_GRAYED);
    send_command(main, 40010);
    EXPECT_EQ(text_of(edit_of(main)), L"abc");
    send_command(main, 40012); // Select All
    EXPECT_EQ(selection(edit_of(main)), std::make_pair(0, 3));
    send_command(main, 40011); // Delete
    EXPECT_EQ(text_of(edit_of(main)), L"");
    send_command(main, 40007); // Undo
    EXPECT_EQ(text_of(edit_of(main)), L"abc");
}

TEST(zentaro, accelerators_reach_their_commands) {
    app a;
    HWND main = launch(a, L"zentaro");
    ASSERT_NE(main, nullptr);
    // Ctrl+F (character 6) opens the Find dialog.
    send_input_keys(main, {VK_CONTROL, 'F'});
    HWND dlg = a.wait_dialog();
    ASSERT_NE(dlg, nullptr) << "Ctrl+F did nothing";
    close(dlg);
    ASSERT_TRUE(wait_until([&] { return !IsWindow(dlg); }));
    // F1 is Help.
    send_input_keys(main, {VK_F1});
    message_box box = wait_message_box(a);
    EXPECT_EQ(box.text, L"Help not yet implemented!");
    EXPECT_EQ(box.caption, L"zentaro");
    EXPECT_EQ(icon_of(box.hwnd), box_icon::warning);
    press(box.hwnd, IDOK);
    wait_until([&] { return !IsWindow(box.hwnd); });
    // Ctrl+N on a modified document asks first.
    type(main, L"q");
    send_input_keys(main, {VK_CONTROL, 'N'});
    answer_question(a, L"(untitled)", IDNO);
    EXPECT_TRUE(wait_until([&] { return text_of(edit_of(main)).empty(); }));
}

TEST(zentaro, about_box_closes_with_ok_but_not_with_escape) {
    app a;
    HWND main = launch(a, L"zentaro");
    ASSERT_NE(main, nullptr);
    command(main, 40018);
    HWND about = a.wait_dialog();
    ASSERT_NE(about, nullptr);
    settle(about);
    bool popup_text = false;
    for (HWND c : children(about))
        popup_text |= text_of(c) == L"Popup Editor for Windows";
    EXPECT_TRUE(popup_text);
    EXPECT_FALSE(GetWindowLongW(about, GWL_STYLE) & WS_CAPTION & ~WS_BORDER);
    send_input_keys(about, {VK_ESCAPE});
    settle(about, 200);
    EXPECT_TRUE(IsWindow(about)) << "Esc closed the About box";
    send_input_keys(about, {VK_RETURN});
    EXPECT_TRUE(wait_until([&] { return !IsWindow(about); }));
}

TEST(zentaro, text_beyond_32000_characters_is_refused) {
    app a;
    HWND main = launch(a, L"zentaro");
    ASSERT_NE(main, nullptr);
    set_text(edit_of(main), std::wstring(31999, L'w'));
    set_selection(edit_of(main), 31999, 31999);
    type(main, L"12");
    message_box box = wait_message_box(a);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.caption, L"zentaro");
    EXPECT_EQ(box.text, L"Edit control out of space.");
    EXPECT_EQ(icon_of(box.hwnd), box_icon::error);
    press(box.hwnd, IDOK);
    wait_until([&] { return !IsWindow(box.hwnd); });
    EXPECT_EQ(text_of(edit_of(main)).size(), 32000u);
}

namespace {

// The longest run of dark pixels in any one row of the image.
int longest_dark_row(const image& img) {
    int best = 0;
    for (int y = 0; y < img.height; y++) {
        int run = 0;
        for (int x = 0; x < img.width; x++) {
            run = is_dark(img.at(x, y)) ? run + 1 : 0;
            best = std::max(best, run);
        }
    }
    return best;
}

} // namespace

TEST(zentaro, font_chosen_with_underline_underlines_the_text) {
    app a;
    HWND main = launch(a, L"zentaro");
    ASSERT_NE(main, nullptr);
    type(main, L"Hello world");
    set_selection(edit_of(main), 0, 0);
    image before = capture_client(edit_of(main));
    RECT ink = bounds(before, is_dark);
    int width = ink.right - ink.left;
    ASSERT_GT(width, 40);
    EXPECT_LT(longest_dark_row(before), width / 2);

    command(main, 40016);
    HWND dlg = a.wait_dialog();
    ASSERT_NE(dlg, nullptr) << "no font dialog";
    settle(dlg);
    HWND underline = GetDlgItem(dlg, 0x411); // chx2
    ASSERT_NE(underline, nullptr);
    DWORD_PTR r;
    SendMessageTimeoutW(underline, BM_SETCHECK, BST_CHECKED, 0, SMTO_ABORTIFHUNG, 5000, &r);
    press(dlg, 0x411);
    settle(dlg);
    press(dlg, IDOK);
    ASSERT_TRUE(wait_until([&] { return !IsWindow(dlg); }));
    settle(main);
    image after = capture_client(edit_of(main));
    RECT now = bounds(after, is_dark);
    // One row of ink runs under the whole text now.
    EXPECT_GE(longest_dark_row(after), (now.right - now.left) * 8 / 10);
    EXPECT_EQ(text_of(edit_of(main)), L"Hello world");
}
