// Sardeno's log read on the screen: each line the buttons cause is drawn here in the same fixed
// font at the row where it must stand, and compared with what the window shows.
#include "harness/checks.h"
#include "harness/hooks.h"
#include "harness/menu_views.h"

#include <stdio.h>

using namespace harness;

namespace {

struct units {
    int cx, cy;
};

units dialog_units() {
    const LONG u = GetDialogBaseUnits();
    return {LOWORD(u), HIWORD(u)};
}

std::wstring words(uint32_t v) {
    wchar_t s[16];
    swprintf(s, 16, L"%04X-%04X", v >> 16, v & 0xFFFF);
    return s;
}

std::wstring line(const wchar_t* name, uint32_t wp, uint32_t lp) {
    std::wstring n = name;
    n.resize(16, L' ');
    return n + words(wp) + L"    " + words(lp);
}

uint32_t handle_word(HWND h) {
    return uint32_t(reinterpret_cast<uintptr_t>(h));
}

struct log_view {
    HWND hwnd;
    units u = dialog_units();
    // The top of the log row `back` rows above the last full text row.
    int row_y(const image& shown, int back) const {
        return u.cy * (shown.height / u.cy - 1) - back * u.cy;
    }
    int row_difference(const image& shown, int back, const std::wstring& text,
                       int columns = 0) const {
        return text_difference(shown, 24 * u.cx, row_y(shown, back), text, SYSTEM_FIXED_FONT,
                               RGB(0, 0, 0), RGB(255, 255, 255), columns);
    }
    // Nothing but the window's colour in the log, below the header row.
    bool log_blank(const image& shown) const {
        return all_colour(shown, {24 * u.cx, 2 * u.cy, shown.width, shown.height}, 0xFFFFFF);
    }
    // The lines at the bottom that match `text` (its first `columns` cells), counted upwards.
    int rows_matching(const image& shown, const std::wstring& text, int columns,
                      int from = 0) const {
        int n = 0;
        while (row_y(shown, from + n) >= 2 * u.cy &&
               row_difference(shown, from + n, text, columns) == 0)
            n++;
        return n;
    }
    // A log just cleared: the owner-draw button, painted after the window, has asked to be drawn
    // (WM_DRAWITEM of id 9, whose lParam points into the program); nothing else stands there.
    bool log_fresh(const image& shown) const {
        const int draws = rows_matching(shown, draw_line(), 25);
        const int top = row_y(shown, draws - 1);
        return all_colour(shown, {24 * u.cx, 2 * u.cy, shown.width, draws ? top : shown.height},
                          0xFFFFFF);
    }
    static std::wstring draw_line() { return line(L"WM_DRAWITEM", 9, 0); }
    // The header and the underline drawn over each other at (24 cx, cy).
    int header_difference(const image& shown) const {
        const std::wstring header = L"message          wparam      lparam";
        const std::wstring under = L"_______          ______      ______";
        SIZE s = text_extent(header, SYSTEM_FIXED_FONT);
        image want = render(s.cx, s.cy, [&](HDC dc) {
            SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
            SetBkMode(dc, TRANSPARENT);
            TextOutW(dc, 0, 0, header.c_str(), int(header.size()));
            TextOutW(dc, 0, 0, under.c_str(), int(under.size()));
        });
        int differ = 0;
        for (int y = 0; y < s.cy; y++)
            for (int x = 0; x < s.cx; x++)
                if (shown.at(24 * u.cx + x, u.cy + y) != want.at(x, y)) differ++;
        return differ;
    }
};

LRESULT checked(HWND button) {
    DWORD_PTR r = 0;
    SendMessageTimeoutW(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &r);
    return LRESULT(r);
}

} // namespace

