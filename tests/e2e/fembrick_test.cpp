// Fembrick's system menu read inside the program: the three additions with their exact ids, what
// each does, and the standard menu back after "Remove Additions".
#include "harness/menu_views.h"

using namespace harness;

TEST(fembrick, system_menu_additions_answer_and_can_be_removed) {
    app a;
    HWND hwnd = launch(a, L"fembrick");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"The Poor-Person's Menu");
    EXPECT_TRUE(read_menu(hwnd).empty()) << "the window has a menu bar";

    std::vector<menu_item> with = read_menu(hwnd, true);
    ASSERT_GT(with.size(), 4u);
    const std::vector<menu_item> standard(with.begin(), with.end() - 4);
    ASSERT_NE(find_item(standard, L"&Close\tAlt+F4"), nullptr) << "not the standard system menu";
    const std::vector<menu_item> added(with.end() - 4, with.end());
    expect_menu(added, {{0, 0, MF_SEPARATOR, L""},
                        {0, 1, 0, L"About..."},
                        {0, 2, 0, L"Help..."},
                        {0, 3, 0, L"Remove Additions"}});

    system_command(hwnd, 1);
    message_box about = wait_message_box(a);
    ASSERT_NE(about.hwnd, nullptr);
    EXPECT_EQ(about.caption, L"fembrick");
    EXPECT_EQ(about.text.substr(0, 29), L"A Poor-Person's Menu Program\n");
    EXPECT_GT(about.text.size(), 29u) << "no credit line";
    EXPECT_EQ(icon_of(about.hwnd), box_icon::information);
    press(about.hwnd, IDOK);
    EXPECT_TRUE(wait_until([&] { return !IsWindow(about.hwnd); }));

    system_command(hwnd, 2);
    expect_message_box(a, L"fembrick", L"Help not yet implemented!", box_icon::warning);

    // The system's own commands still reach the default handling.
    system_command(hwnd, SC_MINIMIZE);
    EXPECT_TRUE(wait_until([&] { return IsIconic(hwnd) != FALSE; }));
    system_command(hwnd, SC_RESTORE);
    EXPECT_TRUE(wait_until([&] { return !IsIconic(hwnd); }));

    system_command(hwnd, 3);
    std::vector<menu_item> after = read_menu(hwnd, true);
    ASSERT_EQ(after.size(), standard.size());
    for (size_t i = 0; i < after.size(); i++) {
        EXPECT_EQ(after[i].id, standard[i].id) << "item " << i;
        EXPECT_EQ(after[i].text, standard[i].text) << "item " << i;
    }

    system_command(hwnd, SC_CLOSE);
    DWORD code = 1;
    EXPECT_TRUE(a.wait_exit(5000, &code));
    EXPECT_EQ(code, 0u);
}
