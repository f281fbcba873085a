// What the three page-printing programs draw, as the tests expect to see it: in the window,
// drawn here with the same GDI calls as a reference, and on the printed page, checked point by
// point where the figure's lines must (and must not) be.
#pragma once

#include "harness/checks.h"
#include "harness/harness.h"
#include "harness/peers.h"
#include "harness/printers.h"

#include <cmath>

namespace page {

using namespace harness;

inline void draw_figure(HDC dc, int w, int h) {
    Rectangle(dc, 0, 0, w, h);
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, w, h);
    MoveToEx(dc, w, 0, nullptr);
    LineTo(dc, 0, h);
    SaveDC(dc);
    SetMapMode(dc, MM_ISOTROPIC);
    SetWindowExtEx(dc, 1000, 1000, nullptr);
    SetViewportExtEx(dc, w / 2, -h / 2, nullptr);
    SetViewportOrgEx(dc, w / 2, h / 2, nullptr);
    Ellipse(dc, -500, 500, 500, -500);
    SetTextAlign(dc, TA_BASELINE | TA_CENTER);
    TextOutW(dc, 0, 0, L"Hello, Printer!", 15);
    RestoreDC(dc, -1);
}

// The client area shows the figure for its size, pixel for pixel.
inline void expect_window_figure(HWND hwnd) {
    image shown = capture_client(hwnd);
    ASSERT_GT(shown.width, 100);
    image want = render(shown.width, shown.height,
                        [&](HDC dc) { draw_figure(dc, shown.width, shown.height); });
    int differing = 0;
    for (size_t i = 0; i < shown.px.size(); i++)
        differing += is_dark(shown.px[i]) != is_dark(want.px[i]);
    EXPECT_EQ(differing, 0) << "the figure differs from the reference in " << differing
                            << " pixels (" << shown.width << "x" << shown.height << ")";
}

inline std::wstring default_printer() {
    wchar_t name[256] = L"";
    DWORD n = 256;
    GetDefaultPrinterW(name, &n);
    return name;
}

// The printed page: the border of the printable area, both diagonals, the circle the isotropic
// mapping makes of the ellipse, blank paper between them, and "Hello, Printer!" centred on the
// baseline through the middle.
inline void expect_printed_figure(const std::wstring& pdf, const wchar_t* shot = nullptr) {
    HDC dc = CreateDCW(nullptr, default_printer().c_str(), nullptr, nullptr);
    ASSERT_NE(dc, nullptr);
    const double w = GetDeviceCaps(dc, HORZRES), h = GetDeviceCaps(dc, VERTRES);
    const double off_x = GetDeviceCaps(dc, PHYSICALOFFSETX),
                 off_y = GetDeviceCaps(dc, PHYSICALOFFSETY);
    const double paper_w = GetDeviceCaps(dc, PHYSICALWIDTH),
                 paper_h = GetDeviceCaps(dc, PHYSICALHEIGHT);
    DeleteDC(dc);

    image paper = render_pdf_page(pdf, 60);
    ASSERT_GT(paper.width, 100) << "the page could not be rendered";
    if (shot) save_bmp(paper, shot);
    const double sx = paper.width / paper_w, sy = paper.height / paper_h;
    auto ink_near = [&](double x, double y, int r) {
        const int px = int(std::lround((off_x + x) * sx)), py = int(std::lround((off_y + y) * sy));
        for (int dy = -r; dy <= r; dy++)
            for (int dx = -r; dx <= r; dx++) {
                const int qx = px + dx, qy = py + dy;
                if (qx >= 0 && qy >= 0 && qx < paper.width && qy < paper.height &&
                    is_dark(paper.at(qx, qy)))
                    return true;
            }
        return false;
    };
    for (double t : {0.2, 0.5, 0.8}) {
        EXPECT_TRUE(ink_near(t * w, 0, 2)) << "top border at " << t;
        EXPECT_TRUE(ink_near(t * w, h - 1, 2)) << "bottom border at " << t;
        EXPECT_TRUE(ink_near(0, t * h, 2)) << "left border at " << t;
        EXPECT_TRUE(ink_near(w - 1, t * h, 2)) << "right border at " << t;
    }
    for (double t : {0.1, 0.25, 0.75, 0.9}) {
        EXPECT_TRUE(ink_near(t * w, t * h, 2)) << "falling diagonal at " << t;
        EXPECT_TRUE(ink_near((1 - t) * w, t * h, 2)) << "rising diagonal at " << t;
    }
    // The ellipse is filled with the white brush over the diagonals.
    EXPECT_FALSE(ink_near(0.6 * w, 0.6 * h, 1)) << "a diagonal shows inside the ellipse";
    EXPECT_FALSE(ink_near(0.4 * w, 0.6 * h, 1)) << "a diagonal shows inside the ellipse";
    const double r = std::min(w, h) / 4, cx = w / 2, cy = h / 2;
    for (int deg = 0; deg < 360; deg += 30) {
        const double a = deg * 3.14159265358979 / 180;
        EXPECT_TRUE(ink_near(cx + r * std::cos(a), cy + r * std::sin(a), 2)) << "circle at " << deg;
        EXPECT_FALSE(
            ink_near(cx + 1.15 * r * std::cos(a + 0.25), cy + 1.15 * r * std::sin(a + 0.25), 1))
            << "just outside the circle at " << deg;
    }
    EXPECT_FALSE(ink_near(cx, cy - r / 2, 2)) << "inside the circle, above the text";
    EXPECT_FALSE(ink_near(cx, cy + 1.5 * r, 2)) << "below the circle";
    EXPECT_FALSE(ink_near(w / 8, cy, 2)) << "left of the circle";

    pdf_layout layout = pdf_words(pdf);
    ASSERT_GT(layout.width, 0);
    const pdf_word* hello = nullptr;
    const pdf_word* printer = nullptr;
    for (const auto& word : layout.words) {
        if (word.text == "Hello,") hello = &word;
        if (word.text == "Printer!") printer = &word;
    }
    ASSERT_TRUE(hello && printer) << "the page does not say Hello, Printer!";
    ASSERT_EQ(layout.words.size(), 2u) << "nothing else is written on the page";
    const double pt_x = layout.width / paper_w, pt_y = layout.height / paper_h;
    const double mid_x = (off_x + cx) * pt_x, mid_y = (off_y + cy) * pt_y;
    EXPECT_NEAR((hello->x0 + printer->x1) / 2, mid_x, 3) << "centred across the page";
    // On the baseline through the middle: the letters rise above it, only descenders below.
    EXPECT_LT(hello->y0, mid_y);
    EXPECT_GT(hello->y1, mid_y);
    EXPECT_GT(mid_y - hello->y0, 2 * (hello->y1 - mid_y));
}