TEST(sardeno, ten_buttons_in_a_column_and_the_log_header) {
    watch_faults watch; // making the buttons reads the table of their styles
    ASSERT_TRUE(watch.ok());
    app a;
    HWND hwnd = launch(a, L"sardeno");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(faults(hwnd), 0);
    EXPECT_EQ(text_of(hwnd), L"Button Look");
    EXPECT_EQ(DWORD(GetWindowLongW(hwnd, GWL_STYLE)) & (WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN),
              DWORD(WS_OVERLAPPEDWINDOW));
    const struct {
        const wchar_t* text;
        DWORD style;
    } rows[] = {{L"PUSHBUTTON", BS_PUSHBUTTON},     {L"DEFPUSHBUTTON", BS_DEFPUSHBUTTON},
                {L"CHECKBOX", BS_CHECKBOX},         {L"AUTOCHECKBOX", BS_AUTOCHECKBOX},
                {L"RADIOBUTTON", BS_RADIOBUTTON},   {L"3STATE", BS_3STATE},
                {L"AUTO3STATE", BS_AUTO3STATE},     {L"GROUPBOX", BS_GROUPBOX},
                {L"AUTORADIO", BS_AUTORADIOBUTTON}, {L"OWNERDRAW", BS_OWNERDRAW}};
    const units u = dialog_units();
    EXPECT_EQ(children(hwnd).size(), 10u) << "ten buttons and nothing more";
    for (int id = 0; id < 10; id++) {
        SCOPED_TRACE(id);
        HWND b = GetDlgItem(hwnd, id);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(class_of(b), L"Button");
        EXPECT_EQ(text_of(b), rows[id].text);
        EXPECT_EQ(DWORD(GetWindowLongW(b, GWL_STYLE)) & BS_TYPEMASK, rows[id].style);
        RECT r;
        GetWindowRect(b, &r);
        MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, u.cx);
        EXPECT_EQ(r.top, u.cy * (2 * id + 1));
        EXPECT_EQ(r.right - r.left, 20 * u.cx);
        EXPECT_EQ(r.bottom - r.top, 7 * u.cy / 4);
    }
    log_view log{hwnd};
    image shown = capture_client(hwnd);
    EXPECT_EQ(log.header_difference(shown), 0);
    EXPECT_TRUE(log.log_fresh(shown));
    // The group box draws only its frame and caption; the window paints beneath it, so nothing
    // dark (a part left unpainted) shows inside.
    RECT box;
    GetWindowRect(GetDlgItem(hwnd, 7), &box);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&box), 2);
    for (int y = box.top + u.cy; y < box.bottom - 4; y++)
        for (int x = box.left + 4; x < box.right - 4; x++)
            ASSERT_FALSE(is_dark(shown.at(x, y))) << "at " << x << "," << y;
}

TEST(sardeno, clicks_log_their_messages_at_the_bottom_and_the_log_scrolls_up) {
    app a;
    HWND hwnd = launch(a, L"sardeno");
    ASSERT_NE(hwnd, nullptr);
    log_view log{hwnd};
    HWND push = GetDlgItem(hwnd, 0), check = GetDlgItem(hwnd, 2), autocheck = GetDlgItem(hwnd, 3),
         radio = GetDlgItem(hwnd, 4), autoradio = GetDlgItem(hwnd, 8);

    click(push);
    const std::wstring pushed = line(L"WM_COMMAND", 0x00000000, handle_word(push));
    image shown = capture_client(hwnd);
    EXPECT_EQ(log.row_difference(shown, 0, pushed), 0) << "the push button's line";
    EXPECT_EQ(log.header_difference(shown), 0);

    // Each further line comes in at the bottom and the earlier ones move up a row. The plain check
    // box and radio button are only reported; the automatic ones also change their marks.
    const struct {
        HWND button;
        int id;
        LRESULT mark_after;
    } steps[] = {{check, 2, BST_UNCHECKED},
                 {autocheck, 3, BST_CHECKED},
                 {radio, 4, BST_UNCHECKED},
                 {autoradio, 8, BST_CHECKED},
                 {autocheck, 3, BST_UNCHECKED}};
    std::vector<std::wstring> lines = {pushed};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.id);
        click(s.button);
        lines.push_back(line(L"WM_COMMAND", uint32_t(s.id), handle_word(s.button)));
        shown = capture_client(hwnd);
        for (size_t back = 0; back < lines.size(); back++)
            EXPECT_EQ(log.row_difference(shown, int(back), lines[lines.size() - 1 - back]), 0)
                << "row " << back << " from the bottom";
        EXPECT_EQ(checked(s.button), s.mark_after);
    }
    // A repaint of any part of the window, even one beside the log, starts the log afresh.
    RECT corner{0, 0, 4, 4};
    InvalidateRect(hwnd, &corner, FALSE);
    shown = capture_client(hwnd);
    EXPECT_TRUE(log.log_fresh(shown));
    EXPECT_EQ(log.header_difference(shown), 0);
}

