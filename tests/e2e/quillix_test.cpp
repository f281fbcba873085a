// Quillix driven as a user would: real keystrokes and mouse clicks, the display button's text read
// back after each step.
#include "harness/harness.h"
#include "harness/input_wait.h"
#include "harness/probe.h"

#include <string>
#include <vector>

using namespace harness;

namespace {

const int DISPLAY = 27;

std::wstring display(HWND hwnd) {
    return text_of(GetDlgItem(hwnd, DISPLAY));
}

// What the display shows once everything typed and clicked so far has been handled.
void expect_display(HWND hwnd, const std::wstring& text) {
    EXPECT_TRUE(wait_input_handled(hwnd));
    EXPECT_EQ(display(hwnd), text);
}

INPUT key_input(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = WORD(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    if (up) in.ki.dwFlags = KEYEVENTF_KEYUP;
    return in;
}

// Types `text` on the keyboard: each character as its key with Shift where the layout needs it.
void type(HWND hwnd, const std::wstring& text) {
    SetForegroundWindow(hwnd);
    settle(hwnd, 30);
    for (wchar_t c : text) {
        const SHORT scan = VkKeyScanW(c);
        ASSERT_NE(scan, -1) << "no key for character " << int(c);
        const WORD vk = LOBYTE(scan);
        const bool shift = (HIBYTE(scan) & 1) != 0;
        std::vector<INPUT> in;
        if (shift) in.push_back(key_input(VK_SHIFT, false));
        in.push_back(key_input(vk, false));
        in.push_back(key_input(vk, true));
        if (shift) in.push_back(key_input(VK_SHIFT, true));
        SendInput(UINT(in.size()), in.data(), sizeof(INPUT));
        Sleep(20);
    }
    EXPECT_TRUE(wait_input_handled(hwnd));
}

void press_key(HWND hwnd, WORD vk) {
    SetForegroundWindow(hwnd);
    settle(hwnd, 30);
    INPUT in[2] = {key_input(vk, false), key_input(vk, true)};
    SendInput(2, in, sizeof(INPUT));
    EXPECT_TRUE(wait_input_handled(hwnd));
}

// A real click in the middle of the button with this id.
void click(HWND hwnd, int id) {
    HWND button = GetDlgItem(hwnd, id);
    ASSERT_NE(button, nullptr) << "no button " << id;
    RECT r;
    GetWindowRect(button, &r);
    SetForegroundWindow(hwnd);
    // The pointer is moved first and the click sent only once it is seen over the button, so that
    // the press lands where it is meant to.
    const POINT target{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    auto over_button = [&] {
        POINT p;
        return GetCursorPos(&p) && p.x == target.x && p.y == target.y;
    };
    for (int attempt = 0; attempt < 5; attempt++) {
        SetCursorPos(target.x, target.y);
        if (wait_until(over_button, 1000)) {
            Sleep(50);
            if (over_button()) break;
        }
    }
    ASSERT_TRUE(over_button()) << "the pointer did not reach button " << id;
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
    EXPECT_TRUE(wait_input_handled(hwnd));
}

void click_all(HWND hwnd, const std::string& ids) {
    for (char c : ids)
        click(hwnd, c == 'b' ? 8 : c == 'c' ? 27 : c);
}

HWND start(app& a) {
    HWND hwnd = launch(a, L"quillix");
    if (hwnd) {
        EXPECT_EQ(display(hwnd), L"0");
    }
    return hwnd;
}

TEST(quillix, typing_12_plus_3_enter_shows_15) {
    app a;
    HWND hwnd = start(a);
    ASSERT_NE(hwnd, nullptr);
    type(hwnd, L"12");
    expect_display(hwnd, L"12");
    type(hwnd, L"+");
    expect_display(hwnd, L"12");
    type(hwnd, L"3");
    expect_display(hwnd, L"3");
    press_key(hwnd, VK_RETURN);
    expect_display(hwnd, L"15");
}

TEST(quillix, clicking_12_plus_3_equals_shows_15) {
    app a;
    HWND hwnd = start(a);
    ASSERT_NE(hwnd, nullptr);
    click_all(hwnd, "12");
    expect_display(hwnd, L"12");
    click(hwnd, '+');
    expect_display(hwnd, L"12");
    click(hwnd, '3');
    expect_display(hwnd, L"3");
    click(hwnd, '=');
    expect_display(hwnd, L"15");
    // A click leaves the focus with the main window, so typing goes on working.
    type(hwnd, L"*2\r");
    expect_display(hwnd, L"2A");
}

TEST(quillix, a_ninth_digit_changes_nothing) {
    app a;
    HWND hwnd = start(a);
    ASSERT_NE(hwnd, nullptr);
    type(hwnd, L"12345678");
    expect_display(hwnd, L"12345678");
    type(hwnd, L"9");
    expect_display(hwnd, L"12345678");
    click(hwnd, 'A');
    expect_display(hwnd, L"12345678");
}

TEST(quillix, negative_results_show_64_bits_and_feed_32) {
    app a;
    HWND hwnd = start(a);
    ASSERT_NE(hwnd, nullptr);
    type(hwnd, L"5-6=");
    expect_display(hwnd, L"FFFFFFFFFFFFFFFF");
    // The result's low 32 bits, FFFFFFFF (-1), are the next left operand.
    type(hwnd, L"+3=");
    expect_display(hwnd, L"2");
}

TEST(quillix, division_and_remainder_by_zero_show_minus_one) {
    app a;
    HWND hwnd = start(a);
    ASSERT_NE(hwnd, nullptr);
    type(hwnd, L"7/0=");
    expect_display(hwnd, L"FFFFFFFFFFFFFFFF");
    press_key(hwnd, VK_ESCAPE);
    expect_display(hwnd, L"0");
    type(hwnd, L"7%0=");
    expect_display(hwnd, L"FFFFFFFFFFFFFFFF");
}

// The one quotient that overflows 32 bits: a result, and the calculator keeps working.
TEST(quillix, overflowing_division_keeps_running) {
    app a;
    HWND hwnd = start(a);
    ASSERT_NE(hwnd, nullptr);
    type(hwnd, L"80000000/FFFFFFFF=");
    expect_display(hwnd, L"FFFFFFFF80000000");
    type(hwnd, L"80000000%FFFFFFFF=");
    expect_display(hwnd, L"0");
    ASSERT_TRUE(a.running());
    type(hwnd, L"1+1=");
    expect_display(hwnd, L"2");
}

TEST(quillix, shifts) {
    app a;
    HWND hwnd = start(a);
    ASSERT_NE(hwnd, nullptr);
    type(hwnd, L"80000000>4=");
    expect_display(hwnd, L"FFFFFFFFF8000000"); // sign-filling, shown sign-extended
    type(hwnd, L"1<21=");
    expect_display(hwnd, L"2"); // the count is taken modulo 32
}

TEST(quillix, logic_operations) {
    app a;
    HWND hwnd = start(a);
    ASSERT_NE(hwnd, nullptr);
    type(hwnd, L"F0&3C=");
    expect_display(hwnd, L"30");
    type(hwnd, L"F0|3C=");
    expect_display(hwnd, L"FC");
    type(hwnd, L"F0!3C=");
    expect_display(hwnd, L"CC");
    click_all(hwnd, "A&|6=");
    expect_display(hwnd, L"E");
}

TEST(quillix, a_second_operator_replaces_the_first) {
    app a;
    HWND hwnd = start(a);
    ASSERT_NE(hwnd, nullptr);
    type(hwnd, L"5+*3=");
    expect_display(hwnd, L"F");
}

TEST(quillix, lower_case_letters_enter_digits) {
    app a;
    HWND hwnd = start(a);
    ASSERT_NE(hwnd, nullptr);
    type(hwnd, L"abcdef");
    expect_display(hwnd, L"ABCDEF");
}

TEST(quillix, keys_without_a_button_change_nothing) {
    app a;
    HWND hwnd = start(a);
    ASSERT_NE(hwnd, nullptr);
    type(hwnd, L"12");
    expect_display(hwnd, L"12");
    type(hwnd, L" g.z");
    expect_display(hwnd, L"12");
    type(hwnd, L"3");
    expect_display(hwnd, L"123");
}

TEST(quillix, escape_clears_and_back_removes_the_last_digit) {
    app a;
    HWND hwnd = start(a);
    ASSERT_NE(hwnd, nullptr);
    type(hwnd, L"1234");
    expect_display(hwnd, L"1234");
    press_key(hwnd, VK_BACK);
    expect_display(hwnd, L"123");
    press_key(hwnd, VK_LEFT);
    expect_display(hwnd, L"12");
    click(hwnd, 8);
    expect_display(hwnd, L"1");
    type(hwnd, L"5");
    expect_display(hwnd, L"15");
    press_key(hwnd, VK_ESCAPE);
    expect_display(hwnd, L"0");
    type(hwnd, L"99");
    click(hwnd, DISPLAY); // the display is a button too: clicking it clears
    expect_display(hwnd, L"0");
}

// A key press is shown on its button: it looks pressed for a moment, then as before.
TEST(quillix, a_key_flashes_its_button) {
    app a;
    HWND hwnd = start(a);
    ASSERT_NE(hwnd, nullptr);
    HWND five = GetDlgItem(hwnd, '5');
    ASSERT_NE(five, nullptr);
    RECT r;
    GetWindowRect(five, &r);
    SetForegroundWindow(hwnd);
    settle(hwnd, 200);
    const image normal = capture_screen(r);
    bool flashed = false;
    std::wstring typed;
    for (int attempt = 0; attempt < 3 && !flashed; attempt++) {
        INPUT in[2] = {key_input('5', false), key_input('5', true)};
        SendInput(2, in, sizeof(INPUT));
        typed += L'5';
        const DWORD start_tick = GetTickCount();
        while (!flashed && GetTickCount() - start_tick < 400)
            flashed = !(capture_screen(r) == normal);
        settle(hwnd, 200);
    }
    EXPECT_TRUE(flashed) << "the button never looked pressed";
    EXPECT_TRUE(capture_screen(r) == normal) << "the button did not come back up";
    expect_display(hwnd, typed);
    // A key without a button flashes nothing.
    const image display_look = capture_screen(r);
    type(hwnd, L" ");
    EXPECT_TRUE(wait_input_handled(hwnd));
    EXPECT_TRUE(capture_screen(r) == display_look);
}

struct button_spec {
    int id;
    const wchar_t* text; // as the button shows it
    int x, y, cx, cy;    // dialog units
};

const button_spec buttons[] = {
    {68, L"D", 8, 24, 14, 14},     {65, L"A", 8, 40, 14, 14},   {55, L"7", 8, 56, 14, 14},
    {52, L"4", 8, 72, 14, 14},     {49, L"1", 8, 88, 14, 14},   {48, L"0", 8, 104, 14, 14},
    {27, L"0", 26, 4, 50, 14},     {69, L"E", 26, 24, 14, 14},  {66, L"B", 26, 40, 14, 14},
    {56, L"8", 26, 56, 14, 14},    {53, L"5", 26, 72, 14, 14},  {50, L"2", 26, 88, 14, 14},
    {8, L"Back", 26, 104, 32, 14}, {67, L"C", 44, 40, 14, 14},  {70, L"F", 44, 24, 14, 14},
    {57, L"9", 44, 56, 14, 14},    {54, L"6", 44, 72, 14, 14},  {51, L"3", 44, 88, 14, 14},
    {43, L"+", 62, 24, 14, 14},    {45, L"-", 62, 40, 14, 14},  {42, L"*", 62, 56, 14, 14},
    {47, L"/", 62, 72, 14, 14},    {37, L"%", 62, 88, 14, 14},  {61, L"Equals", 62, 104, 32, 14},
    {38, L"&&", 80, 24, 14, 14},   {124, L"|", 80, 40, 14, 14}, {33, L"!", 80, 56, 14, 14},
    {60, L"<", 80, 72, 14, 14},    {62, L">", 80, 88, 14, 14},
};

// The main window is the template's: its caption, frame, class and 29 buttons, each where the
// template puts it (dialog units scaled like the display's 50 x 14).
TEST(quillix, main_window_comes_from_the_template) {
    app a;
    HWND hwnd = start(a);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(class_of(hwnd), L"quillix");
    EXPECT_EQ(text_of(hwnd), L"Hex Calculator");
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX),
              WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_THICKFRAME | WS_POPUP), 0);
    EXPECT_EQ(GetClassLongW(hwnd, GCL_CBWNDEXTRA), DLGWINDOWEXTRA);

