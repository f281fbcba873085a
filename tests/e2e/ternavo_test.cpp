#include "harness/checks.h"
#include "harness/harness.h"
#include "harness/hooks.h"
#include "harness/ink.h"

#include <string>

using namespace harness;

namespace {

// The program's own resources, read from its executable.
struct resources {
    HMODULE module;
    resources()
        : module(LoadLibraryExW(program_path(L"ternavo").c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE)) {}
    ~resources() {
        if (module) FreeLibrary(module);
    }
    std::wstring string(UINT id) const {
        wchar_t buf[256] = L"";
        LoadStringW(module, id, buf, 256);
        return buf;
    }
    std::string text() const {
        HRSRC r = FindResourceW(module, L"Corvenna", L"TEXT");
        if (!r) return {};
        const char* p = static_cast<const char*>(LockResource(LoadResource(module, r)));
        return std::string(p, SizeofResource(module, r));
    }
    // What is shown: up to the first backslash or NUL.
    std::string shown() const {
        std::string t = text();
        return t.substr(0, t.find_first_of(std::string("\\\0", 2)));
    }
    int line_count() const {
        std::string s = shown();
        return int(std::count(s.begin(), s.end(), '\n'));
    }
};

struct system_font_size {
    int cx, cy;
    system_font_size() {
        HDC dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, GetStockObject(SYSTEM_FONT));
        TEXTMETRICW tm;
        GetTextMetricsW(dc, &tm);
        DeleteDC(dc);
        cx = tm.tmAveCharWidth;
        cy = tm.tmHeight + tm.tmExternalLeading;
    }
};

HWND scroll_bar_of(HWND hwnd) {
    return find_control(hwnd, 1, L"ScrollBar");
}

int position_of(HWND hwnd) {
    HWND bar = scroll_bar_of(hwnd);
    EXPECT_EQ(stale_scroll_bar_pixels(bar, SB_CTL), 0) << "the scroll box shows the position";
    return read_scroll(bar, SB_CTL).pos;
}

// The poem should start one line down and one character in, moved up by `position` lines; the
// scroll bar's strip is left out of the comparison.
void expect_poem_at(HWND hwnd, int position, const char* name) {
    drain(hwnd);
    settle(hwnd, 100); // keys typed for real come after posted messages
    EXPECT_EQ(position_of(hwnd), position);
    resources res;
    system_font_size f;
    std::string text = res.shown();
    image shown = capture_client(hwnd);
    ASSERT_GT(shown.width, 0);
    image ref = render(shown.width, shown.height, [&](HDC dc) {
        RECT r{f.cx, f.cy * (1 - position), shown.width, shown.height};
        DrawTextA(dc, text.c_str(), int(text.size()), &r, DT_EXTERNALLEADING);
    });
    RECT area{0, 0, shown.width - GetSystemMetrics(SM_CXVSCROLL), shown.height};
    int bad = ink_mismatch(shown, ref, area);
    EXPECT_EQ(bad, 0) << "at position " << position;
    if (bad) save_pair(shown, ref, std::wstring(name, name + strlen(name)));
}

void scroll(HWND hwnd, WORD code, WORD pos = 0) {
    PostMessageW(hwnd, WM_VSCROLL, MAKEWPARAM(code, pos), 0);
    drain(hwnd);
}

} // namespace

TEST(ternavo, class_caption_and_failure_text_come_from_its_string_table) {
    resources res;
    ASSERT_NE(res.module, nullptr);
    EXPECT_EQ(res.string(1), L"Ternavo");
    EXPECT_EQ(res.string(3), L"This program requires Windows NT/2000/XP!");
    const std::wstring caption = res.string(2);
    EXPECT_FALSE(caption.empty());
    EXPECT_LT(caption.size(), 64u); // fits its buffer
    EXPECT_NE(FindResourceW(res.module, L"Ternavo", MAKEINTRESOURCEW(14)), nullptr) // the icon
        << "no icon named like the class";
    app a;
    HWND hwnd = launch(a, L"ternavo");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(class_of(hwnd), L"Ternavo");
    EXPECT_EQ(text_of(hwnd), caption);
    EXPECT_TRUE(GetWindowLongW(hwnd, GWL_STYLE) & WS_CLIPCHILDREN);
}

TEST(ternavo, poem_is_8bit_text_with_cr_lf_line_ends_ended_by_a_backslash) {
    resources res;
    std::string text = res.text();
    ASSERT_GT(text.size(), 200u);
    for (size_t i = 0; i < text.size(); i++) {
        EXPECT_LT(static_cast<unsigned char>(text[i]), 128u) << "at " << i;
        if (text[i] == '\n') {
            EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
        }
        if (text[i] == '\r') {
            EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at " << i;
        }
    }
    EXPECT_NE(text.find('\\'), std::string::npos);
    EXPECT_GT(res.line_count(), 30); // longer than a window, so it scrolls
}

