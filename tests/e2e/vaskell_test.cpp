#include "harness/checks.h"
#include "harness/harness.h"

using namespace harness;

TEST(vaskell, tells_the_screen_size_in_one_box_and_exits_0) {
    app a;
    ASSERT_TRUE(a.start(program_path(L"vaskell")));
    message_box box = wait_message_box(a);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.caption, L"Vaskell");
    EXPECT_EQ(box.text, L"The screen is " + std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) +
                            L" pixels wide by " + std::to_wstring(GetSystemMetrics(SM_CYSCREEN)) +
                            L" pixels high.");
    EXPECT_EQ(icon_of(box.hwnd), box_icon::none);
    int buttons = 0;
    for (HWND c : children(box.hwnd))
        if (class_of(c) == L"Button" && IsWindowVisible(c)) buttons++;
    EXPECT_EQ(buttons, 1) << "OK only";
    press(box.hwnd, IDOK);
    expect_exits_with_0(a);
}
