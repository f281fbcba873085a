#include "harness/checks.h"
#include "harness/harness.h"
#include "harness/ink.h"
#include "harness/text_view.h"

#include <string>

using namespace harness;

namespace {

const struct {
    int id;
    const wchar_t* name;
} stock[7] = {{OEM_FIXED_FONT, L"OEM_FIXED_FONT"},
              {ANSI_FIXED_FONT, L"ANSI_FIXED_FONT"},
              {ANSI_VAR_FONT, L"ANSI_VAR_FONT"},
              {SYSTEM_FONT, L"SYSTEM_FONT"},
              {DEVICE_DEFAULT_FONT, L"DEVICE_DEFAULT_FONT"},
              {SYSTEM_FIXED_FONT, L"SYSTEM_FIXED_FONT"},
              {DEFAULT_GUI_FONT, L"DEFAULT_GUI_FONT"}};

// The heading the program should write for a stock font, from what the font says of itself here.
std::wstring heading_of(int index) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(stock[index].id));
    wchar_t face[64] = L"";
    GetTextFaceW(dc, 32, face);
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    DeleteDC(dc);
    return std::wstring(L" ") + stock[index].name + L": Face Name = " + face + L", CharSet = " +
           std::to_wstring(tm.tmCharSet);
}

// The whole picture for one font: heading, the 17 x 17 lines of the grid, the labels and the
// 256 characters, each centred in its cell.
image expected(int w, int h, int index) {
    return render(w, h, [&](HDC dc) {
        SelectObject(dc, GetStockObject(stock[index].id));
        TEXTMETRICW tm;
        GetTextMetricsW(dc, &tm);
        const int cx = std::max(3 * tm.tmAveCharWidth, 2 * tm.tmMaxCharWidth);
        const int cy = tm.tmHeight + 3;
        std::wstring head = heading_of(index);
        TextOutW(dc, 0, 0, head.c_str(), int(head.size()));
        SetTextAlign(dc, TA_TOP | TA_CENTER);
        for (int i = 0; i <= 16; i++) {
            MoveToEx(dc, (i + 2) * cx, 2 * cy, nullptr);
            LineTo(dc, (i + 2) * cx, 19 * cy);
            MoveToEx(dc, cx, (i + 3) * cy, nullptr);
            LineTo(dc, 18 * cx, (i + 3) * cy);
        }
        const wchar_t* digits = L"0123456789ABCDEF";
        for (int i = 0; i < 16; i++) {
            wchar_t top[3] = {digits[i], L'-', 0}, side[3] = {L'-', digits[i], 0};
            TextOutW(dc, (2 * i + 5) * cx / 2, 2 * cy + 2, top, 2);
            TextOutW(dc, 3 * cx / 2, (i + 3) * cy + 2, side, 2);
        }
        for (int i = 0; i < 16; i++)
            for (int j = 0; j < 16; j++) {
                wchar_t ch = wchar_t(16 * j + i);
                TextOutW(dc, (2 * j + 5) * cx / 2, (i + 3) * cy + 2, &ch, 1);
            }
    });
}

// The program shows font `index`: its scroll box is there and the picture matches.
void expect_font(HWND hwnd, int index) {
    drain(hwnd);
    scroll_state s = read_scroll(hwnd, SB_VERT);
    ASSERT_TRUE(s.present);
    EXPECT_EQ(s.pos, index);
    EXPECT_EQ(stale_scroll_bar_pixels(hwnd, SB_VERT), 0) << "the scroll box shows the font";
    image shown = capture_client(hwnd);
    ASSERT_GT(shown.width, 0);
    image ref = expected(shown.width, shown.height, index);
    int bad = ink_mismatch(shown, ref, RECT{0, 0, shown.width, shown.height});
    EXPECT_EQ(bad, 0) << "font " << index;
    if (bad) save_pair(shown, ref, L"feldrin-" + std::to_wstring(index));
}

HWND open_large(app& a) {
    HWND hwnd = launch(a, L"feldrin");
    if (hwnd) resize(hwnd, 1000, 740); // room for the widest grid
    return hwnd;
}

