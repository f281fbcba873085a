#include "window_corner.h"

using namespace window_corner_scenarios;

namespace {

// Copies of the corner from the client's top-left corner on, cut by the right and bottom edges.
image tiled(const image& corner, int width, int height) {
    image out;
    out.width = width;
    out.height = height;
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            out.px.push_back(corner.at(x % corner.width, y % corner.height));
    return out;
}

} // namespace

TEST(sandrel, tiles_the_window_corner_at_any_size) {
    shows_the_corner_at_any_size(L"sandrel", L"Sandrel Demo", tiled);
}

TEST(sandrel, follows_the_corner_when_deactivated_and_activated_repainted) {
    follows_the_corner_when_repainted(L"sandrel", tiled);
}
