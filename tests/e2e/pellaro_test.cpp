#include "harness/checks.h"
#include "harness/harness.h"

using namespace harness;

TEST(pellaro, greets_in_one_message_box_and_exits_0_after_ok) {
    app a;
    ASSERT_TRUE(a.start(program_path(L"pellaro")));
    message_box box = wait_message_box(a);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.caption, L"Pellaro");
    EXPECT_EQ(box.text, L"Hello, Microsoft Windows!");
    EXPECT_EQ(icon_of(box.hwnd), box_icon::none);
    int buttons = 0;
    for (HWND c : children(box.hwnd))
        if (class_of(c) == L"Button" && IsWindowVisible(c)) buttons++;
    EXPECT_EQ(buttons, 1);
    EXPECT_NE(GetDlgItem(box.hwnd, IDOK), nullptr);

    press(box.hwnd, IDOK);
    expect_exits_with_0(a);
}