void press_key(HWND hwnd, UINT vk) {
    PostMessageW(hwnd, WM_KEYDOWN, vk, 1);
    drain(hwnd);
}

void scroll(HWND hwnd, WORD code, WORD pos = 0) {
    PostMessageW(hwnd, WM_VSCROLL, MAKEWPARAM(code, pos), 0);
    drain(hwnd);
}

} // namespace

TEST(feldrin, class_caption_scroll_range_and_the_first_font) {
    app a;
    HWND hwnd = open_large(a);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(class_of(hwnd), L"feldrin");
    EXPECT_EQ(text_of(hwnd), L"Stock Fonts");
    scroll_state s = read_scroll(hwnd, SB_VERT);
    ASSERT_TRUE(s.present);
    EXPECT_EQ(s.min, 0);
    EXPECT_EQ(s.max, 6);
    expect_font(hwnd, 0);
}

TEST(feldrin, every_font_in_turn_with_the_down_key) {
    app a;
    HWND hwnd = open_large(a);
    ASSERT_NE(hwnd, nullptr);
    for (int i = 1; i < 7; i++) {
        press_key(hwnd, VK_DOWN);
        expect_font(hwnd, i);
    }
    // Down on the last font keeps it, and the picture stays whole.
    press_key(hwnd, VK_DOWN);
    expect_font(hwnd, 6);
}

TEST(feldrin, keys_step_through_the_fonts_and_stop_at_the_ends) {
    app a;
    HWND hwnd = open_large(a);
    ASSERT_NE(hwnd, nullptr);
    const struct {
        UINT vk;
        int want;
    } steps[] = {{VK_UP, 0},    {VK_PRIOR, 0}, {VK_LEFT, 0}, {VK_END, 6},   {VK_NEXT, 6},
                 {VK_PRIOR, 5}, {VK_LEFT, 4},  {VK_UP, 3},   {VK_RIGHT, 4}, {VK_NEXT, 5},
                 {VK_F2, 5},    {VK_HOME, 0},  {VK_RIGHT, 1}};
    for (const auto& step : steps) {
        press_key(hwnd, step.vk);
        scroll_state s = read_scroll(hwnd, SB_VERT);
        EXPECT_EQ(s.pos, step.want) << "after key " << step.vk;
    }
    expect_font(hwnd, 1);
}

TEST(feldrin, scroll_bar_requests) {
    app a;
    HWND hwnd = open_large(a);
    ASSERT_NE(hwnd, nullptr);
    scroll(hwnd, SB_THUMBPOSITION, 3);
    expect_font(hwnd, 3);
    // Dragging changes nothing until the thumb is let go; the drag and the end of a scroll still
    // repaint the font shown.
    for (WORD code : {SB_THUMBTRACK, SB_ENDSCROLL}) {
        start_text_log(hwnd);
        scroll(hwnd, code, 5);
        expect_font(hwnd, 3);
        EXPECT_NE(find_call(text_log(hwnd), L"A"), nullptr) << "no repaint after code " << code;
    }
    // So does a change of the display's settings.
    start_text_log(hwnd);
    PostMessageW(hwnd, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    expect_font(hwnd, 3);
    EXPECT_NE(find_call(text_log(hwnd), L"A"), nullptr) << "no repaint after a display change";
    scroll(hwnd, SB_BOTTOM);
    EXPECT_EQ(read_scroll(hwnd, SB_VERT).pos, 6);
    scroll(hwnd, SB_LINEDOWN);
    EXPECT_EQ(read_scroll(hwnd, SB_VERT).pos, 6);
    scroll(hwnd, SB_PAGEUP);
    EXPECT_EQ(read_scroll(hwnd, SB_VERT).pos, 5);
    scroll(hwnd, SB_THUMBPOSITION, 60);
    EXPECT_EQ(read_scroll(hwnd, SB_VERT).pos, 6);
    scroll(hwnd, SB_TOP);
    EXPECT_EQ(read_scroll(hwnd, SB_VERT).pos, 0);
    scroll(hwnd, SB_LINEUP);
    expect_font(hwnd, 0);
}
