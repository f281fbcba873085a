// Writes the bitmap files the bitmap demonstrations carry as resources (the resource compiler
// keeps everything after the 14-byte file header): holvard.bmp, the 8 x 8 brick, and tessary.bmp,
// the 200 x 320 picture seen through the ellipse. Runs on the build machine:
// make_pictures <folder>.
#include <stdint.h>
#include <stdio.h>
#include <string>
#include <vector>

static void put16(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    v[at] = uint8_t(x);
    v[at + 1] = uint8_t(x >> 8);
}
static void put32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    put16(v, at, x & 0xFFFF);
    put16(v, at + 2, x >> 16);
}

// A monochrome bitmap file: colour table black then white, rows padded to 4 bytes and stored
// bottom row first. `bit(x, y)` gives the pixel with y = 0 at the top, 1 = white.
template <typename Bit>
static bool write_mono(const std::string& path, int width, int height, Bit bit) {
    const uint32_t row = (uint32_t(width) + 31) / 32 * 4, off = 14 + 40 + 8;
    const uint32_t size = off + row * uint32_t(height);
    std::vector<uint8_t> f(size, 0);
    f[0] = 'B';
    f[1] = 'M';
    put32(f, 2, size);
    put32(f, 10, off);
    put32(f, 14, 40);
    put32(f, 18, uint32_t(width));
    put32(f, 22, uint32_t(height));
    put16(f, 26, 1);
    put16(f, 28, 1);
    put32(f, 34, row * uint32_t(height));
    put32(f, 54 + 4, 0x00FFFFFF); // entry 0 black (all zero), entry 1 white
    for (int y = 0; y < height; y++) {
        uint8_t* bits = &f[off + uint32_t(height - 1 - y) * row];
        for (int x = 0; x < width; x++)
            if (bit(x, y)) bits[x / 8] |= uint8_t(0x80 >> (x % 8));
    }
    FILE* out = fopen(path.c_str(), "wb");
    if (!out) return false;
    bool ok = fwrite(f.data(), 1, f.size(), out) == f.size();
    return fclose(out) == 0 && ok;
}

// The brick, rows from the top, the leftmost pixel in the most significant bit: a mortar line,
// three rows of brick with a joint in columns 4-5, another mortar line, three rows with the joint
// in columns 0-1.
static const uint8_t brick[8] = {0xFF, 0x0C, 0x0C, 0x0C, 0xFF, 0xC0, 0xC0, 0xC0};

// The masked picture: white rings on black around the centre, and a white triangle up on the
// left, so that a picture turned or shifted would show.
static bool picture_bit(int x, int y) {
    const int dx = 2 * x - 199, dy = 2 * y - 319; // twice the distance from the centre
    const int r2 = dx * dx + dy * dy;
    for (int r = 40; r <= 320; r += 40)
        if (r2 >= (r - 8) * (r - 8) && r2 < r * r) return true;
    return y >= 80 && y < 140 && x >= 50 && x < 50 + (140 - y) * 2 / 3;
}

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string dir = argv[1];
    const bool ok = write_mono(dir + "/holvard.bmp", 8, 8,
                               [](int x, int y) { return (brick[y] & (0x80 >> x)) != 0; }) &&
                    write_mono(dir + "/tessary.bmp", 200, 320, picture_bit);
    return ok ? 0 : 1;
}
