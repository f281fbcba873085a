// The picture through the ellipse as a user sees it: centred in the client area at any size,
// also when the window is smaller than the picture, the picture's own pixels inside the ellipse
// and the window's background everywhere else. The expected view is computed here from the
// picture the program carries and an ellipse drawn by the test, not by repeating the program's
// raster operations.
#include "harness/checks.h"
#include "harness/bitmap_demos.h"
#include "harness/dib_files.h"

using namespace harness;

namespace {

const int picture_width = 200, picture_height = 320, row_bytes = 28;

// The picture's pixels, top row first, from the resource's bottom-up rows (1 = white).
std::vector<bool> picture_bits(const std::vector<uint8_t>& res) {
    std::vector<bool> bits(picture_width * picture_height);
    for (int y = 0; y < picture_height; y++) {
        const uint8_t* row = &res[48 + (picture_height - 1 - y) * row_bytes];
        for (int x = 0; x < picture_width; x++)
            bits[y * picture_width + x] = row[x / 8] & (0x80 >> (x % 8));
    }
    return bits;
}

// Inside the ellipse that fills the picture's rectangle, without its one-pixel outline: drawn
// white on black by the test.
std::vector<bool> ellipse_inside() {
    const image e = render(picture_width, picture_height, [](HDC dc) {
        RECT all{0, 0, picture_width, picture_height};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        SelectObject(dc, GetStockObject(WHITE_BRUSH));
        SelectObject(dc, GetStockObject(BLACK_PEN));
        Ellipse(dc, 0, 0, picture_width, picture_height);
    });
    std::vector<bool> inside(e.px.size());
    for (size_t i = 0; i < e.px.size(); i++)
        inside[i] = e.px[i] == 0xFFFFFF;
    return inside;
}

image expected_view(int width, int height, const std::vector<bool>& bits,
                    const std::vector<bool>& inside) {
    // Truncated toward zero, as the program places it.
    const int x0 = (width - picture_width) / 2, y0 = (height - picture_height) / 2;
    image out;
    out.width = width;
    out.height = height;
    out.px.assign(size_t(width) * height, window_colour());
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            const int u = x - x0, v = y - y0;
            if (u < 0 || v < 0 || u >= picture_width || v >= picture_height) continue;
            const int i = v * picture_width + u;
            if (inside[i]) out.px[size_t(y) * width + x] = bits[i] ? 0xFFFFFF : 0x000000;
        }
    return out;
}

} // namespace

// 200 x 320, one plane and bit, black then white, rows padded to 28 bytes: 9008 bytes.
TEST(tessary, carries_a_200_by_320_monochrome_picture) {
    const std::vector<uint8_t> res = resource_bytes(L"tessary", RT_BITMAP, L"TESSARY");
    ASSERT_EQ(res.size(), 9008u);
    EXPECT_EQ(bmp::get32(res, 0), 40u);
    EXPECT_EQ(bmp::get32(res, 4), 200u);
    EXPECT_EQ(bmp::get32(res, 8), 320u);
    EXPECT_EQ(bmp::get32(res, 12), 1u | (1u << 16)); // planes, bits per pixel
    EXPECT_EQ(bmp::get32(res, 16), 0u);              // uncompressed
    EXPECT_EQ(bmp::get32(res, 40), 0x000000u);
    EXPECT_EQ(bmp::get32(res, 44), 0xFFFFFFu);
}

// Sizes larger and smaller than the picture, with odd differences both ways (a negative odd
// difference shows the truncation toward zero).
TEST(tessary, shows_the_picture_through_a_centred_ellipse_at_any_size) {
    const std::vector<uint8_t> res = resource_bytes(L"tessary", RT_BITMAP, L"TESSARY");
    ASSERT_EQ(res.size(), 9008u);
    const std::vector<bool> bits = picture_bits(res), inside = ellipse_inside();
    app a;
    HWND hwnd = launch_placed(a, L"tessary", 400, 400);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Bitmap Masking Demo");
    EXPECT_EQ(class_standard_icon(hwnd), L"application");
    EXPECT_EQ(gdi_net(hwnd), 0);
    const SIZE sizes[] = {{400, 400}, {401, 333}, {149, 199}, {160, 500}, {600, 250}};
    for (const SIZE& s : sizes) {
        const SIZE reached = resize_client(hwnd, s.cx, s.cy);
        SCOPED_TRACE(std::to_string(reached.cx) + "x" + std::to_string(reached.cy));
        const image shown = capture_client(hwnd);
        ASSERT_EQ(shown.width, reached.cx);
        std::string first;
        EXPECT_EQ(
            differing_pixels(shown, expected_view(shown.width, shown.height, bits, inside), &first),
            0)
            << first;
        // Whatever the picture, the dark part of it is centred (the picture is symmetric but for
        // its white triangle).
        const RECT dark = bounds(shown, is_dark);
        EXPECT_LE(std::abs(dark.left + dark.right - shown.width), 2);
        EXPECT_LE(std::abs(dark.top + dark.bottom - shown.height), 2);
    }
    // The picture and its mask stay; each paint's contexts go.
    EXPECT_EQ(gdi_net(hwnd), 0);
    expect_closes_with_0(a, hwnd);
}

TEST(tessary, without_the_picture_draws_nothing) {
    program_without_resource stripped(L"tessary", RT_BITMAP, L"TESSARY");
    ASSERT_TRUE(stripped.removed());
    app a;
    HWND hwnd = launch_placed(a, L"tessary", 300, 360, stripped.path());
    ASSERT_NE(hwnd, nullptr);
    const image shown = capture_client(hwnd);
    EXPECT_TRUE(all_of(shown, {0, 0, shown.width, shown.height}, window_colour()));
    expect_closes_with_0(a, hwnd);
}