// The message box of `a` (a dialog with a message text and an OK button), not the cancel dialog
// whose static text shares the message text's id.
inline message_box wait_box(app& a, DWORD timeout_ms = 10000) {
    message_box box;
    wait_until(
        [&] {
            HWND d = a.wait_dialog(100);
            if (!d || !GetDlgItem(d, 0xFFFF) || !GetDlgItem(d, IDOK)) return false;
            settle(d);
            box.hwnd = d;
            box.caption = text_of(d);
            box.text = text_of(GetDlgItem(d, 0xFFFF));
            return true;
        },
        timeout_ms);
    return box;
}

// With no printer at all, "&Print" says "Could not print page!" in a box captioned with the
// class name, and the window stays usable: enabled, drawing, printing again on request, closing.
inline void expect_no_printer_message(const wchar_t* name) {
    printer_queues queues;
    ASSERT_TRUE(queues.remove("PDF"));
    app a;
    HWND hwnd = launch(a, name);
    ASSERT_NE(hwnd, nullptr);
    size_t before = printed_files().size();
    for (int attempt = 0; attempt < 2; attempt++) {
        PostMessageW(hwnd, WM_SYSCOMMAND, 1, 0);
        message_box box = wait_box(a);
        ASSERT_NE(box.hwnd, nullptr) << "no message on attempt " << attempt;
        EXPECT_EQ(box.caption, name);
        EXPECT_EQ(box.text, L"Could not print page!");
        EXPECT_EQ(GetWindow(box.hwnd, GW_OWNER), hwnd);
        if (attempt == 0) {
            EXPECT_EQ(icon_of(box.hwnd), box_icon::warning);
        }
        press(box.hwnd, IDOK);
        EXPECT_TRUE(wait_until([&] { return !IsWindow(box.hwnd); }));
        EXPECT_TRUE(wait_until([&] { return IsWindowEnabled(hwnd) != FALSE; }));
        EXPECT_EQ(a.wait_dialog(300), nullptr) << "a dialog stayed";
    }
    expect_window_figure(hwnd);
    EXPECT_TRUE(printed_files().size() == before);
    expect_closes_with_0(a, hwnd);
}

// Whether any new PDF comes out within `ms` (a job that must not print).
inline bool nothing_printed_within(size_t known, DWORD ms) {
    return wait_printed(known, ms).empty();
}

} // namespace page
