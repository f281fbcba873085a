// Helpers for the tests of the menu, button and list-box programs: what the probe reads inside
// them (environment, the pop-up menu shown, menu bitmaps, bitmaps left after closing), list-box
// items read from outside, and texts compared on the screen with a reference drawn here.
#pragma once

#include "harness/harness.h"
#include "harness/probe.h"

#include <string>
#include <vector>

namespace harness {

// The environment block as the program sees it, one entry per string.
std::vector<std::wstring> environment_of(HWND hwnd);

// The pop-up menu the program shows now, read inside it.
struct popup_view {
    bool shown = false;
    POINT at{}; // its window's top-left corner, on the screen
    std::vector<menu_item> items;
};
popup_view read_popup(HWND hwnd);
// Waits until the program shows (or no longer shows) a pop-up menu window.
bool wait_popup(app& a, bool shown, DWORD timeout_ms = 5000);

struct bitmap_item {
    int depth, id;
    UINT state, type;
    std::wstring bits; // mono_bits_text of its bitmap, "-" for none
};
struct menu_bitmaps {
    std::vector<bitmap_item> bar, system;
};
menu_bitmaps read_menu_bitmaps(HWND hwnd);
// Closes the window from inside; .first of .second menu bitmaps still exist afterwards.
std::pair<int, int> close_counting_bitmaps(HWND hwnd);

// The items of a list box, in order.
std::vector<std::wstring> list_items(HWND list);

// Differing pixels between `shown` at (x, y) and `text` drawn here in the stock font on `paper`
// in `ink` over the text's extent; `columns` > 0 compares only that many character cells of a
// fixed-pitch font. Only what lies inside `shown` is compared (a text may run past the window's
// edge). Saves both pictures for looking at when they differ.
int text_difference(const image& shown, int x, int y, const std::wstring& text, int stock_font,
                    COLORREF ink, COLORREF paper, int columns = 0);
// The text's extent in a stock font.
SIZE text_extent(const std::wstring& text, int stock_font);

// A region of `img` all of one colour (0x00RRGGBB).
bool all_colour(const image& img, const RECT& r, uint32_t colour);

} // namespace harness

namespace harness {

// A menu command as the menu sends it: WM_COMMAND posted.
void menu_command(HWND hwnd, int id);
// A system-menu command likewise (WM_SYSCOMMAND with the id whole).
void system_command(HWND hwnd, WPARAM id);
// Waits for the program's message box, checks its caption, text and icon, and presses OK.
void expect_message_box(app& a, const std::wstring& caption, const std::wstring& text,
                        box_icon icon);

// One menu item as read_menu gives it, for comparing whole menus.
struct item_row {
    int depth, id;
    UINT state;
    const wchar_t* text;
};
void expect_menu(const std::vector<menu_item>& got, const std::vector<item_row>& want);

} // namespace harness
