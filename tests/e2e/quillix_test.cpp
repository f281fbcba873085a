// Quillix driven as a user would: real keystrokes and mouse clicks, the display button's text read
// back after each step.
#include "harness/checks.h"
#include "harness/harness.h"
#include "harness/mouse_input.h"
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

INPUT key_input(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = WORD(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    if (up) in.ki.dwFlags = KEYEVENTF_KEYUP;
    return in;
}

// Types `keys` on the keyboard: Enter, Esc, Backspace and the Left arrow as those keys (the arrow
// written as U+2190), every other character as its key with Shift where the layout needs it.
void type(HWND hwnd, const std::wstring& keys) {
    SetForegroundWindow(hwnd);
    settle(hwnd, 30);
    for (wchar_t c : keys) {
        SHORT scan = c == L'\r'    ? VK_RETURN
                     : c == 27     ? VK_ESCAPE
                     : c == L'\b'  ? VK_BACK
                     : c == 0x2190 ? VK_LEFT
                                   : VkKeyScanW(c);
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

// A real click in the middle of the button with this id. Each event carries its position, so
// that a pointer position reported back late cannot send the press elsewhere.
void click(HWND hwnd, int id) {
    HWND b = GetDlgItem(hwnd, id);
    ASSERT_NE(b, nullptr) << "no button " << id;
    RECT r;
    GetWindowRect(b, &r);
    SetForegroundWindow(hwnd);
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ScreenToClient(hwnd, &p);
    mouse_down(hwnd, p, button::left);
    mouse_up(hwnd, p, button::left);
    EXPECT_TRUE(wait_input_handled(hwnd));
}

HWND start(app& a) {
    HWND hwnd = launch(a, L"quillix");
    if (hwnd) {
        EXPECT_EQ(display(hwnd), L"0");
    }
    return hwnd;
}

struct step {
    const wchar_t* keys;
    const wchar_t* display; // after the keys
    int beeps = 0;          // how many of the keys were refused with a beep
};

// One calculator, typed at step after step (a result ends each calculation, so the next number
// starts afresh).
TEST(quillix, typed_calculations) {
    const step steps[] = {
        {L"12", L"12"},
        {L"+", L"12"},
        {L"3", L"3"},
        {L"\r", L"15"},
        {L"\x1b", L"0"}, // Esc clears
        {L"12345678", L"12345678"},
        {L"9", L"12345678", 1}, // a ninth digit is refused
        {L"\b", L"1234567"},
        {L"\x2190", L"123456"},    // the Left arrow works as Backspace
        {L"7 g.z", L"1234567", 4}, // keys without a button change nothing
        {L"\x1b"
         L"5-6=",
         L"FFFFFFFFFFFFFFFF"},
        {L"+3=", L"2"}, // the result's low 32 bits (-1) are the next left operand
        {L"7/0=", L"FFFFFFFFFFFFFFFF"},
        {L"7%0=", L"FFFFFFFFFFFFFFFF"},
        {L"80000000>4=", L"FFFFFFFFF8000000"}, // sign-filling
        {L"1<21=", L"2"},                      // the count modulo 32
        {L"5+*3=", L"F"},                      // a second operator replaces the first
        {L"F0&3C=", L"30"},
        {L"F0|3C=", L"FC"},
        {L"F0!3C=", L"CC"},
        {L"abcdef", L"ABCDEF"},
        // The one quotient that overflows 32 bits: a result, and the calculator keeps working.
        {L"\x1b"
         L"80000000/FFFFFFFF=",
         L"FFFFFFFF80000000"},
        {L"80000000%FFFFFFFF=", L"0"},
        {L"1+1=", L"2"},
    };
    app a;
    HWND hwnd = start(a);
    ASSERT_NE(hwnd, nullptr);
    ASSERT_EQ(beeps(hwnd), 0);
    int beeped = 0;
    for (const step& s : steps) {
        type(hwnd, s.keys);
        EXPECT_EQ(display(hwnd), s.display) << "after typing " << std::wstring(s.keys).c_str();
        const int now = beeps(hwnd);
        EXPECT_EQ(now - beeped, s.beeps) << "beeps after typing " << std::wstring(s.keys).c_str();
        beeped = now;
    }
    EXPECT_TRUE(a.running());
}

// Clicks run the same commands, and leave the keyboard with the main window.
TEST(quillix, clicked_calculations) {
    app a;
    HWND hwnd = start(a);
    ASSERT_NE(hwnd, nullptr);
    auto click_all = [&](const char* ids) {
        for (const char* c = ids; *c; c++)
            click(hwnd, *c == 'b' ? 8 : *c == 'c' ? DISPLAY : *c);
        return display(hwnd);
    };
    EXPECT_EQ(click_all("12"), L"12");
    EXPECT_EQ(click_all("+"), L"12");
    EXPECT_EQ(click_all("3="), L"15");
    type(hwnd, L"*2\r");
    EXPECT_EQ(display(hwnd), L"2A");
    EXPECT_EQ(click_all("c"), L"0"); // the display is a button too: clicking it clears
    ASSERT_EQ(beeps(hwnd), 0);
    EXPECT_EQ(click_all("12345678A"), L"12345678");
    EXPECT_EQ(beeps(hwnd), 1) << "the ninth digit is refused with a beep";
    EXPECT_EQ(click_all("b"), L"1234567");
    EXPECT_EQ(click_all("cA&|6="), L"E");
}

// A key press shows on its button: it looks pressed for a moment, then as before.
TEST(quillix, a_key_flashes_its_button) {
    app a;
    HWND hwnd = start(a);
    ASSERT_NE(hwnd, nullptr);
    RECT r;
    GetWindowRect(GetDlgItem(hwnd, '5'), &r);
    SetForegroundWindow(hwnd);
    settle(hwnd, 200);
    const image normal = capture_screen(r);
    bool flashed = false;
    std::wstring typed;
    for (int attempt = 0; attempt < 3 && !flashed; attempt++) {
        if (attempt) note_retry("the pressed button was not seen; the key is typed again");
        INPUT in[2] = {key_input('5', false), key_input('5', true)};
        SendInput(2, in, sizeof(INPUT));
        typed += L'5';
        const DWORD start_tick = GetTickCount();
        while (!flashed && GetTickCount() - start_tick < 400)
            flashed = !(capture_screen(r) == normal);
        settle(hwnd, 200);
    }
    EXPECT_TRUE(flashed) << "the button never looked pressed";
    EXPECT_TRUE(wait_input_handled(hwnd));
    EXPECT_TRUE(capture_screen(r) == normal) << "the button did not come back up";
    EXPECT_EQ(display(hwnd), typed);
}

// The main window is the template's: its caption, frame, class and 29 buttons in order, each
// where the template puts it (dialog units scaled like the display's 50 x 14).
TEST(quillix, main_window_comes_from_the_template) {
    const int ids[29] = {68, 65, 55, 52, 49, 48, 27, 69, 66, 56, 53,  50, 8,  67, 70,
                         57, 54, 51, 43, 45, 42, 47, 37, 61, 38, 124, 33, 60, 62};
    const wchar_t* texts[29] = {L"D", L"A", L"7",    L"4",      L"1",  L"0", L"0", L"E", L"B", L"8",
                                L"5", L"2", L"Back", L"C",      L"F",  L"9", L"6", L"3", L"+", L"-",
                                L"*", L"/", L"%",    L"Equals", L"&&", L"|", L"!", L"<", L">"};
    // Left column to right column, top to bottom; every button 14 high.
    const int x[29] = {8,  8,  8,  8,  8,  8,  26, 26, 26, 26, 26, 26, 26, 44, 44,
                       44, 44, 44, 62, 62, 62, 62, 62, 62, 80, 80, 80, 80, 80};
    const int y[29] = {24, 40, 56, 72, 88, 104, 4,  24, 40,  56, 72, 88, 104, 40, 24,
                       56, 72, 88, 24, 40, 56,  72, 88, 104, 24, 40, 56, 72,  88};
    app a;
    HWND hwnd = start(a);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(class_of(hwnd), L"quillix");
    EXPECT_EQ(text_of(hwnd), L"Hex Calculator");
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME),
              WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    // Class style, the dialog's extra bytes, the button-face background and the own icon.
    EXPECT_EQ(probe(hwnd, PROBE_CLASS_INFO), std::to_wstring(CS_HREDRAW | CS_VREDRAW) + L"\t" +
                                                 std::to_wstring(DLGWINDOWEXTRA) + L"\t" +
                                                 std::to_wstring(COLOR_BTNFACE + 1) + L"\t1\n");

    const std::vector<HWND> kids = children(hwnd);
    ASSERT_EQ(kids.size(), 29u);
    RECT d;
    GetWindowRect(GetDlgItem(hwnd, DISPLAY), &d);
    const double ux = (d.right - d.left) / 50.0, uy = (d.bottom - d.top) / 14.0;
    // Dialog units of the system font at the screen's real DPI: a quarter of its average width
    // across, an eighth of its height down.
    const LONG units = GetDialogBaseUnits();
    EXPECT_NEAR(ux, LOWORD(units) / 4.0, 0.02);
    EXPECT_NEAR(uy, HIWORD(units) / 8.0, 0.04);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    for (size_t i = 0; i < kids.size(); i++) {
        EXPECT_EQ(GetDlgCtrlID(kids[i]), ids[i]) << i;
        EXPECT_EQ(text_of(kids[i]), texts[i]) << ids[i];
        EXPECT_EQ(GetWindowLongW(kids[i], GWL_STYLE) & (WS_TABSTOP | 0x0F),
                  WS_TABSTOP | BS_PUSHBUTTON);
        RECT r;
        GetWindowRect(kids[i], &r);
        const int width = ids[i] == DISPLAY ? 50 : ids[i] == 8 || ids[i] == '=' ? 32 : 14;
        EXPECT_NEAR(r.left - origin.x, x[i] * ux, 2.0) << ids[i];
        EXPECT_NEAR(r.top - origin.y, y[i] * uy, 2.0) << ids[i];
        EXPECT_NEAR(r.right - r.left, width * ux, 2.0) << ids[i];
        EXPECT_NEAR(r.bottom - r.top, 14 * uy, 2.0) << ids[i];
    }
    const RECT client = client_rect(hwnd);
    EXPECT_NEAR(client.right - client.left, 102 * ux, 3.0);
    EXPECT_NEAR(client.bottom - client.top, 122 * uy, 3.0);

    expect_closes_with_0(a, hwnd);
}

} // namespace
