// What the system metrics viewers should show, drawn by the test itself: the 75 rows of label,
// description and value (the value read here with GetSystemMetrics) at the columns the viewers
// use, for a given first row and left origin.
#pragma once

#include "harness/checks.h"
#include "harness/harness.h"
#include "harness/text_view.h"

namespace metrics_expect {

struct row {
    int index;
    const wchar_t* label;
    const wchar_t* description;
};

// The rows as a user should see them, in order.
inline const row rows[75] = {
    {0, L"SM_CXSCREEN", L"Screen width in pixels"},
    {1, L"SM_CYSCREEN", L"Screen height in pixels"},
    {2, L"SM_CXVSCROLL", L"Vertical scroll arrow width"},
    {3, L"SM_CYHSCROLL", L"Horizontal scroll arrow height"},
    {4, L"SM_CYCAPTION", L"Caption bar height"},
    {5, L"SM_CXBORDER", L"Window border width"},
    {6, L"SM_CYBORDER", L"Window border height"},
    {7, L"SM_CXFIXEDFRAME", L"Dialog window frame width"},
    {8, L"SM_CYFIXEDFRAME", L"Dialog window frame height"},
    {9, L"SM_CYVTHUMB", L"Vertical scroll thumb height"},
    {10, L"SM_CXHTHUMB", L"Horizontal scroll thumb width"},
    {11, L"SM_CXICON", L"Icon width"},
    {12, L"SM_CYICON", L"Icon height"},
    {13, L"SM_CXCURSOR", L"Cursor width"},
    {14, L"SM_CYCURSOR", L"Cursor height"},
    {15, L"SM_CYMENU", L"Menu bar height"},
    {16, L"SM_CXFULLSCREEN", L"Full screen client area width"},
    {17, L"SM_CYFULLSCREEN", L"Full screen client area height"},
    {18, L"SM_CYKANJIWINDOW", L"Kanji window height"},
    {19, L"SM_MOUSEPRESENT", L"Mouse present flag"},
    {20, L"SM_CYVSCROLL", L"Vertical scroll arrow height"},
    {21, L"SM_CXHSCROLL", L"Horizontal scroll arrow width"},
    {22, L"SM_DEBUG", L"Debug version flag"},
    {23, L"SM_SWAPBUTTON", L"Mouse buttons swapped flag"},
    {28, L"SM_CXMIN", L"Minimum window width"},
    {29, L"SM_CYMIN", L"Minimum window height"},
    {30, L"SM_CXSIZE", L"Min/Max/Close button width"},
    {31, L"SM_CYSIZE", L"Min/Max/Close button height"},
    {32, L"SM_CXSIZEFRAME", L"Window sizing frame width"},
    {33, L"SM_CYSIZEFRAME", L"Window sizing frame height"},
    {34, L"SM_CXMINTRACK", L"Minimum window tracking width"},
    {35, L"SM_CYMINTRACK", L"Minimum window tracking height"},
    {36, L"SM_CXDOUBLECLK", L"Double click x tolerance"},
    {37, L"SM_CYDOUBLECLK", L"Double click y tolerance"},
    {38, L"SM_CXICONSPACING", L"Horizontal icon spacing"},
    {39, L"SM_CYICONSPACING", L"Vertical icon spacing"},
    {40, L"SM_MENUDROPALIGNMENT", L"Left or right menu drop"},
    {41, L"SM_PENWINDOWS", L"Pen extensions installed"},
    {42, L"SM_DBCSENABLED", L"Double-Byte Char Set enabled"},
    {43, L"SM_CMOUSEBUTTONS", L"Number of mouse buttons"},
    {44, L"SM_SECURE", L"Security present flag"},
    {45, L"SM_CXEDGE", L"3-D border width"},
    {46, L"SM_CYEDGE", L"3-D border height"},
    {47, L"SM_CXMINSPACING", L"Minimized window spacing width"},
    {48, L"SM_CYMINSPACING", L"Minimized window spacing height"},
    {49, L"SM_CXSMICON", L"Small icon width"},
    {50, L"SM_CYSMICON", L"Small icon height"},
    {51, L"SM_CYSMCAPTION", L"Small caption height"},
    {52, L"SM_CXSMSIZE", L"Small caption button width"},
    {53, L"SM_CYSMSIZE", L"Small caption button height"},
    {54, L"SM_CXMENUSIZE", L"Menu bar button width"},
    {55, L"SM_CYMENUSIZE", L"Menu bar button height"},
    {56, L"SM_ARRANGE", L"How minimized buttons are arranged"},
    {57, L"SM_CXMINIMIZED", L"Minimized window width"},
    {58, L"SM_CYMINIMIZED", L"Minimized window height"},
    {59, L"SM_CXMAXTRACK", L"Maximum draggable width"},
    {60, L"SM_CYMAXTRACK", L"Maximum draggable height"},
    {61, L"SM_CXMAXIMIZED", L"Width of maximized window"},
    {62, L"SM_CYMAXIMIZED", L"Height of maximized window"},
    {63, L"SM_NETWORK", L"Network present flag"},
    {67, L"SM_CLEANBOOT", L"How system was booted"},
    {68, L"SM_CXDRAG", L"Avoid drag x tolerance"},
    {69, L"SM_CYDRAG", L"Avoid drag y tolerance"},
    {70, L"SM_SHOWSOUNDS", L"Present sounds visually"},
    {71, L"SM_CXMENUCHECK", L"Menu check-mark width"},
    {72, L"SM_CYMENUCHECK", L"Menu check-mark height"},
    {73, L"SM_SLOWMACHINE", L"Slow processor flag"},
    {74, L"SM_MIDEASTENABLED", L"Hebrew and Arabic enabled flag"},
    {75, L"SM_MOUSEWHEELPRESENT", L"Mouse wheel present flag"},
    {76, L"SM_XVIRTUALSCREEN", L"Virtual screen x origin"},
    {77, L"SM_YVIRTUALSCREEN", L"Virtual screen y origin"},
    {78, L"SM_CXVIRTUALSCREEN", L"Virtual screen width"},
    {79, L"SM_CYVIRTUALSCREEN", L"Virtual screen height"},
    {80, L"SM_CMONITORS", L"Number of monitors"},
    {81, L"SM_SAMEDISPLAYFORMAT", L"Same color format flag"},
};

inline std::wstring value_text(int index) {
    return harness::number_column(GetSystemMetrics(index), 5);
}

struct drawn_row {
    std::wstring label, description, value;
};

// Every row with its value read here.
inline std::vector<drawn_row> expected_rows() {
    std::vector<drawn_row> v;
    for (const row& r : rows)
        v.push_back({r.label, r.description, value_text(r.index)});
    return v;
}

// The rows drawn with row `first` at the top and the given left origin.
inline harness::image reference(int w, int h, int first, int x0) {
    const std::vector<drawn_row> rows = expected_rows();
    const harness::font_measures m = harness::system_font_measures();
    return harness::render(w, h, [&](HDC dc) {
        for (int i = 0; i < int(rows.size()); i++) {
            const int y = m.cy_char * (i - first);
            const drawn_row& r = rows[size_t(i)];
            TextOutW(dc, x0, y, r.label.c_str(), int(r.label.size()));
            TextOutW(dc, x0 + 22 * m.cx_caps, y, r.description.c_str(), int(r.description.size()));
            SetTextAlign(dc, TA_RIGHT | TA_TOP);
            TextOutW(dc, x0 + 22 * m.cx_caps + 40 * m.cx_char, y, r.value.c_str(),
                     int(r.value.size()));
            SetTextAlign(dc, TA_LEFT | TA_TOP);
        }
    });
}

// Pixels that differ between what is shown and the reference (0 for a match); the shown image is
// saved next to the tests when they differ, to look at.
inline int differing(const harness::image& shown, const harness::image& want, const wchar_t* name) {
    const int n = harness::differing_pixels(shown, want);
    if (n != 0) {
        harness::save_bmp(shown, std::wstring(name) + L"-shown.bmp");
        harness::save_bmp(want, std::wstring(name) + L"-wanted.bmp");
    }
    return n;
}

} // namespace metrics_expect
