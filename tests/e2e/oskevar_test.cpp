// Oskevar's menu bar read inside the program before and after each command, its background
// choice checked on the screen, and its timer heard through the beeps it makes.
#include "harness/menu_views.h"

using namespace harness;

namespace {

UINT popup(int items) {
    return UINT(items << 8) | MF_POPUP;
}

const UINT SEP = MF_SEPARATOR;

std::vector<item_row> oskevar_menu(int checked, bool running) {
    auto check = [&](int id) { return id == checked ? UINT(MF_CHECKED) : 0u; };
    return {{0, -1, popup(6), L"&File"},
            {1, 40001, 0, L"&New"},
            {1, 40002, 0, L"&Open"},
            {1, 40003, 0, L"&Save"},
            {1, 40004, 0, L"Save &As..."},
            {1, 0, SEP, L""},
            {1, 40005, 0, L"E&xit"},
            {0, -1, popup(6), L"&Edit"},
            {1, 40006, 0, L"&Undo"},
            {1, 0, SEP, L""},
            {1, 40007, 0, L"C&ut"},
            {1, 40008, 0, L"&Copy"},
            {1, 40009, 0, L"&Paste"},
            {1, 40010, 0, L"De&lete"},
            {0, -1, popup(5), L"&Background"},
            {1, 40011, check(40011), L"&White"},
            {1, 40012, check(40012), L"&Light Gray"},
            {1, 40013, check(40013), L"&Gray"},
            {1, 40014, check(40014), L"&Dark Gray"},
            {1, 40015, check(40015), L"&Black"},
            {0, -1, popup(2), L"&Timer"},
            {1, 40016, running ? UINT(MF_GRAYED) : 0u, L"&Start"},
            {1, 40017, running ? 0u : UINT(MF_GRAYED), L"S&top"},
            {0, -1, popup(2), L"&Help"},
            {1, 40018, 0, L"&Help..."},
            {1, 40019, 0, L"&About Oskevar..."}};
}

} // namespace

TEST(oskevar, menu_background_choices_and_messages) {
    app a;
    HWND hwnd = launch(a, L"oskevar");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Menu Demonstration");
    expect_menu(read_menu(hwnd), oskevar_menu(40011, false));
    EXPECT_TRUE(all_colour(capture_client(hwnd), {0, 0, 4000, 4000}, 0xFFFFFF));

    // Each background item repaints the whole client area in its stock brush and takes the check
    // mark; White last, so the window is back as it began.
    const struct {
        int id;
        uint32_t colour;
    } backgrounds[] = {{40015, 0x000000},
                       {40012, 0xC0C0C0},
                       {40014, 0x404040},
                       {40013, 0x808080},
                       {40011, 0xFFFFFF}};
    for (const auto& b : backgrounds) {
        SCOPED_TRACE(b.id);
        menu_command(hwnd, b.id);
        image shown = capture_client(hwnd);
        EXPECT_TRUE(all_colour(shown, {0, 0, shown.width, shown.height}, b.colour));
        expect_menu(read_menu(hwnd), oskevar_menu(b.id, false));
    }

    // The File and Edit items only beep.
    const int before = beeps(hwnd);
    const int beepers[] = {40001, 40002, 40003, 40004, 40006, 40007, 40008, 40009, 40010};
    for (int id : beepers)
        menu_command(hwnd, id);
    EXPECT_EQ(beeps(hwnd), before + 9);

    menu_command(hwnd, 40018);
    expect_message_box(a, L"oskevar", L"Help not yet implemented!", box_icon::warning);
    menu_command(hwnd, 40019);
    message_box about = wait_message_box(a);
    ASSERT_NE(about.hwnd, nullptr);
    EXPECT_EQ(about.caption, L"oskevar");
    EXPECT_EQ(about.text.substr(0, 27), L"Menu Demonstration Program\n");
    EXPECT_GT(about.text.size(), 27u) << "no credit line";
    EXPECT_EQ(icon_of(about.hwnd), box_icon::information);
    press(about.hwnd, IDOK);

    // Exit closes the window; the process ends with code 0.
    menu_command(hwnd, 40005);
    DWORD code = 1;
    EXPECT_TRUE(a.wait_exit(5000, &code));
    EXPECT_EQ(code, 0u);
}

TEST(oskevar, the_timer_beeps_once_a_second_between_start_and_stop) {
    app a;
    HWND hwnd = launch(a, L"oskevar");
    ASSERT_NE(hwnd, nullptr);
    const int before = beeps(hwnd);
    menu_command(hwnd, 40016);
    expect_menu(read_menu(hwnd), oskevar_menu(40011, true));
    const DWORD started = GetTickCount();
    EXPECT_TRUE(wait_until([&] { return beeps(hwnd) >= before + 2; }, 4000));
    EXPECT_GE(GetTickCount() - started, 1500u) << "faster than once a second";
    menu_command(hwnd, 40017);
    expect_menu(read_menu(hwnd), oskevar_menu(40011, false));
    // Stopped: no tick comes in the next second and a half.
    const int stopped = beeps(hwnd);
    Sleep(1500);
    EXPECT_EQ(beeps(hwnd), stopped);
    // And it starts again.
    menu_command(hwnd, 40016);
    expect_menu(read_menu(hwnd), oskevar_menu(40011, true));
    EXPECT_TRUE(wait_until([&] { return beeps(hwnd) > stopped; }, 2500));
}
