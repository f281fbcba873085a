// Nuvelle3: the about box's OK is a control of the program's own class, an ellipse that closes
// the box on a click or Space; Esc, which has no button, leaves the box open.
#include "harness/checks.h"
#include "harness/dialogs.h"

using namespace harness;

namespace {

const int ABOUT = 40001;

// The control as drawn: the button face in its corners, a black outline, the window colour
// inside, and its text "OK" centred within a couple of pixels.
void expect_ellipse_button(HWND dlg, HWND button) {
    image shown = capture_client(dlg);
    RECT r = rect_in(dlg, button);
    const int mx = (r.left + r.right) / 2, my = (r.top + r.bottom) / 2;
    EXPECT_EQ(shown.at(r.left, r.top), px_of(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(shown.at(r.right - 1, r.bottom - 1), px_of(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(shown.at(r.left, my), 0u);
    EXPECT_EQ(shown.at(mx, r.top), 0u);
    EXPECT_EQ(shown.at(r.left + 4, my), px_of(GetSysColor(COLOR_WINDOW)));
    image inside;
    inside.width = r.right - r.left - 8;
    inside.height = r.bottom - r.top - 6;
    for (int y = 0; y < inside.height; y++)
        for (int x = 0; x < inside.width; x++)
            inside.px.push_back(shown.at(r.left + 4 + x, r.top + 3 + y));
    RECT text = bounds(inside, is_dark);
    ASSERT_GT(text.right, text.left) << "no text drawn";
    EXPECT_NEAR(text.left + text.right, inside.width, 3);
    EXPECT_NEAR(text.top + text.bottom, inside.height, 3);
}

} // namespace

TEST(nuvelle3, ellipse_button_closes_on_click_and_space_not_on_esc) {
    app a;
    HWND hwnd = launch(a, L"nuvelle3");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"About Box Demo Program");
    std::vector<menu_item> menu = read_menu(hwnd);
    ASSERT_EQ(menu.size(), 2u);
    EXPECT_EQ(menu[0].text, L"&Help");
    EXPECT_EQ(menu[1].id, ABOUT);
    EXPECT_EQ(menu[1].text, L"&About Nuvelle3...");
    gdi_net(hwnd); // counting starts

    // The control shows at most the first 40 characters of its text (and a character fewer shows).
    {
        HWND dlg = open_dialog(a, hwnd, ABOUT);
        ASSERT_NE(dlg, nullptr);
        HWND button = GetDlgItem(dlg, IDOK);
        auto shown_with = [&](const std::wstring& text) {
            SendMessageW(button, WM_SETTEXT, 0, LPARAM(text.c_str()));
            InvalidateRect(button, nullptr, TRUE);
            return capture_client(dlg);
        };
        const std::wstring text = L"0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
        const image forty = shown_with(text.substr(0, 40));
        EXPECT_EQ(differing_pixels(shown_with(text), forty), 0);
        EXPECT_GT(differing_pixels(shown_with(text.substr(0, 39)), forty), 0);
        post_key(button, VK_SPACE);
        ASSERT_TRUE(wait_gone(dlg));
    }

    const struct {
        const char* how;
        std::function<void(HWND)> act;
        bool closes;
    } steps[] = {
        {"Esc", [](HWND b) { post_key(b, VK_ESCAPE); }, false},
        {"Space", [](HWND b) { post_key(b, VK_SPACE); }, true},
        {"click",
         [](HWND b) {
             RECT r;
             GetClientRect(b, &r);
             post_click(b, r.right / 2, r.bottom / 2);
         },
         true},
        {"Esc again", [](HWND b) { post_key(b, VK_ESCAPE); }, false},
        {"click again",
         [](HWND b) {
             RECT r;
             GetClientRect(b, &r);
             post_click(b, r.right / 2, r.bottom / 2);
         },
         true},
    };
    HWND dlg = nullptr;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.how);
        if (!dlg) {
            dlg = open_dialog(a, hwnd, ABOUT);
            ASSERT_NE(dlg, nullptr);
        }
        HWND button = GetDlgItem(dlg, IDOK);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(class_of(button), L"EllipPush");
        EXPECT_EQ(text_of(button), L"OK");
        EXPECT_EQ(read_gui_state(dlg).focus, button);
        expect_ellipse_button(dlg, button);
        step.act(button);
        drain(hwnd);
        if (step.closes) {
            EXPECT_TRUE(wait_gone(dlg));
            dlg = nullptr;
        } else {
            EXPECT_TRUE(IsWindowVisible(dlg));
        }
    }
    // Each painting of the button made one brush and deleted it.
    EXPECT_EQ(gdi_net(hwnd), 0);
}
