// Nuvelle2: the about box's radio groups are drawn live in the box, the arrow keys go round each
// group, and only OK hands the choice to the main window.
#include "harness/checks.h"
#include "harness/dialogs.h"

using namespace harness;

namespace {

const int ABOUT = 40001, BLACK = 1000, RED = 1004, RECTANGLE = 1008, ELLIPSE = 1009, AREA = 1010;

// The colours on screen, indexed by radio-button id - BLACK.
const uint32_t shown_colour[8] = {0x000000, 0x0000FF, 0x00FF00, 0x00FFFF,
                                  0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};

// The figure filling r of `img`: the colour in the middle, a black outline at the middle of each
// edge, and in the corners the colour for a rectangle or the background for an ellipse.
void expect_figure(const image& img, RECT r, int colour, int figure, uint32_t background) {
    const int mx = (r.left + r.right) / 2, my = (r.top + r.bottom) / 2;
    EXPECT_EQ(img.at(mx, my), shown_colour[colour - BLACK]);
    EXPECT_EQ(img.at(r.left, my), 0u);
    EXPECT_EQ(img.at(r.right - 1, my), 0u);
    EXPECT_EQ(img.at(mx, r.top), 0u);
    EXPECT_EQ(img.at(mx, r.bottom - 1), 0u);
    const uint32_t corner = figure == RECTANGLE ? shown_colour[colour - BLACK] : background;
    EXPECT_EQ(img.at(r.left + 2, r.top + 2), corner);
    EXPECT_EQ(img.at(r.right - 3, r.bottom - 3), corner);
}

void expect_main(HWND hwnd, int colour, int figure) {
    image shown = capture_client(hwnd);
    expect_figure(shown, {0, 0, shown.width, shown.height}, colour, figure,
                  px_of(GetSysColor(COLOR_WINDOW)));
}

// The box shows the marks and the figure of this choice.
void expect_box(HWND dlg, int colour, int figure) {
    // The posted click is taken first.
    wait_until([&] {
        for (int id = BLACK; id <= ELLIPSE; id++)
            if (is_checked(dlg, id) != (id == colour || id == figure)) return false;
        return true;
    });
    for (int id = BLACK; id <= ELLIPSE; id++)
        EXPECT_EQ(is_checked(dlg, id), id == colour || id == figure) << "radio button " << id;
    image shown = capture_client(dlg);
    expect_figure(shown, rect_in(dlg, GetDlgItem(dlg, AREA)), colour, figure,
                  px_of(GetSysColor(COLOR_BTNFACE)));
}

} // namespace

TEST(nuvelle2, choice_drawn_in_the_box_and_committed_only_by_ok) {
    app a;
    HWND hwnd = launch(a, L"nuvelle2");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"About Box Demo Program");
    std::vector<menu_item> menu = read_menu(hwnd);
    ASSERT_EQ(menu.size(), 2u);
    EXPECT_EQ(menu[0].text, L"&Help");
    EXPECT_EQ(menu[1].id, ABOUT);
    EXPECT_EQ(menu[1].text, L"&About");
    expect_main(hwnd, BLACK, RECTANGLE);

    HWND dlg = open_dialog(a, hwnd, ABOUT);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(text_of(dlg), L"");
    EXPECT_EQ(GetWindowLongW(dlg, GWL_STYLE) & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(read_gui_state(dlg).focus, GetDlgItem(dlg, BLACK));
    expect_box(dlg, BLACK, RECTANGLE);
    // Every colour, then the other figure: each click moves the mark and redraws the square.
    for (int id = BLACK + 1; id <= BLACK + 7; id++) {
        SCOPED_TRACE(id);
        click(GetDlgItem(dlg, id));
        expect_box(dlg, id, RECTANGLE);
    }
    click(GetDlgItem(dlg, RED));
    click(GetDlgItem(dlg, ELLIPSE));
    expect_box(dlg, RED, ELLIPSE);
    click(GetDlgItem(dlg, IDCANCEL));
    ASSERT_TRUE(wait_gone(dlg));
    expect_main(hwnd, BLACK, RECTANGLE); // Cancel changed nothing

    dlg = open_dialog(a, hwnd, ABOUT);
    ASSERT_NE(dlg, nullptr);
    expect_box(dlg, BLACK, RECTANGLE); // the committed choice, not the cancelled one
    click(GetDlgItem(dlg, RED));
    click(GetDlgItem(dlg, ELLIPSE));
    click(GetDlgItem(dlg, IDOK));
    ASSERT_TRUE(wait_gone(dlg));
    expect_main(hwnd, RED, ELLIPSE);

    dlg = open_dialog(a, hwnd, ABOUT);
    ASSERT_NE(dlg, nullptr);
    expect_box(dlg, RED, ELLIPSE);
    EXPECT_EQ(read_gui_state(dlg).focus, GetDlgItem(dlg, RED)) << "the focus on the chosen colour";
    // The arrow keys move the focus round each radio group and never out of it; Tab goes from
    // one group to the other.
    const struct {
        UINT key;
        int focus;
    } keys[] = {{VK_DOWN, RED + 1}, {VK_DOWN, RED + 2}, {VK_DOWN, RED + 3},   {VK_DOWN, BLACK},
                {VK_UP, RED + 3},   {VK_TAB, ELLIPSE},  {VK_DOWN, RECTANGLE}, {VK_DOWN, ELLIPSE},
                {VK_UP, RECTANGLE}, {VK_UP, ELLIPSE}};
    for (const auto& k : keys) {
        post_key(read_gui_state(dlg).focus, k.key);
        wait_until([&] { return GetDlgCtrlID(read_gui_state(dlg).focus) == k.focus; }, 3000);
        EXPECT_EQ(GetDlgCtrlID(read_gui_state(dlg).focus), k.focus) << "after key " << k.key;
    }
    // A new choice, then Esc: Cancel, which commits nothing.
    click(GetDlgItem(dlg, BLACK + 2));
    click(GetDlgItem(dlg, RECTANGLE));
    expect_box(dlg, BLACK + 2, RECTANGLE);
    post_key(read_gui_state(dlg).focus, VK_ESCAPE);
    ASSERT_TRUE(wait_gone(dlg));
    expect_main(hwnd, RED, ELLIPSE);
    dlg = open_dialog(a, hwnd, ABOUT);
    ASSERT_NE(dlg, nullptr);
    expect_box(dlg, RED, ELLIPSE);
    click(GetDlgItem(dlg, IDCANCEL));
    ASSERT_TRUE(wait_gone(dlg));
}
