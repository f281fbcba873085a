#include "harness/ink_near.h"

#include <algorithm>

namespace harness {

static bool ink_near(const image& img, int x, int y) {
    for (int dy = -1; dy <= 1; dy++)
        for (int dx = -1; dx <= 1; dx++) {
            const int nx = x + dx, ny = y + dy;
            if (nx >= 0 && ny >= 0 && nx < img.width && ny < img.height && is_dark(img.at(nx, ny)))
                return true;
        }
    return false;
}

int ink_mismatch_near(const image& shown, const image& ref) {
    const int w = std::min(shown.width, ref.width), h = std::min(shown.height, ref.height);
    int n = 0;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            const bool a = is_dark(shown.at(x, y)), b = is_dark(ref.at(x, y));
            if (a != b && !(a ? ink_near(ref, x, y) : ink_near(shown, x, y))) n++;
        }
    return n;
}

} // namespace harness
