// Turns an icon drawn as text into an .ico file: make_icon <picture.txt> <icon.ico>. Runs on the
// build machine.
//
// The picture is 32 rows of 32 characters, one character a pixel, in the sixteen standard colours:
//   .  transparent      k  black        R  dark red     G  dark green   Y  olive
//   B  navy             M  purple       C  teal         s  silver       g  grey
//   r  red              l  lime         y  yellow       b  blue         m  magenta
//   c  cyan             w  white
// Lines starting with '#' are comments. The icon holds one 32 x 32 image of 4 bits a pixel with
// its transparency mask.
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>

static const int side = 32;
static const char letters[] = "kRGYBMCsgrlybmcw"; // palette order
static const uint32_t palette[16] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

static void put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
}
static void put32(std::vector<uint8_t>& v, uint32_t x) {
    put16(v, x & 0xFFFF);
    put16(v, x >> 16);
}

static bool read_picture(const char* path, std::vector<std::string>& rows) {
    FILE* in = fopen(path, "r");
    if (!in) return false;
    char line[256];
    while (fgets(line, sizeof line, in)) {
        if (line[0] == '#') continue;
        size_t n = strcspn(line, "\r\n");
        if (n == 0) continue;
        rows.emplace_back(line, n);
    }
    fclose(in);
    if (rows.size() != side) {
        fprintf(stderr, "%s: %zu rows, not %d\n", path, rows.size(), side);
        return false;
    }
    for (size_t y = 0; y < rows.size(); y++) {
        if (rows[y].size() != side) {
            fprintf(stderr, "%s: row %zu has %zu pixels, not %d\n", path, y + 1, rows[y].size(),
                    side);
            return false;
        }
        for (char c : rows[y])
            if (c != '.' && !strchr(letters, c)) {
                fprintf(stderr, "%s: row %zu: unknown colour '%c'\n", path, y + 1, c);
                return false;
            }
    }
    return true;
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: make_icon picture.txt icon.ico\n");
        return 2;
    }
    std::vector<std::string> rows;
    if (!read_picture(argv[1], rows)) return 1;

    const uint32_t colour_row = side / 2, mask_row = 4; // bytes; both already multiples of 4
    const uint32_t image_size = 40 + 16 * 4 + (colour_row + mask_row) * side;
    std::vector<uint8_t> f;
    put16(f, 0); // the icon directory
    put16(f, 1);
    put16(f, 1);
    f.push_back(side); // its one entry
    f.push_back(side);
    f.push_back(16);
    f.push_back(0);
    put16(f, 1);
    put16(f, 4);
    put32(f, image_size);
    put32(f, 6 + 16);
    put32(f, 40); // the image's header: twice the height, for the colours and the mask
    put32(f, side);
    put32(f, side * 2);
    put16(f, 1);
    put16(f, 4);
    put32(f, 0);
    put32(f, (colour_row + mask_row) * side);
    for (int i = 0; i < 4; i++)
        put32(f, 0);
    for (uint32_t rgb : palette)
        put32(f, rgb); // stored as blue, green, red, 0
    // Rows bottom first. A transparent pixel is black in the colours and set in the mask.
    for (int y = side - 1; y >= 0; y--)
        for (int x = 0; x < side; x += 2) {
            uint8_t byte = 0;
            for (int half = 0; half < 2; half++) {
                const char c = rows[y][x + half];
                const uint8_t index = c == '.' ? 0 : uint8_t(strchr(letters, c) - letters);
                byte |= uint8_t(index << (half ? 0 : 4));
            }
            f.push_back(byte);
        }
    for (int y = side - 1; y >= 0; y--)
        for (int x = 0; x < side; x += 8) {
            uint8_t byte = 0;
            for (int bit = 0; bit < 8; bit++)
                if (rows[y][x + bit] == '.') byte |= uint8_t(0x80 >> bit);
            f.push_back(byte);
        }
    FILE* out = fopen(argv[2], "wb");
    if (!out) return 1;
    const bool ok = fwrite(f.data(), 1, f.size(), out) == f.size();
    return fclose(out) == 0 && ok ? 0 : 1;
}
