#include "window_corner.h"

using namespace window_corner_scenarios;

namespace {

// The corner stretched over the whole client area, as GDI stretches with its default mode.
image stretched(const image& corner, int width, int height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = corner.width;
    bi.bmiHeader.biHeight = -corner.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    return render(width, height, [&](HDC dc) {
        StretchDIBits(dc, 0, 0, width, height, 0, 0, corner.width, corner.height, corner.px.data(),
                      &bi, DIB_RGB_COLORS, SRCCOPY);
    });
}

} // namespace

TEST(stretch, stretches_the_window_corner_at_any_size) {
    shows_the_corner_at_any_size(L"stretch", L"StretchBlt Demo", stretched);
}

TEST(stretch, follows_the_corner_when_deactivated_and_activated_repainted) {
    follows_the_corner_when_repainted(L"stretch", stretched);
}
