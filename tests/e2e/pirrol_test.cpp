// Pirrol's two owner-draw buttons: their look in each state, checked against the same drawing
// done by the test, and the window shrinking and growing by a tenth of its client size.
#include "harness/dialogs.h"

using namespace harness;

namespace {

// Triangle corners in eighths of the button, three points a triangle.
const int arrows_in[12][2] = {{3, 1}, {5, 1}, {4, 3}, {7, 3}, {7, 5}, {5, 4},
                              {5, 7}, {3, 7}, {4, 5}, {1, 5}, {1, 3}, {3, 4}};
const int arrows_out[12][2] = {{5, 3}, {3, 3}, {4, 1}, {5, 5}, {5, 3}, {7, 4},
                               {3, 5}, {5, 5}, {4, 7}, {3, 3}, {3, 5}, {1, 4}};

image expected_button(int id, int w, int h, bool pressed, bool focused) {
    return render(w, h, [&](HDC dc) {
        RECT r{0, 0, w, h};
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        SelectObject(dc, GetStockObject(BLACK_BRUSH));
        const int(*corners)[2] = id == 1 ? arrows_in : arrows_out;
        for (int t = 0; t < 4; t++) {
            POINT p[3];
            for (int k = 0; k < 3; k++)
                p[k] = {w * corners[3 * t + k][0] / 8, h * corners[3 * t + k][1] / 8};
            Polygon(dc, p, 3);
        }
        if (pressed) InvertRect(dc, &r);
        if (focused) {
            InflateRect(&r, -(w / 16), -(h / 16));
            DrawFocusRect(dc, &r);
        }
    });
}

image cut(const image& img, RECT r) {
    image part;
    part.width = r.right - r.left;
    part.height = r.bottom - r.top;
    for (int y = r.top; y < r.bottom; y++)
        for (int x = r.left; x < r.right; x++)
            part.px.push_back(img.at(x, y));
    return part;
}

struct pirrol {
    app a;
    HWND hwnd = nullptr;
    HWND button[3] = {};
    int cx = 0, cy = 0;

    void start() {
        hwnd = launch(a, L"pirrol");
        ASSERT_NE(hwnd, nullptr);
        button[1] = GetDlgItem(hwnd, 1);
        button[2] = GetDlgItem(hwnd, 2);
        ASSERT_NE(button[1], nullptr);
        ASSERT_NE(button[2], nullptr);
        const LONG units = GetDialogBaseUnits();
        cx = LOWORD(units);
        cy = HIWORD(units);
    }

    // Both buttons in the middle of the client area, each drawn as its state has it.
    void expect_buttons(bool pressed1, int focused) {
        image shown = capture_client(hwnd);
        const int w = shown.width, h = shown.height;
        const RECT at[3] = {{},
                            {w / 2 - 24 * cx / 2, h / 2 - 4 * cy / 2, 0, 0},
                            {w / 2 + 8 * cx / 2, h / 2 - 4 * cy / 2, 0, 0}};
        for (int id = 1; id <= 2; id++) {
            SCOPED_TRACE("button " + std::to_string(id));
            RECT r = rect_in(hwnd, button[id]);
            EXPECT_EQ(r.left, at[id].left);
            EXPECT_EQ(r.top, at[id].top);
            ASSERT_EQ(r.right - r.left, 8 * cx);
            ASSERT_EQ(r.bottom - r.top, 4 * cy);
            image part = cut(shown, r);
            image ref = expected_button(id, 8 * cx, 4 * cy, id == 1 && pressed1, id == focused);
            EXPECT_TRUE(part == ref);
            if (!(part == ref)) save_pair(part, ref, L"pirrol-" + std::to_wstring(id));
        }
    }
};

} // namespace

TEST(pirrol, buttons_drawn_plain_pressed_and_focused) {
    pirrol p;
    p.start();
    ASSERT_NE(p.hwnd, nullptr);
    EXPECT_EQ(text_of(p.hwnd), L"Owner-Draw Button Demo");
    p.expect_buttons(false, 0);
    // Held down: inverted, and focused by the press.
    PostMessageW(p.button[1], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    p.expect_buttons(true, 1);
    // Let go outside: no command, the focus stays.
    RECT before;
    GetWindowRect(p.hwnd, &before);
    PostMessageW(p.button[1], WM_LBUTTONUP, 0, MAKELPARAM(-20, -20));
    p.expect_buttons(false, 1);
    RECT after;
    GetWindowRect(p.hwnd, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST(pirrol, buttons_shrink_and_grow_the_window_by_a_tenth) {
    pirrol p;
    p.start();
    ASSERT_NE(p.hwnd, nullptr);
    SetWindowPos(p.hwnd, nullptr, 100, 80, 700, 520, SWP_NOZORDER);
    settle(p.hwnd);
    for (int id : {1, 1, 2, 2, 2}) {
        SCOPED_TRACE("button " + std::to_string(id));
        RECT before, client;
        GetWindowRect(p.hwnd, &before);
        GetClientRect(p.hwnd, &client);
        const int dx = client.right / 20, dy = client.bottom / 20, sign = id == 1 ? 1 : -1;
        RECT r;
        GetClientRect(p.button[id], &r);
        post_click(p.button[id], r.right / 2, r.bottom / 2);
        drain(p.hwnd);
        RECT after;
        GetWindowRect(p.hwnd, &after);
        EXPECT_EQ(after.left, before.left + sign * dx);
        EXPECT_EQ(after.right, before.right - sign * dx);
        EXPECT_EQ(after.top, before.top + sign * dy);
        EXPECT_EQ(after.bottom, before.bottom - sign * dy);
        p.expect_buttons(false, id);
    }
}
