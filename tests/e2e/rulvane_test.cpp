// Rulvane's floating popup: opened by a right click at the mouse, read inside the program while it
// is shown, closed by Esc, and one of its items chosen from the keyboard.
#include "harness/menu_views.h"

using namespace harness;

namespace {

UINT popup(int items) {
    return UINT(items << 8) | MF_POPUP;
}

std::vector<item_row> rulvane_popup(int checked) {
    auto check = [&](int id) { return id == checked ? UINT(MF_CHECKED) : 0u; };
    return {{0, -1, popup(6), L"&File"},
            {1, 40001, 0, L"&New"},
            {1, 40002, 0, L"&Open"},
            {1, 40003, 0, L"&Save"},
            {1, 40004, 0, L"Save &As"},
            {1, 0, MF_SEPARATOR, L""},
            {1, 40005, 0, L"E&xit"},
            {0, -1, popup(6), L"&Edit"},
            {1, 40006, 0, L"&Undo"},
            {1, 0, MF_SEPARATOR, L""},
            {1, 40007, 0, L"Cu&t"},
            {1, 40008, 0, L"&Copy"},
            {1, 40009, 0, L"&Paste"},
            {1, 40010, 0, L"De&lete"},
            {0, -1, popup(5), L"&Background"},
            {1, 40011, check(40011), L"&White"},
            {1, 40012, check(40012), L"&Light Gray"},
            {1, 40013, check(40013), L"&Gray"},
            {1, 40014, check(40014), L"&Dark Gray"},
            {1, 40015, check(40015), L"&Black"},
            {0, -1, popup(2), L"&Help"},
            {1, 40016, 0, L"&Help..."},
            {1, 40017, 0, L"&About Rulvane..."}};
}

// A right click at (x, y) of the client area; the popup must open with its corner there.
popup_view open_popup(app& a, HWND hwnd, int x, int y) {
    post_click(hwnd, x, y, true);
    EXPECT_TRUE(wait_popup(a, true)) << "no popup menu";
    popup_view v = read_popup(hwnd);
    POINT at{x, y};
    ClientToScreen(hwnd, &at);
    EXPECT_TRUE(v.shown);
    EXPECT_EQ(v.at.x, at.x);
    EXPECT_EQ(v.at.y, at.y);
    return v;
}

void press_escape(HWND hwnd) {
    PostMessageW(hwnd, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageW(hwnd, WM_KEYUP, VK_ESCAPE, LPARAM(0xC0010001));
}

} // namespace

TEST(rulvane, right_click_opens_the_popup_at_the_mouse_and_esc_closes_it) {
    app a;
    HWND hwnd = launch(a, L"rulvane");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Popup Menu Demonstration");
    EXPECT_TRUE(read_menu(hwnd).empty()) << "the window has a menu bar";

    // Two places, so that a fixed position would not pass.
    for (POINT p : {POINT{40, 30}, POINT{230, 150}}) {
        popup_view v = open_popup(a, hwnd, p.x, p.y);
        expect_menu(v.items, rulvane_popup(40011));
        press_escape(hwnd);
        EXPECT_TRUE(wait_popup(a, false)) << "Esc left the popup open";
    }
    // The window goes on working.
    image shown = capture_client(hwnd);
    EXPECT_TRUE(all_colour(shown, {0, 0, shown.width, shown.height}, 0xFFFFFF));
}

TEST(rulvane, background_chosen_in_the_popup_repaints_and_moves_the_check_mark) {
    app a;
    HWND hwnd = launch(a, L"rulvane");
    ASSERT_NE(hwnd, nullptr);
    // From the keyboard: B opens Background, B again chooses Black.
    open_popup(a, hwnd, 60, 60);
    PostMessageW(hwnd, WM_CHAR, L'b', 0x00300001);
    PostMessageW(hwnd, WM_CHAR, L'b', 0x00300001);
    EXPECT_TRUE(wait_popup(a, false));
    image shown = capture_client(hwnd);
    EXPECT_TRUE(all_colour(shown, {0, 0, shown.width, shown.height}, 0x000000));
    popup_view v = open_popup(a, hwnd, 100, 50);
    expect_menu(v.items, rulvane_popup(40015));
    press_escape(hwnd);
    EXPECT_TRUE(wait_popup(a, false));

    const struct {
        int id;
        uint32_t colour;
    } backgrounds[] = {{40013, 0x808080}, {40012, 0xC0C0C0}, {40014, 0x404040}, {40011, 0xFFFFFF}};
    for (const auto& b : backgrounds) {
        SCOPED_TRACE(b.id);
        menu_command(hwnd, b.id);
        shown = capture_client(hwnd);
        EXPECT_TRUE(all_colour(shown, {0, 0, shown.width, shown.height}, b.colour));
    }
    v = open_popup(a, hwnd, 100, 50);
    expect_menu(v.items, rulvane_popup(40011));
    press_escape(hwnd);
    EXPECT_TRUE(wait_popup(a, false));

    const int before = beeps(hwnd);
    for (int id = 40001; id <= 40010; id++)
        if (id != 40005) menu_command(hwnd, id);
    EXPECT_EQ(beeps(hwnd), before + 9);
    menu_command(hwnd, 40016);
    expect_message_box(a, L"rulvane", L"Help not yet implemented!", box_icon::warning);
    menu_command(hwnd, 40017);
    message_box about = wait_message_box(a);
    ASSERT_NE(about.hwnd, nullptr);
    EXPECT_EQ(about.caption, L"rulvane");
    EXPECT_EQ(about.text.substr(0, 33), L"Popup Menu Demonstration Program\n");
    EXPECT_EQ(icon_of(about.hwnd), box_icon::information);
    press(about.hwnd, IDOK);
    menu_command(hwnd, 40005);
    DWORD code = 1;
    EXPECT_TRUE(a.wait_exit(5000, &code));
    EXPECT_EQ(code, 0u);
}