    const std::wstring info = probe(hwnd, PROBE_CLASS_INFO);
    EXPECT_EQ(info, std::to_wstring(CS_HREDRAW | CS_VREDRAW) + L"\t" +
                        std::to_wstring(DLGWINDOWEXTRA) + L"\t" +
                        std::to_wstring(COLOR_BTNFACE + 1) + L"\t1\n");

    std::vector<HWND> kids = children(hwnd);
    ASSERT_EQ(kids.size(), 29u);
    RECT display_rect;
    GetWindowRect(GetDlgItem(hwnd, DISPLAY), &display_rect);
    const double unit_x = (display_rect.right - display_rect.left) / 50.0;
    const double unit_y = (display_rect.bottom - display_rect.top) / 14.0;
    ASSERT_GT(unit_x, 1.0);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    for (size_t i = 0; i < kids.size(); i++) {
        const button_spec& b = buttons[i];
        HWND button = kids[i]; // in template order
        EXPECT_EQ(GetDlgCtrlID(button), b.id) << i;
        EXPECT_EQ(_wcsicmp(class_of(button).c_str(), L"Button"), 0);
        EXPECT_EQ(text_of(button), b.text) << b.id;
        const LONG bs = GetWindowLongW(button, GWL_STYLE);
        EXPECT_EQ(bs & (WS_CHILD | WS_VISIBLE | WS_TABSTOP), WS_CHILD | WS_VISIBLE | WS_TABSTOP);
        EXPECT_EQ(bs & 0x0F, BS_PUSHBUTTON);
        RECT r;
        GetWindowRect(button, &r);
        EXPECT_NEAR(r.left - origin.x, b.x * unit_x, 2.0) << b.id;
        EXPECT_NEAR(r.top - origin.y, b.y * unit_y, 2.0) << b.id;
        EXPECT_NEAR(r.right - r.left, b.cx * unit_x, 2.0) << b.id;
        EXPECT_NEAR(r.bottom - r.top, b.cy * unit_y, 2.0) << b.id;
    }
    // The client area is the template's 102 x 122 units.
    const RECT client = client_rect(hwnd);
    EXPECT_NEAR(client.right - client.left, 102 * unit_x, 3.0);
    EXPECT_NEAR(client.bottom - client.top, 122 * unit_y, 3.0);
}

TEST(quillix, closing_exits_with_code_0) {
    app a;
    HWND hwnd = start(a);
    ASSERT_NE(hwnd, nullptr);
    close(hwnd);
    DWORD code = 99;
    ASSERT_TRUE(a.wait_exit(10000, &code));
    EXPECT_EQ(code, 0u);
}

} // namespace