TEST(ternavo, poem_one_line_down_one_character_in_with_the_scroll_bar_along_the_right) {
    app a;
    HWND hwnd = launch(a, L"ternavo");
    ASSERT_NE(hwnd, nullptr);
    HWND bar = scroll_bar_of(hwnd);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(GetWindowLongW(bar, GWL_STYLE) & SBS_VERT);
    RECT client = client_rect(hwnd), r;
    GetWindowRect(bar, &r);
    EXPECT_EQ(r.right, client.right);
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(r.top, client.top);
    EXPECT_EQ(r.bottom, client.bottom);
    resources res;
    scroll_state s = read_scroll(bar, SB_CTL);
    ASSERT_TRUE(s.present);
    EXPECT_EQ(s.min, 0);
    EXPECT_EQ(s.max, res.line_count());
    expect_poem_at(hwnd, 0, "ternavo-top");
    // It follows the window's size.
    resize(hwnd, 500, 300);
    client = client_rect(hwnd);
    GetWindowRect(bar, &r);
    EXPECT_EQ(r.right, client.right);
    EXPECT_EQ(r.bottom, client.bottom);
    expect_poem_at(hwnd, 0, "ternavo-small");
}

TEST(ternavo, scroll_bar_holds_the_focus_and_the_keys_scroll) {
    app a;
    HWND hwnd = launch(a, L"ternavo");
    ASSERT_NE(hwnd, nullptr);
    resize(hwnd, 600, 400);
    HWND bar = scroll_bar_of(hwnd);
    EXPECT_EQ(read_gui_state(hwnd).focus, bar);
    send_input_keys(hwnd, {VK_DOWN});
    expect_poem_at(hwnd, 1, "ternavo-down");
    send_input_keys(hwnd, {VK_DOWN});
    send_input_keys(hwnd, {VK_UP});
    expect_poem_at(hwnd, 1, "ternavo-up");
    send_input_keys(hwnd, {VK_NEXT});
    RECT c;
    GetClientRect(hwnd, &c);
    expect_poem_at(hwnd, 1 + c.bottom / system_font_size().cy, "ternavo-page");
    send_input_keys(hwnd, {VK_HOME});
    expect_poem_at(hwnd, 0, "ternavo-home");
}

TEST(ternavo, scrolled_to_the_bottom_the_last_line_is_at_the_top) {
    app a;
    HWND hwnd = launch(a, L"ternavo");
    ASSERT_NE(hwnd, nullptr);
    resources res;
    const int n = res.line_count();
    send_input_keys(hwnd, {VK_END});
    expect_poem_at(hwnd, n, "ternavo-bottom");
    // Seen on its own: the last line of the poem in the top row, nothing below it.
    std::string text = res.shown();
    text.resize(text.size() - 2); // its CR LF
    std::string last = text.substr(text.rfind('\n') + 1);
    ASSERT_GT(last.size(), 10u);
    system_font_size f;
    image shown = capture_client(hwnd);
    image ref = render(shown.width, shown.height,
                       [&](HDC dc) { TextOutA(dc, f.cx, 0, last.c_str(), int(last.size())); });
    RECT text_area{0, 0, shown.width - GetSystemMetrics(SM_CXVSCROLL), shown.height};
    EXPECT_EQ(ink_mismatch(shown, ref, text_area), 0);
    RECT ink = bounds(ref, is_dark);
    EXPECT_LT(ink.bottom, f.cy + 1);
    EXPECT_GT(ink.right - ink.left, 50);
    // Further down is not possible.
    send_input_keys(hwnd, {VK_DOWN});
    EXPECT_EQ(position_of(hwnd), n);
}

TEST(ternavo, scroll_requests_move_by_lines_and_pages_within_the_range) {
    app a;
    HWND hwnd = launch(a, L"ternavo");
    ASSERT_NE(hwnd, nullptr);
    resize(hwnd, 600, 300);
    resources res;
    const int n = res.line_count();
    RECT c;
    GetClientRect(hwnd, &c);
    const int page = c.bottom / system_font_size().cy;
    scroll(hwnd, SB_LINEUP);
    EXPECT_EQ(position_of(hwnd), 0);
    scroll(hwnd, SB_PAGEDOWN);
    EXPECT_EQ(position_of(hwnd), page);
    scroll(hwnd, SB_LINEDOWN);
    EXPECT_EQ(position_of(hwnd), page + 1);
    scroll(hwnd, SB_PAGEUP);
    EXPECT_EQ(position_of(hwnd), 1);
    scroll(hwnd, SB_THUMBTRACK, 9); // only the release moves the text
    EXPECT_EQ(position_of(hwnd), 1);
    scroll(hwnd, SB_THUMBPOSITION, 7);
    expect_poem_at(hwnd, 7, "ternavo-thumb");
    scroll(hwnd, SB_THUMBPOSITION, WORD(n + 50));
    EXPECT_EQ(position_of(hwnd), n);
    scroll(hwnd, SB_PAGEDOWN);
    EXPECT_EQ(position_of(hwnd), n);
    scroll(hwnd, SB_TOP);
    expect_poem_at(hwnd, 0, "ternavo-top-again");
}

TEST(ternavo, a_main_window_that_cannot_be_made_is_reported_in_8bit_text) {
    refuse_windows refuse(L"Ternavo");
    ASSERT_TRUE(refuse.ok());
    app a;
    ASSERT_TRUE(a.start(program_path(L"ternavo")));
    message_box box = wait_message_box(a);
    ASSERT_NE(box.hwnd, nullptr);
    // The whole class name as caption, not just its first letter.
    EXPECT_EQ(box.caption, L"Ternavo");
    EXPECT_EQ(box.text, L"This program requires Windows NT/2000/XP!");
    EXPECT_EQ(icon_of(box.hwnd), box_icon::error);
    press(box.hwnd, IDOK);
    expect_exits_with_0(a);
}
