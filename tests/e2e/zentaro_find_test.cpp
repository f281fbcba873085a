// Zentaro's find and replace through the platform's modeless dialogs: forward, case-sensitive,
// no wrapping, Replace All from the caret on, and "Text not found!".
#include "e2e/editor_support.h"

#include <dlgs.h>

using namespace editor_test;

namespace {

struct editor {
    app a;
    HWND main = nullptr, edit = nullptr;
    void start(const std::wstring& text) {
        main = launch(a, L"zentaro");
        ASSERT_NE(main, nullptr);
        edit = edit_of(main);
        set_text(edit, text);
        set_selection(edit, 0, 0);
    }
    // Opens the Find (40013) or Replace (40015) dialog and fills in its texts.
    HWND open(int id, const std::wstring& find, const std::wstring* replace = nullptr) {
        command(main, id);
        HWND dlg = a.wait_dialog();
        EXPECT_NE(dlg, nullptr) << "no find dialog";
        if (!dlg) return nullptr;
        settle(dlg);
        SetWindowTextW(GetDlgItem(dlg, edt1), find.c_str());
        if (replace) SetWindowTextW(GetDlgItem(dlg, edt2), replace->c_str());
        settle(dlg);
        return dlg;
    }
    // A button of the dialog; waits until the program has handled what it sent.
    void click(HWND dlg, int id) {
        press(dlg, id);
        settle(dlg);
        settle(main);
    }
    // "Text not found!" came (and is closed), or not.
    bool not_found(HWND dlg) {
        message_box box = wait_message_box_except(dlg);
        if (!box.hwnd) return false;
        EXPECT_EQ(box.caption, L"zentaro");
        EXPECT_EQ(box.text, L"Text not found!");
        EXPECT_EQ(icon_of(box.hwnd), box_icon::warning);
        press(box.hwnd, IDOK);
        wait_until([&] { return !IsWindow(box.hwnd); });
        settle(main);
        return true;
    }
    message_box wait_message_box_except(HWND dlg, DWORD timeout_ms = 1500) {
        message_box box;
        box.hwnd = a.wait_dialog(timeout_ms, dlg);
        if (box.hwnd) {
            settle(box.hwnd);
            box.caption = text_of(box.hwnd);
            if (HWND t = GetDlgItem(box.hwnd, 0xFFFF)) box.text = text_of(t);
        }
        return box;
    }
};

using sel = std::pair<int, int>;

} // namespace

TEST(zentaro, find_goes_forward_without_wrapping) {
    editor e;
    e.start(L"abcabc");
    HWND dlg = e.open(40013, L"abc");
    ASSERT_NE(dlg, nullptr);
    e.click(dlg, IDOK);
    EXPECT_EQ(selection(e.edit), sel(0, 3));
    EXPECT_FALSE(e.not_found(dlg));
    e.click(dlg, IDOK);
    EXPECT_EQ(selection(e.edit), sel(3, 6));
    e.click(dlg, IDOK);
    EXPECT_TRUE(e.not_found(dlg)); // the third search does not wrap around
    EXPECT_EQ(selection(e.edit), sel(3, 6));
    // Matching is exact: upper case is another text.
    SetWindowTextW(GetDlgItem(dlg, edt1), L"ABC");
    set_selection(e.edit, 0, 0);
    e.click(dlg, IDOK);
    EXPECT_TRUE(e.not_found(dlg));
    EXPECT_EQ(selection(e.edit), sel(0, 0));
    EXPECT_EQ(text_of(e.edit), L"abcabc");
}

TEST(zentaro, find_next_steps_through_every_match_and_search_items_gray_while_open) {
    editor e;
    e.start(L"xaxxa-a");
    HWND dlg = e.open(40013, L"a");
    ASSERT_NE(dlg, nullptr);
    // While the dialog is open the Search pop-up's three items are grayed.
    auto menu = read_menu_opened(e.main, 2);
    for (const wchar_t* item : {L"&Find...\tCtrl+F", L"Find &Next\tF3", L"&Replace...\tCtrl+R"}) {
        const menu_item* it = find_item(menu, item);
        ASSERT_NE(it, nullptr);
        EXPECT_TRUE(it->state & MF_GRAYED) << "not grayed with the dialog open";
    }
    e.click(dlg, IDOK);
    EXPECT_EQ(selection(e.edit), sel(1, 2));
    close(dlg);
    ASSERT_TRUE(wait_until([&] { return !IsWindow(dlg); }));
    settle(e.main);
    // F3 now searches at once with the last text, silently at the end.
    for (sel want : {sel(4, 5), sel(6, 7), sel(6, 7)}) {
        send_command(e.main, 40014);
        EXPECT_EQ(selection(e.edit), want);
        EXPECT_EQ(e.a.wait_dialog(300), nullptr) << "F3 at the end showed something";
    }
    // And with the dialog closed the items are enabled again.
    menu = read_menu_opened(e.main, 2);
    const menu_item* find = find_item(menu, L"&Find...\tCtrl+F");
    ASSERT_NE(find, nullptr);
    EXPECT_FALSE(find->state & MF_GRAYED);
}

TEST(zentaro, replace_and_replace_all_from_the_caret_on) {
    editor e;
    e.start(L"aaa");
    std::wstring aa = L"aa";
    HWND dlg = e.open(40015, L"a", &aa);
    ASSERT_NE(dlg, nullptr);
    e.click(dlg, psh2); // Replace All
    EXPECT_EQ(text_of(e.edit), L"aaaaaa");
    EXPECT_FALSE(e.not_found(dlg)); // no message at the end of Replace All
    // Again from the end: nothing left to replace.
    e.click(dlg, psh2);
    EXPECT_TRUE(e.not_found(dlg));
    EXPECT_EQ(text_of(e.edit), L"aaaaaa");
    close(dlg);
    wait_until([&] { return !IsWindow(dlg); });

    // abc by x: Replace one, then Replace All of the rest; text before the caret stays.
    set_text(e.edit, L"abc abc abc");
    set_selection(e.edit, 1, 1);
    std::wstring x = L"x";
    dlg = e.open(40015, L"abc", &x);
    ASSERT_NE(dlg, nullptr);
    e.click(dlg, psh1); // Replace: the next match after the caret
    EXPECT_EQ(text_of(e.edit), L"abc x abc");
    e.click(dlg, psh2);
    EXPECT_EQ(text_of(e.edit), L"abc x x");
    EXPECT_FALSE(e.not_found(dlg));
    // A replacement cannot be undone.
    send_command(e.main, 40007);
    EXPECT_EQ(text_of(e.edit), L"abc x x");
}

TEST(zentaro, replace_all_of_abc_by_x_gives_xx_and_dialog_offers_the_last_texts) {
    editor e;
    e.start(L"abcabc");
    std::wstring x = L"x";
    HWND dlg = e.open(40015, L"abc", &x);
    ASSERT_NE(dlg, nullptr);
    e.click(dlg, psh2);
    EXPECT_EQ(text_of(e.edit), L"xx");
    close(dlg);
    ASSERT_TRUE(wait_until([&] { return !IsWindow(dlg); }));
    settle(e.main);
    command(e.main, 40015);
    dlg = e.a.wait_dialog();
    ASSERT_NE(dlg, nullptr);
    settle(dlg);
    EXPECT_EQ(text_of(GetDlgItem(dlg, edt1)), L"abc");
    EXPECT_EQ(text_of(GetDlgItem(dlg, edt2)), L"x");
}
