// The frame's start-up failures and its loop, driven through small test-only programs.
#include "harness/harness.h"

using namespace harness;

static void expect_failure_box(const wchar_t* fixture, const wchar_t* text) {
    app a;
    ASSERT_TRUE(a.start(fixture_path(fixture)));
    message_box box = wait_message_box(a);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.caption, fixture); // the class name
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(icon_of(box.hwnd), box_icon::error);
    press(box.hwnd, IDOK);
    DWORD code = 99;
    ASSERT_TRUE(a.wait_exit(10000, &code));
    EXPECT_EQ(code, 0u);
}

TEST(frame, class_already_registered_reports_and_exits_0) {
    expect_failure_box(L"frame_twice", L"Cannot register window class!");
}

TEST(frame, window_refused_reports_and_exits_0) {
    expect_failure_box(L"frame_refuse", L"Unable to create main window.");
}

TEST(frame, exit_code_is_the_quit_message_parameter) {
    app a;
    ASSERT_TRUE(a.start(fixture_path(L"frame_menu")));
    HWND hwnd = a.wait_window(L"frame_menu");
    ASSERT_NE(hwnd, nullptr);
    close(hwnd);
    DWORD code = 99;
    ASSERT_TRUE(a.wait_exit(10000, &code));
    EXPECT_EQ(code, 7u);
}

TEST(harness, menu_reader_sees_items_ids_and_states_inside_the_program) {
    app a;
    ASSERT_TRUE(a.start(fixture_path(L"frame_menu")));
    HWND hwnd = a.wait_window(L"frame_menu");
    ASSERT_NE(hwnd, nullptr);
    auto menu = read_menu(hwnd);
    ASSERT_EQ(menu.size(), 5u);
    EXPECT_EQ(menu[0].text, L"&File");
    EXPECT_EQ(menu[0].id, -1);
    EXPECT_EQ(menu[1].depth, 1);
    EXPECT_EQ(menu[1].text, L"&Open...");
    EXPECT_EQ(menu[1].id, 40001);
    EXPECT_TRUE(menu[2].state & MF_SEPARATOR);
    EXPECT_EQ(menu[3].id, 40002);
    EXPECT_TRUE(menu[3].state & MF_GRAYED);
    EXPECT_EQ(menu[4].depth, 0);
    EXPECT_TRUE(menu[4].state & MF_CHECKED);

    auto sys = read_menu(hwnd, true);
    EXPECT_FALSE(sys.empty());
    bool has_close = false;
    for (auto& it : sys)
        has_close |= it.id == SC_CLOSE;
    EXPECT_TRUE(has_close);
}
