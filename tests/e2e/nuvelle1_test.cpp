// Nuvelle1's about box: its menu, what the box shows, and each way of closing it.
#include "harness/dialogs.h"
#include "harness/probe.h"

using namespace harness;

namespace {

const int ABOUT = 40001;

// The box as the user sees it: no caption, its icon drawn (the icon's navy title bar), the title
// and "About Box Demo Program" lines, and an OK button.
void expect_about_box(HWND dlg) {
    EXPECT_EQ(GetWindowLongW(dlg, GWL_STYLE) & WS_CAPTION, 0);
    std::vector<std::wstring> texts;
    HWND icon = nullptr;
    for (HWND c : children(dlg)) {
        texts.push_back(text_of(c));
        if ((GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
            _wcsicmp(class_of(c).c_str(), L"Static") == 0)
            icon = c;
    }
    for (const wchar_t* t : {L"OK", L"Nuvelle1", L"About Box Demo Program"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), t), texts.end()) << "no text " << t;
    EXPECT_EQ(text_of(GetDlgItem(dlg, IDOK)), L"OK");
    ASSERT_NE(icon, nullptr);
    image shown = capture_client(dlg);
    EXPECT_GT(count_px(shown, rect_in(dlg, icon), 0x000080), 50) << "the icon is not drawn";
}

} // namespace

TEST(nuvelle1, menu_and_about_box_closed_by_ok_enter_and_esc) {
    app a;
    HWND hwnd = launch(a, L"nuvelle1");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"About Box Demo Program");
    std::vector<menu_item> menu = read_menu(hwnd);
    ASSERT_EQ(menu.size(), 2u);
    EXPECT_EQ(menu[0].text, L"&Help");
    EXPECT_EQ(menu[1].depth, 1);
    EXPECT_EQ(menu[1].id, ABOUT);
    EXPECT_EQ(menu[1].text, L"&About Nuvelle1...");
    // Redrawn on resizing, no extra bytes, the window colour, and the program's own icon.
    EXPECT_EQ(probe(hwnd, PROBE_CLASS_INFO), L"3\t0\t6\t1\n");

    const struct {
        const char* how;
        std::function<void(HWND)> close;
    } ways[] = {
        {"click on OK",
         [](HWND dlg) {
             RECT r;
             GetClientRect(GetDlgItem(dlg, IDOK), &r);
             post_click(GetDlgItem(dlg, IDOK), r.right / 2, r.bottom / 2);
         }},
        {"Enter", [](HWND dlg) { post_key(GetDlgItem(dlg, IDOK), VK_RETURN); }},
        {"Esc", [](HWND dlg) { post_key(GetDlgItem(dlg, IDOK), VK_ESCAPE); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        HWND dlg = open_dialog(a, hwnd, ABOUT);
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(GetWindow(dlg, GW_OWNER), hwnd);
        EXPECT_FALSE(IsWindowEnabled(hwnd)); // modal
        expect_about_box(dlg);
        way.close(dlg);
        EXPECT_TRUE(wait_gone(dlg));
        EXPECT_TRUE(IsWindowEnabled(hwnd));
    }
    close(hwnd);
    DWORD code = 1;
    EXPECT_TRUE(a.wait_exit(5000, &code));
    EXPECT_EQ(code, 0u);
}
