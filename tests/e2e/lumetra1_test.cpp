#include "harness/checks.h"
#include "harness/text_view.h"

using namespace harness;

namespace {

const struct {
    int index;
    const wchar_t* label;
    const wchar_t* description;
} caps[20] = {
    {HORZSIZE, L"HORZSIZE", L"Width in millimeters:"},
    {VERTSIZE, L"VERTSIZE", L"Height in millimeters:"},
    {HORZRES, L"HORZRES", L"Width in pixels:"},
    {VERTRES, L"VERTRES", L"Height in raster lines:"},
    {BITSPIXEL, L"BITSPIXEL", L"Color bits per pixel:"},
    {PLANES, L"PLANES", L"Number of color planes:"},
    {NUMBRUSHES, L"NUMBRUSHES", L"Number of device brushes:"},
    {NUMPENS, L"NUMPENS", L"Number of device pens:"},
    {NUMMARKERS, L"NUMMARKERS", L"Number of device markers:"},
    {NUMFONTS, L"NUMFONTS", L"Number of device fonts:"},
    {NUMCOLORS, L"NUMCOLORS", L"Number of device colors:"},
    {PDEVICESIZE, L"PDEVICESIZE", L"Size of device structure:"},
    {ASPECTX, L"ASPECTX", L"Relative width of pixel:"},
    {ASPECTY, L"ASPECTY", L"Relative height of pixel:"},
    {ASPECTXY, L"ASPECTXY", L"Relative diagonal of pixel:"},
    {LOGPIXELSX, L"LOGPIXELSX", L"Horizontal dots per inch:"},
    {LOGPIXELSY, L"LOGPIXELSY", L"Vertical dots per inch:"},
    {SIZEPALETTE, L"SIZEPALETTE", L"Number of palette entries:"},
    {NUMRESERVED, L"NUMRESERVED", L"Reserved palette entries:"},
    {COLORRES, L"COLORRES", L"Actual color resolution:"},
};

// The screen's capability as a signed decimal in 5 characters.
std::wstring value_text(int index) {
    HDC dc = GetDC(nullptr);
    int v = GetDeviceCaps(dc, index);
    ReleaseDC(nullptr, dc);
    return number_column(v, 5);
}

} // namespace

TEST(lumetra1, twenty_screen_capabilities_painted_in_three_columns) {
    app a;
    HWND hwnd = launch(a, L"lumetra1");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Device Capabilities");
    resize(hwnd, 600, 420);
    const font_measures m = system_font_measures();

    // On the screen as the program left it, and the text calls of one full repaint.
    image shown = capture_client(hwnd);
    start_text_log(hwnd);
    capture_repainted(hwnd);
    std::vector<text_call> log = text_log(hwnd);
    ASSERT_EQ(log.size(), 60u) << "20 rows of three texts";
    for (int i = 0; i < 20; i++) {
        const text_call* c = &log[size_t(3 * i)];
        EXPECT_EQ(c[0].text, caps[i].label) << "row " << i;
        EXPECT_EQ(c[0].x, 0);
        EXPECT_EQ(c[0].y, m.cy_char * i);
        EXPECT_EQ(c[1].text, caps[i].description) << "row " << i;
        EXPECT_EQ(c[1].x, 14 * m.cx_caps);
        EXPECT_EQ(c[2].text, value_text(caps[i].index)) << "row " << i;
        EXPECT_EQ(c[2].x, 14 * m.cx_caps + 35 * m.cx_char);
        EXPECT_EQ(c[2].align, UINT(TA_RIGHT | TA_TOP));
    }
    // A true-colour screen has no fixed number of colours: the signed value -1.
    EXPECT_EQ(log[32].text, L"   -1");

    image want = render(shown.width, shown.height, [&](HDC dc) {
        for (int i = 0; i < 20; i++) {
            const int y = m.cy_char * i;
            const std::wstring v = value_text(caps[i].index);
            TextOutW(dc, 0, y, caps[i].label, int(wcslen(caps[i].label)));
            TextOutW(dc, 14 * m.cx_caps, y, caps[i].description, int(wcslen(caps[i].description)));
            SetTextAlign(dc, TA_RIGHT | TA_TOP);
            TextOutW(dc, 14 * m.cx_caps + 35 * m.cx_char, y, v.c_str(), int(v.size()));
            SetTextAlign(dc, TA_LEFT | TA_TOP);
        }
    });
    const int differing = differing_pixels(shown, want);
    if (differing) save_bmp(shown, L"lumetra1-shown.bmp");
    EXPECT_EQ(differing, 0);

    expect_closes_with_0(a, hwnd);
}
