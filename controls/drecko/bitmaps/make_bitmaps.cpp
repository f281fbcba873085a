// Writes drecko's four monochrome menu bitmaps from the pictures below: "File", "Edit" and "Font"
// (40 x 16) and a question mark in a ring (64 x 64). '#' is ink (black), anything else paper
// (white). Runs on the build machine: make_bitmaps <folder>.
#include <stdint.h>
#include <stdio.h>
#include <string>
#include <vector>

// One picture row per line.
// clang-format off
static const char* const file_word[16] = {
    "........................................",
    "........................................",
    "..#######...##...##.....................",
    "..##........##...##.....................",
    "..##.............##.....................",
    "..##.......###...##......#####..........",
    "..#####.....##...##.....##...##.........",
    "..##........##...##.....#######.........",
    "..##........##...##.....##..............",
    "..##........##...##.....##...##.........",
    "..##.......####.####.....#####..........",
    "........................................",
    "........................................",
    "........................................",
    "........................................",
    "........................................",
};

static const char* const edit_word[16] = {
    "........................................",
    "........................................",
    "..#######.........##...##.......##......",
    "..##..............##...##.......##......",
    "..##..............##............##......",
    "..##.........######....###....######....",
    "..#####.....##...##.....##......##......",
    "..##........##...##.....##......##......",
    "..##........##...##.....##......##......",
    "..##........##...##.....##......##.##...",
    "..#######....######....####......###....",
    "........................................",
    "........................................",
    "........................................",
    "........................................",
    "........................................",
};

static const char* const font_word[16] = {
    "........................................",
    "........................................",
    "..#######...............................",
    "..##.............................##.....",
    "..##.............................##.....",
    "..##........#####...######....######....",
    "..#####....##...##..##...##......##.....",
    "..##.......##...##..##...##......##.....",
    "..##.......##...##..##...##......##.....",
    "..##.......##...##..##...##......##.##..",
    "..##........#####...##...##.......###...",
    "........................................",
    "........................................",
    "........................................",
    "........................................",
    "........................................",
};

// The question mark, 10 x 14, drawn three times as large inside the ring.
static const char* const question[14] = {
    "..######..",
    ".##....##.",
    "##......##",
    "##......##",
    "........##",
    ".......##.",
    "......##..",
    ".....##...",
    "....##....",
    "....##....",
    "..........",
    "..........",
    "....##....",
    "....##....",
};

// clang-format on

struct picture {
    int width, height;
    std::vector<bool> ink; // top row first
};

static picture from_rows(const char* const* rows, int width, int height) {
    picture p{width, height, std::vector<bool>(size_t(width) * height)};
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            p.ink[size_t(y) * width + x] = rows[y][x] == '#';
    return p;
}

static picture help_picture() {
    picture p{64, 64, std::vector<bool>(64 * 64)};
    for (int y = 0; y < 64; y++)
        for (int x = 0; x < 64; x++) {
            const int dx = 2 * x - 63, dy = 2 * y - 63, d2 = dx * dx + dy * dy;
            bool ink = d2 <= 62 * 62 && d2 >= 54 * 54; // the ring, four pixels wide
            const int qx = (x - 17) / 3, qy = (y - 11) / 3;
            if (x >= 17 && y >= 11 && qx < 10 && qy < 14 && question[qy][qx] == '#') ink = true;
            p.ink[size_t(y) * 64 + x] = ink;
        }
    return p;
}

static void put(std::vector<uint8_t>& v, size_t at, uint32_t x, int bytes) {
    for (int i = 0; i < bytes; i++)
        v[at + i] = uint8_t(x >> (8 * i));
}

// A 1-bit bitmap file with the colour table black, white; rows bottom-up, 4-byte aligned.
static bool write(const std::string& path, const picture& p) {
    const uint32_t row = (uint32_t(p.width) + 31) / 32 * 4, off = 14 + 40 + 8;
    const uint32_t size = off + row * uint32_t(p.height);
    std::vector<uint8_t> f(size, 0);
    f[0] = 'B';
    f[1] = 'M';
    put(f, 2, size, 4);
    put(f, 10, off, 4);
    put(f, 14, 40, 4);
    put(f, 18, uint32_t(p.width), 4);
    put(f, 22, uint32_t(p.height), 4);
    put(f, 26, 1, 2);
    put(f, 28, 1, 2);
    put(f, 34, row * uint32_t(p.height), 4);
    put(f, 58, 0xFFFFFF, 4); // colour 1: white; colour 0 stays black
    for (int y = 0; y < p.height; y++)
        for (int x = 0; x < p.width; x++)
            if (!p.ink[size_t(y) * p.width + x])
                f[off + size_t(p.height - 1 - y) * row + x / 8] |= uint8_t(0x80 >> (x % 8));
    FILE* out = fopen(path.c_str(), "wb");
    if (!out) return false;
    const bool ok = fwrite(f.data(), 1, f.size(), out) == f.size();
    return fclose(out) == 0 && ok;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: make_bitmaps <folder>\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    const bool ok = write(dir + "file.bmp", from_rows(file_word, 40, 16)) &&
                    write(dir + "edit.bmp", from_rows(edit_word, 40, 16)) &&
                    write(dir + "font.bmp", from_rows(font_word, 40, 16)) &&
                    write(dir + "help.bmp", help_picture());
    if (!ok) fprintf(stderr, "make_bitmaps: cannot write into %s\n", argv[1]);
    return ok ? 0 : 1;
}
