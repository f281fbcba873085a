// The two small editors: zentaro1 (an edit control and nothing else) and zentaro2 (with a menu,
// accelerators and a confirmation before closing); and the end-of-session question of zentaro.
#include "harness/checks.h"
#include "harness/ink.h"
#include "e2e/editor_support.h"

#include <thread>

using namespace editor_test;

namespace {

// WM_QUERYENDSESSION sent from another thread while this one answers the question the window
// asks; returns what the window returned.
LRESULT query_end_session(app& a, HWND main, int answer, std::wstring* question) {
    DWORD_PTR result = 99;
    std::thread t([&] {
        SendMessageTimeoutW(main, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 20000, &result);
    });
    message_box box = wait_message_box(a);
    if (box.hwnd) {
        *question = box.text;
        press(box.hwnd, answer);
    }
    t.join();
    return LRESULT(result);
}

void expect_fills_client(HWND main) {
    HWND edit = edit_of(main);
    ASSERT_NE(edit, nullptr);
    RECT c = client_rect(main), e;
    GetWindowRect(edit, &e);
    EXPECT_EQ(c.left, e.left);
    EXPECT_EQ(c.top, e.top);
    EXPECT_EQ(c.right, e.right);
    EXPECT_EQ(c.bottom, e.bottom);
    // And it is drawn over the whole of it, as a repaint draws it (the blinking caret aside).
    const image shown = capture_client(main);
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    EXPECT_EQ(ink_mismatch_except(shown, capture_client(main), read_gui_state(main).caret), 0);
}

} // namespace

TEST(zentaro1, edit_control_fills_the_window_without_a_menu) {
    app a;
    HWND main = launch(a, L"zentaro1");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(text_of(main), L"Zentaro1");
    EXPECT_EQ(GetMenu(main), nullptr);
    expect_fills_client(main);
    resize(main, 420, 260);
    expect_fills_client(main);
    HWND edit = edit_of(main);
    DWORD style = DWORD(GetWindowLongW(edit, GWL_STYLE)) & ~DWORD(WS_BORDER);
    EXPECT_EQ(style, 0x50B000C4u & ~DWORD(WS_BORDER)); // no ES_NOHIDESEL
    // Typing goes to the edit control.
    type(main, L"typed");
    EXPECT_EQ(text_of(edit), L"typed");
    EXPECT_EQ(a.wait_dialog(300), nullptr);
    expect_closes_with_0(a, main);
}

TEST(zentaro1, typing_beyond_the_controls_own_limit_is_reported) {
    app a;
    HWND main = launch(a, L"zentaro1");
    ASSERT_NE(main, nullptr);
    HWND edit = edit_of(main);
    // The program sets no limit: the control's own one holds.
    DWORD_PTR limit = 0;
    SendMessageTimeoutW(edit, EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG, 5000, &limit);
    ASSERT_GT(limit, 0u);
    ASSERT_LT(limit, 100000u);
    set_text(edit, std::wstring(limit - 1, L'z'));
    set_selection(edit, int(limit - 1), int(limit - 1));
    type(main, L"!?");
    message_box box = wait_message_box(a);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.caption, L"zentaro1");
    EXPECT_EQ(box.text, L"Edit control out of space.");
    EXPECT_EQ(icon_of(box.hwnd), box_icon::error);
    press(box.hwnd, IDOK);
    wait_until([&] { return !IsWindow(box.hwnd); });
    EXPECT_EQ(text_of(edit).size(), size_t(limit));
}

TEST(zentaro2, placed_in_the_middle_half_of_the_screen_with_its_menu) {
    app a;
    HWND main = launch(a, L"zentaro2");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(text_of(main), L"Zentaro2");
    int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(r.left, cx / 4);
    EXPECT_EQ(r.top, cy / 4);
    EXPECT_EQ(r.right - r.left, cx / 2);
    EXPECT_EQ(r.bottom - r.top, cy / 2);
    expect_fills_client(main);
    auto menu = read_menu(main);
    ASSERT_EQ(menu.size(), 21u);
    EXPECT_EQ(menu[1].text, L"&New");
    EXPECT_EQ(menu[8].text, L"E&xit");
    EXPECT_EQ(menu[8].id, 40006);
    EXPECT_EQ(menu[10].text, L"&Undo\tCtrl+Z");
    EXPECT_EQ(menu[18].text, L"&Help");
    EXPECT_EQ(menu[19].text, L"&Help...");
    EXPECT_EQ(menu[19].id, 40013);
    EXPECT_EQ(menu[20].text, L"&About Zentaro2...");
    EXPECT_EQ(menu[20].id, 40014);
}