TEST(sardeno, the_owner_draw_button_logs_its_draw_requests_and_draws_nothing) {
    app a;
    HWND hwnd = launch(a, L"sardeno");
    ASSERT_NE(hwnd, nullptr);
    log_view log{hwnd};
    HWND owner = GetDlgItem(hwnd, 9);
    image before = capture_client(hwnd);
    click(owner);
    image shown = capture_client(hwnd);
    // A click draws the button pressed and released (WM_DRAWITEM, wParam its id 9; lParam points
    // into the button's process and cannot be known here) and reports it (WM_COMMAND).
    const std::wstring command = line(L"WM_COMMAND", 9, handle_word(owner));
    const int draw_columns = 16 + 9; // the name and the wParam words
    int commands = 0, draws = 0;
    for (int back = 0; log.row_y(shown, back) >= 2 * log.u.cy; back++) {
        if (log.row_difference(shown, back, command) == 0)
            commands++;
        else if (log.row_difference(shown, back, log.draw_line(), draw_columns) == 0)
            draws++;
        else
            break;
    }
    EXPECT_EQ(commands, 1);
    EXPECT_GE(draws, 2) << "drawn at least pressed and released";
    // The program leaves the button's face as it was: what was on the screen there stays.
    RECT r;
    GetWindowRect(owner, &r);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
    for (int y = r.top; y < r.bottom; y++)
        for (int x = r.left; x < r.right; x++)
            ASSERT_EQ(shown.at(x, y), before.at(x, y)) << "at " << x << "," << y;
}

TEST(sardeno, a_repaint_or_a_new_size_clears_the_log_to_its_header) {
    app a;
    HWND hwnd = launch(a, L"sardeno");
    ASSERT_NE(hwnd, nullptr);
    log_view log{hwnd};
    click(GetDlgItem(hwnd, 0));
    click(GetDlgItem(hwnd, 1));
    image shown = capture_client(hwnd);
    ASSERT_FALSE(log.log_blank(shown));
    // The buttons are repainted with the window (it does not clip them), so the owner-draw
    // button's requests are logged afresh.
    shown = capture_repainted(hwnd);
    EXPECT_TRUE(log.log_fresh(shown));
    EXPECT_EQ(log.header_difference(shown), 0);

    // A repaint of a small corner away from the log (as when a window over it goes) clears the
    // whole log too.
    click(GetDlgItem(hwnd, 0));
    ASSERT_FALSE(log.log_blank(capture_client(hwnd)));
    RECT corner{0, 0, 4, 4};
    InvalidateRect(hwnd, &corner, TRUE);
    shown = capture_client(hwnd);
    EXPECT_TRUE(log.log_blank(shown));
    EXPECT_EQ(log.header_difference(shown), 0);

    // After a resize the last row is found from the new height.
    click(GetDlgItem(hwnd, 0));
    resize(hwnd, 700, 457);
    shown = capture_client(hwnd);
    EXPECT_TRUE(log.log_fresh(shown));
    click(GetDlgItem(hwnd, 1));
    shown = capture_client(hwnd);
    EXPECT_EQ(
        log.row_difference(shown, 0, line(L"WM_COMMAND", 1, handle_word(GetDlgItem(hwnd, 1)))), 0);
}
