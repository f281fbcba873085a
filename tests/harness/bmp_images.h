// Bitmap files made by the tests: every pixel format and header kind the DIB programs read, the
// pixels each one should show (decoded here, independently of the programs), and broken
// variants. Plain C++, so that the native fuzzers' seed generator uses it too.
#pragma once

#include <stdint.h>
#include <string>
#include <vector>

namespace bmp {

// v2 and v3: the 52- and 56-byte information headers (40 bytes and the RGB or RGBA masks).
enum class header { core, info, v2, v3, v4, v5 };
enum class compression { rgb = 0, rle8 = 1, rle4 = 2, bitfields = 3 };

struct format {
    int bits = 24;
    header kind = header::info;
    compression comp = compression::rgb;
    bool top_down = false;
    int width = 37, height = 23;
    bool blocks = false; // large blocks of colour instead of the fine pattern
};

// What a correct program shows: top row first, 0x00RRGGBB.
struct picture {
    int width = 0, height = 0;
    std::vector<uint32_t> px;
    uint32_t at(int x, int y) const { return px[size_t(y) * width + x]; }
};

struct file {
    std::string name; // e.g. "info8.bmp"
    format f;
    std::vector<uint8_t> bytes;
    picture shown;
};

file make(const std::string& name, const format& f);
// One file of each format and header kind, in a fixed order.
std::vector<file> all_formats();
// Files every program must refuse: name and bytes.
std::vector<std::pair<std::string, std::vector<uint8_t>>> broken_files();

uint32_t get32(const std::vector<uint8_t>& v, size_t at);
void put32(std::vector<uint8_t>& v, size_t at, uint32_t x);
void put16(std::vector<uint8_t>& v, size_t at, uint32_t x);

} // namespace bmp
