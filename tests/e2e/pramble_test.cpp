// The text bitmap as a user sees it: "Big" stretches one copy of " Hello, world!" over the
// whole client area, "Small" repeats it from the top-left corner, the check mark sits on the
// choice in force, other commands change nothing, and a resize keeps the mode. The text bitmap
// is made here as the program makes it, in the default font and colours.
#include "harness/checks.h"
#include "harness/bitmap_demos.h"

using namespace harness;

namespace {

const int BIG = 40001, SMALL = 40002;

// " Hello, world!" written into a bitmap of its own size.
struct text_bitmap {
    HDC dc = nullptr;
    HBITMAP bmp = nullptr;
    HGDIOBJ old = nullptr;
    SIZE size{};
    text_bitmap() {
        const wchar_t text[] = L" Hello, world!";
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
        bmp = CreateCompatibleBitmap(screen, size.cx, size.cy);
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, bmp);
        TextOutW(dc, 0, 0, text, lstrlenW(text));
    }
    ~text_bitmap() {
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
    image stretched(int width, int height) const {
        return render(width, height, [&](HDC target) {
            StretchBlt(target, 0, 0, width, height, dc, 0, 0, size.cx, size.cy, SRCCOPY);
        });
    }
    image tiled(int width, int height) const {
        return render(width, height, [&](HDC target) {
            for (int y = 0; y < height; y += size.cy)
                for (int x = 0; x < width; x += size.cx)
                    BitBlt(target, x, y, size.cx, size.cy, dc, 0, 0, SRCCOPY);
        });
    }
};

void expect_checked(HWND hwnd, int choice) {
    const std::vector<menu_item> menu = read_menu(hwnd);
    ASSERT_EQ(menu.size(), 3u);
    EXPECT_EQ(menu[0].text, L"&Size");
    EXPECT_EQ(menu[0].id, -1);
    EXPECT_EQ(menu[1].text, L"&Big");
    EXPECT_EQ(menu[1].id, BIG);
    EXPECT_EQ(menu[2].text, L"&Small");
    EXPECT_EQ(menu[2].id, SMALL);
    EXPECT_EQ((menu[1].state & MF_CHECKED) != 0, choice == BIG);
    EXPECT_EQ((menu[2].state & MF_CHECKED) != 0, choice == SMALL);
}

void expect_shown(HWND hwnd, const text_bitmap& text, int choice) {
    const image shown = capture_client(hwnd);
    const image expected = choice == BIG ? text.stretched(shown.width, shown.height)
                                         : text.tiled(shown.width, shown.height);
    std::string first;
    EXPECT_EQ(differing_pixels(shown, expected, &first), 0)
        << (choice == BIG ? "big: " : "small: ") << first;
}

} // namespace

TEST(pramble, big_stretches_small_tiles_and_the_check_follows_the_choice) {
    const text_bitmap text;
    ASSERT_GT(text.size.cx, 0);
    app a;
    HWND hwnd = launch_placed(a, L"pramble", 420, 300);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Pramble");
    EXPECT_EQ(class_standard_icon(hwnd), L"application");
    EXPECT_EQ(gdi_net(hwnd), 0);
    expect_checked(hwnd, BIG);
    expect_shown(hwnd, text, BIG);

    // Each step: a command as the menu sends it, or a new client size; then what is in force.
    const struct {
        int command;
        SIZE size;
        int choice;
    } steps[] = {{SMALL, {}, SMALL},     {SMALL, {}, SMALL}, {40003, {}, SMALL},
                 {0, {333, 217}, SMALL}, {BIG, {}, BIG},     {0, {517, 351}, BIG},
                 {40000, {}, BIG},       {SMALL, {}, SMALL}, {BIG, {}, BIG}};
    for (const auto& s : steps) {
        SCOPED_TRACE("command " + std::to_string(s.command) + " size " + std::to_string(s.size.cx));
        if (s.command) PostMessageW(hwnd, WM_COMMAND, WPARAM(s.command), 0);
        if (s.size.cx) resize_client(hwnd, s.size.cx, s.size.cy);
        expect_shown(hwnd, text, s.choice);
        expect_checked(hwnd, s.choice);
    }
    // The text bitmap and its context are made once; paints and commands make nothing that
    // stays.
    EXPECT_EQ(gdi_net(hwnd), 0);
    expect_closes_with_0(a, hwnd);
}
