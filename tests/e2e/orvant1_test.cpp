// On this display (24 bits, no palette) the system palette viewer refuses to run: its own error
// message, owned by the window being created, then the frame's creation failure, and exit code 0.
#include "harness/harness.h"

using namespace harness;

namespace {

TEST(orvant1, refuses_a_display_without_a_256_colour_palette) {
    HDC screen = GetDC(nullptr);
    const int palette = GetDeviceCaps(screen, SIZEPALETTE);
    ReleaseDC(nullptr, screen);
    ASSERT_NE(palette, 256) << "this test is for a display without a 256-colour palette";

    app a;
    ASSERT_TRUE(a.start(program_path(L"orvant1")));
    const message_box first = wait_message_box(a);
    ASSERT_NE(first.hwnd, nullptr);
    EXPECT_EQ(first.caption, L"orvant1");
    EXPECT_EQ(first.text,
              L"This program requires that the video display mode have a 256-color palette.");
    EXPECT_EQ(icon_of(first.hwnd), box_icon::error);
    HWND owner = GetWindow(first.hwnd, GW_OWNER);
    ASSERT_NE(owner, nullptr) << "owned by the window";
    EXPECT_EQ(class_of(owner), L"orvant1");
    EXPECT_EQ(text_of(owner), L"System Palette #1");
    press(first.hwnd, IDOK);
    ASSERT_TRUE(wait_until([&] { return !IsWindow(first.hwnd); }));

    const message_box second = wait_message_box(a);
    ASSERT_NE(second.hwnd, nullptr);
    EXPECT_EQ(second.caption, L"orvant1");
    EXPECT_EQ(second.text, L"Unable to create main window.");
    EXPECT_EQ(icon_of(second.hwnd), box_icon::error);
    EXPECT_EQ(GetWindow(second.hwnd, GW_OWNER), nullptr);
    press(second.hwnd, IDOK);

    DWORD code = 99;
    ASSERT_TRUE(a.wait_exit(10000, &code));
    EXPECT_EQ(code, 0u);
}

} // namespace
