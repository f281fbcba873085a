// Glaston's three bars read inside the program after each command: the labels disabled but not
// grayed, "(&Main)" bringing back the main bar, and the other items beeping.
#include "harness/menu_views.h"

using namespace harness;

namespace {

const std::vector<item_row> main_bar = {
    {0, 0, MF_DISABLED, L"MAIN:"}, {0, 40001, 0, L"&File..."}, {0, 40002, 0, L"&Edit..."}};
const std::vector<item_row> file_bar = {{0, 0, MF_DISABLED, L"FILE:"}, {0, 40003, 0, L"&New"},
                                        {0, 40004, 0, L"&Open..."},    {0, 40005, 0, L"&Save"},
                                        {0, 40006, 0, L"Save &As"},    {0, 40007, 0, L"(&Main)"}};
const std::vector<item_row> edit_bar = {{0, 0, MF_DISABLED, L"EDIT:"}, {0, 40008, 0, L"&Undo"},
                                        {0, 40009, 0, L"Cu&t"},        {0, 40010, 0, L"&Copy"},
                                        {0, 40011, 0, L"&Paste"},      {0, 40012, 0, L"De&lete"},
                                        {0, 40007, 0, L"(&Main)"}};

} // namespace

TEST(glaston, bars_swap_and_main_comes_back) {
    app a;
    HWND hwnd = launch(a, L"glaston");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"No-Popup Nested Menu Demonstration");
    expect_menu(read_menu(hwnd), main_bar);
    const int before = beeps(hwnd);

    menu_command(hwnd, 40001);
    expect_menu(read_menu(hwnd), file_bar);
    for (int id = 40003; id <= 40006; id++)
        menu_command(hwnd, id);
    EXPECT_EQ(beeps(hwnd), before + 4);
    expect_menu(read_menu(hwnd), file_bar);
    menu_command(hwnd, 40007);
    expect_menu(read_menu(hwnd), main_bar);

    menu_command(hwnd, 40002);
    expect_menu(read_menu(hwnd), edit_bar);
    for (int id = 40008; id <= 40012; id++)
        menu_command(hwnd, id);
    EXPECT_EQ(beeps(hwnd), before + 9);
    menu_command(hwnd, 40007);
    expect_menu(read_menu(hwnd), main_bar);

    // Closed while another bar shows: the window ends cleanly.
    menu_command(hwnd, 40002);
    close(hwnd);
    DWORD code = 1;
    EXPECT_TRUE(a.wait_exit(5000, &code));
    EXPECT_EQ(code, 0u);
}
