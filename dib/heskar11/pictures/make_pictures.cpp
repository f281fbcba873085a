// Writes the two bitmap files heskar11 shows: one picture, 24 bits per pixel, stored once with
// its bottom row first (Heskar11.bmp) and once with its top row first (HeskarTD.bmp). Runs on the
// build machine: make_pictures <folder>.
#include <stdint.h>
#include <stdio.h>
#include <string>
#include <vector>

static const int width = 200, height = 240;

// The picture, top row at y = 0: a colour ramp with a dark frame, a disc and a few bars, so that
// a row or column out of place would show.
static void pixel(int x, int y, uint8_t* bgr) {
    int r = x * 255 / (width - 1), g = y * 255 / (height - 1), b = 160;
    int dx = x - 120, dy = y - 130;
    if (dx * dx + dy * dy < 45 * 45) r = 250, g = 220, b = 30;
    if (y >= 20 && y < 36 && x >= 20 && x < 180) r = 200, g = 20, b = 20;
    if (x >= 30 && x < 46 && y >= 60 && y < 220) r = 20, g = 20, b = 200;
    if (x < 4 || y < 4 || x >= width - 4 || y >= height - 4) r = g = b = 0;
    bgr[0] = uint8_t(b);
    bgr[1] = uint8_t(g);
    bgr[2] = uint8_t(r);
}

static void put16(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    v[at] = uint8_t(x);
    v[at + 1] = uint8_t(x >> 8);
}
static void put32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    put16(v, at, x & 0xFFFF);
    put16(v, at + 2, x >> 16);
}

static bool write(const std::string& path, bool top_down) {
    const uint32_t row = (width * 24 + 31) / 32 * 4, off = 14 + 40, size = off + row * height;
    std::vector<uint8_t> f(size, 0);
    f[0] = 'B';
    f[1] = 'M';
    put32(f, 2, size);
    put32(f, 10, off);
    put32(f, 14, 40);
    put32(f, 18, width);
    put32(f, 22, uint32_t(top_down ? -height : height));
    put16(f, 26, 1);
    put16(f, 28, 24);
    put32(f, 34, row * height);
    for (int y = 0; y < height; y++) {
        int stored = top_down ? y : height - 1 - y;
        for (int x = 0; x < width; x++)
            pixel(x, y, &f[off + stored * row + x * 3]);
    }
    FILE* out = fopen(path.c_str(), "wb");
    if (!out) return false;
    bool ok = fwrite(f.data(), 1, f.size(), out) == f.size();
    return fclose(out) == 0 && ok;
}

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    std::string dir = argv[1];
    return write(dir + "/Heskar11.bmp", false) && write(dir + "/HeskarTD.bmp", true) ? 0 : 1;
}