TEST(zentaro2, file_commands_only_beep_and_edit_commands_work) {
    app a;
    HWND main = launch(a, L"zentaro2");
    ASSERT_NE(main, nullptr);
    // The Edit menu as it opens: which of Undo, Cut, Copy, Paste and Delete are grayed.
    auto expect_grayed = [&](const std::vector<bool>& grayed, const char* when) {
        const auto menu = read_menu_opened(main, 1);
        const wchar_t* items[] = {L"&Undo\tCtrl+Z", L"Cu&t\tCtrl+X", L"&Copy\tCtrl+C",
                                  L"&Paste\tCtrl+V", L"De&lete\tDel"};
        for (size_t i = 0; i < 5; i++) {
            const menu_item* item = find_item(menu, items[i]);
            ASSERT_NE(item, nullptr);
            EXPECT_EQ((item->state & MF_GRAYED) != 0, grayed[i]) << "item " << i << " " << when;
        }
    };
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    expect_grayed({true, true, true, true, true}, "at start, with nothing on the clipboard");
    ASSERT_EQ(beeps(main), 0);
    type(main, L"abc");
    for (int id = 40001; id <= 40005; id++) {
        send_command(main, id);
        EXPECT_EQ(a.wait_dialog(200), nullptr) << id;
    }
    EXPECT_EQ(beeps(main), 5) << "each File command but Exit beeps";
    EXPECT_EQ(text_of(edit_of(main)), L"abc");
    EXPECT_TRUE(IsWindow(main));
    expect_grayed({false, true, true, true, true}, "after typing");
    send_command(main, 40012); // Select All
    expect_grayed({false, false, false, true, false}, "with a selection");
    // Ctrl+X (character 24) cuts; Ctrl+V (character 22) pastes back twice.
    send_input_keys(main, {VK_CONTROL, 'X'});
    EXPECT_EQ(text_of(edit_of(main)), L"");
    EXPECT_EQ(clipboard_text(), L"abc");
    expect_grayed({false, true, true, false, true}, "with text on the clipboard");
    send_input_keys(main, {VK_CONTROL, 'V'});
    send_input_keys(main, {VK_CONTROL, 'V'});
    EXPECT_EQ(text_of(edit_of(main)), L"abcabc");
}

TEST(zentaro2, help_and_about_boxes) {
    app a;
    HWND main = launch(a, L"zentaro2");
    ASSERT_NE(main, nullptr);
    send_input_keys(main, {VK_F1});
    message_box box = wait_message_box(a);
    EXPECT_EQ(box.caption, L"zentaro2");
    EXPECT_EQ(box.text, L"Help not yet implemented!");
    EXPECT_EQ(icon_of(box.hwnd), box_icon::warning);
    press(box.hwnd, IDOK);
    wait_until([&] { return !IsWindow(box.hwnd); });
    command(main, 40014);
    box = wait_message_box(a);
    EXPECT_EQ(box.caption, L"zentaro2");
    EXPECT_EQ(box.text.substr(0, 9), L"ZENTARO2\n");
    EXPECT_GT(box.text.size(), 12u);
    EXPECT_EQ(icon_of(box.hwnd), box_icon::information);
    press(box.hwnd, IDOK);
}

TEST(zentaro2, closing_and_ending_the_session_need_a_yes) {
    app a;
    HWND main = launch(a, L"zentaro2");
    ASSERT_NE(main, nullptr);
    command(main, 40006); // Exit asks like closing does
    message_box box = wait_message_box(a);
    EXPECT_EQ(box.caption, L"zentaro2");
    EXPECT_EQ(box.text, L"Really want to close Zentaro2?");
    EXPECT_EQ(icon_of(box.hwnd), box_icon::question);
    EXPECT_EQ(GetDlgItem(box.hwnd, IDCANCEL), nullptr);
    press(box.hwnd, IDNO);
    wait_until([&] { return !IsWindow(box.hwnd); });
    settle(main);
    EXPECT_TRUE(IsWindow(main));
    std::wstring question;
    EXPECT_EQ(query_end_session(a, main, IDNO, &question), 0);
    EXPECT_EQ(question, L"Really want to close Zentaro2?");
    EXPECT_EQ(query_end_session(a, main, IDYES, &question), 1);
    close(main);
    box = wait_message_box(a);
    press(box.hwnd, IDYES);
    expect_exits_with_0(a);
}

TEST(zentaro, ending_the_session_asks_only_about_changes) {
    app a;
    HWND main = launch(a, L"zentaro");
    ASSERT_NE(main, nullptr);
    DWORD_PTR r = 99;
    SendMessageTimeoutW(main, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &r);
    EXPECT_EQ(r, 1u); // unmodified: no question
    type(main, L"unsaved");
    std::wstring question;
    EXPECT_EQ(query_end_session(a, main, IDCANCEL, &question), 0);
    EXPECT_EQ(question, L"Save current changes in (untitled)?");
    EXPECT_EQ(query_end_session(a, main, IDNO, &question), 1);
}
