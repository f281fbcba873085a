#include "harness/bmp_images.h"

namespace bmp {

void put16(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    v[at] = uint8_t(x);
    v[at + 1] = uint8_t(x >> 8);
}
void put32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    put16(v, at, x & 0xFFFF);
    put16(v, at + 2, x >> 16);
}
uint32_t get32(const std::vector<uint8_t>& v, size_t at) {
    return v[at] | v[at + 1] << 8 | v[at + 2] << 16 | uint32_t(v[at + 3]) << 24;
}

static int palette_size(const format& f) {
    return f.bits <= 8 ? 1 << f.bits : 0;
}

// The colour of palette entry i: distinct for every entry of up to 256.
static uint32_t palette_colour(int i, int n) {
    if (n == 2) return i ? 0xFFE000 : 0x2040A0; // not black and white: the table must be used
    uint32_t r = uint32_t((i * 37 + 20) & 0xFF), g = uint32_t((i * 91 + 60) & 0xFF);
    uint32_t b = uint32_t((i * 53 + 200) & 0xFF) ^ uint32_t(i >> 4);
    return r << 16 | g << 8 | b;
}

// The eight colours whose components are 0 or 255: exact in every format, 16 bits included.
static uint32_t corner_colour(int i) {
    return (i & 1 ? 0xFF0000 : 0) | (i & 2 ? 0x00FF00 : 0) | (i & 4 ? 0x0000FF : 0);
}

// The pattern, top row at y = 0: runs of four pixels so that RLE has runs to compress, and no
// symmetry, so a flipped or shifted image differs.
static int pattern(const format& f, int x, int y, int n) {
    if (f.blocks) return ((x / 8) + (y / 8) * 3) % n;
    return ((x / 4) + 3 * (y / 3) + (y % 5 == 0 ? 1 : 0) + (x > y ? 2 : 0)) % n;
}

static uint32_t true_colour(const format& f, int x, int y) {
    if (f.bits == 16) return corner_colour(pattern(f, x, y, 8));
    if (f.blocks) return palette_colour(pattern(f, x, y, 64), 64);
    return uint32_t(((x * 255 / f.width) << 16) | ((y * 255 / f.height) << 8) |
                    ((x * 7 + y * 11) & 0xFF));
}

static void encode_rle(const format& f, const std::vector<std::vector<int>>& rows,
                       std::vector<uint8_t>& out) {
    // Bottom row first; runs of one index in encoded mode, one row in absolute mode for RLE8.
    for (int r = f.height - 1; r >= 0; r--) {
        const std::vector<int>& row = rows[r];
        if (f.comp == compression::rle8 && r == f.height / 2 && f.width >= 3 && f.width < 256) {
            out.push_back(0);
            out.push_back(uint8_t(f.width));
            for (int x = 0; x < f.width; x++)
                out.push_back(uint8_t(row[x]));
            if (f.width & 1) out.push_back(0); // absolute runs end on a word boundary
        } else {
            for (int x = 0; x < f.width;) {
                int run = 1;
                while (x + run < f.width && row[x + run] == row[x] && run < 255)
                    run++;
                out.push_back(uint8_t(run));
                int v = row[x];
                out.push_back(uint8_t(f.comp == compression::rle4 ? (v << 4 | v) : v));
                x += run;
            }
        }
        out.push_back(0);
        out.push_back(r == 0 ? 1 : 0); // end of line, or end of bitmap after the last
    }
}

static uint32_t header_size(header h) {
    switch (h) {
    case header::core: return 12;
    case header::info: return 40;
    case header::v2: return 52;
    case header::v3: return 56;
    case header::v4: return 108;
    case header::v5: return 124;
    }
    return 40;
}

file make(const std::string& name, const format& f) {
    file out;
    out.name = name;
    out.f = f;
    const int n = palette_size(f);
    const bool core = f.kind == header::core;
    const uint32_t hs = header_size(f.kind);
    uint32_t table = uint32_t(n) * (core ? 3 : 4);
    if (f.comp == compression::bitfields && f.kind == header::info) table = 12;
    uint32_t masks[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0};
    if (f.bits == 16) {
        masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
        if (f.comp == compression::bitfields) masks[0] = 0xF800, masks[1] = 0x07E0;
    }
    if (f.kind == header::v5 && f.bits == 32) masks[3] = 0xFF000000;

    out.shown.width = f.width;
    out.shown.height = f.height;
    std::vector<std::vector<int>> index(size_t(f.height), std::vector<int>(size_t(f.width)));
    for (int y = 0; y < f.height; y++)
        for (int x = 0; x < f.width; x++) {
            uint32_t c;
            if (n) {
                index[y][x] = pattern(f, x, y, n);
                c = palette_colour(index[y][x], n);
            } else {
                c = true_colour(f, x, y);
            }
            out.shown.px.push_back(c);
        }

    std::vector<uint8_t> bits;
    const uint32_t row = uint32_t((f.width * f.bits + 31) / 32 * 4);
    if (f.comp == compression::rle8 || f.comp == compression::rle4) {
        encode_rle(f, index, bits);
    } else {
        bits.assign(size_t(row) * f.height, 0);
        for (int y = 0; y < f.height; y++) {
            uint8_t* p = &bits[size_t(f.top_down ? y : f.height - 1 - y) * row];
            for (int x = 0; x < f.width; x++) {
                uint32_t c = out.shown.at(x, y);
                uint32_t r = c >> 16, g = c >> 8 & 0xFF, b = c & 0xFF;
                switch (f.bits) {
                case 1: p[x / 8] |= uint8_t(index[y][x] << (7 - x % 8)); break;
                case 4: p[x / 2] |= uint8_t(index[y][x] << (x % 2 ? 0 : 4)); break;
                case 8: p[x] = uint8_t(index[y][x]); break;
                case 16: {
                    uint32_t v = (r ? masks[0] : 0) | (g ? masks[1] : 0) | (b ? masks[2] : 0);
                    p[2 * x] = uint8_t(v), p[2 * x + 1] = uint8_t(v >> 8);
                    break;
                }
                case 24:
                    p[3 * x] = uint8_t(b), p[3 * x + 1] = uint8_t(g), p[3 * x + 2] = uint8_t(r);
                    break;
                case 32:
                    p[4 * x] = uint8_t(b), p[4 * x + 1] = uint8_t(g), p[4 * x + 2] = uint8_t(r);
                    p[4 * x + 3] = masks[3] ? 0xFF : 0;
                    break;
                }
            }
        }
    }

    const uint32_t off = 14 + hs + table, size = off + uint32_t(bits.size());
    std::vector<uint8_t>& v = out.bytes;
    v.assign(size, 0);
    v[0] = 'B';
    v[1] = 'M';
    put32(v, 2, size);
    put32(v, 10, off);
    put32(v, 14, hs);
    if (core) {
        put16(v, 18, uint32_t(f.width));
        put16(v, 20, uint32_t(f.height));
        put16(v, 22, 1);
        put16(v, 24, uint32_t(f.bits));
    } else {
        put32(v, 18, uint32_t(f.width));
        put32(v, 22, uint32_t(f.top_down ? -f.height : f.height));
        put16(v, 26, 1);
        put16(v, 28, uint32_t(f.bits));
        put32(v, 30, uint32_t(f.comp));
        put32(v, 34, uint32_t(bits.size()));
        put32(v, 38, 2835); // 72 dots per inch
        put32(v, 42, 2835);
        if (f.kind == header::v2 || f.kind == header::v3) {
            for (int i = 0; i < (f.kind == header::v2 ? 3 : 4); i++)
                put32(v, 54 + 4 * i, masks[i]);
        } else if (f.kind != header::info) {
            for (int i = 0; i < 4; i++)
                put32(v, 54 + 4 * i, masks[i]);
            put32(v, 70, 0x73524742); // LCS_sRGB
        }
        if (f.kind == header::v5) put32(v, 14 + 108, 4); // LCS_GM_IMAGES
    }
    size_t t = 14 + hs;
    if (f.comp == compression::bitfields && f.kind == header::info)
        for (int i = 0; i < 3; i++)
            put32(v, t + 4 * i, masks[i]);
    for (int i = 0; i < n; i++) {
        uint32_t c = palette_colour(i, n);
        size_t at = t + size_t(i) * (core ? 3 : 4);
        v[at] = uint8_t(c), v[at + 1] = uint8_t(c >> 8), v[at + 2] = uint8_t(c >> 16);
    }
    std::copy(bits.begin(), bits.end(), v.begin() + off);
    return out;
}

std::vector<file> all_formats() {
    std::vector<file> all;
    auto add = [&](const char* name, int bits, header h, compression c, bool td = false) {
        format f;
        f.bits = bits, f.kind = h, f.comp = c, f.top_down = td;
        all.push_back(make(name, f));
    };
    add("info1.bmp", 1, header::info, compression::rgb);
    add("info4.bmp", 4, header::info, compression::rgb);
    add("info8.bmp", 8, header::info, compression::rgb);
    add("info16.bmp", 16, header::info, compression::rgb);
    add("info24.bmp", 24, header::info, compression::rgb);
    add("info32.bmp", 32, header::info, compression::rgb);
    add("info8td.bmp", 8, header::info, compression::rgb, true);
    add("info24td.bmp", 24, header::info, compression::rgb, true);
    add("core1.bmp", 1, header::core, compression::rgb);
    add("core4.bmp", 4, header::core, compression::rgb);
    add("core8.bmp", 8, header::core, compression::rgb);
    add("core24.bmp", 24, header::core, compression::rgb);
    add("rle8.bmp", 8, header::info, compression::rle8);
    add("rle4.bmp", 4, header::info, compression::rle4);
    add("fields16.bmp", 16, header::info, compression::bitfields);
    add("fields32.bmp", 32, header::info, compression::bitfields);
    add("v4_24.bmp", 24, header::v4, compression::rgb);
    add("v5_32.bmp", 32, header::v5, compression::bitfields);
    // The 52- and 56-byte headers name no structure of their own: the platform reads their first
    // 40 bytes and the masks from offset 40.
    add("v2_32.bmp", 32, header::v2, compression::bitfields);
    add("v3_32.bmp", 32, header::v3, compression::bitfields);
    add("v5_8td.bmp", 8, header::v5, compression::rgb, true);
    return all;
}

std::vector<std::pair<std::string, std::vector<uint8_t>>> broken_files() {
    format f;
    const std::vector<uint8_t> good = make("", f).bytes;
    std::vector<std::pair<std::string, std::vector<uint8_t>>> out;
    auto variant = [&](const char* name, auto change) {
        std::vector<uint8_t> v = good;
        change(v);
        out.emplace_back(name, v);
    };
    variant("type_ba.bmp", [](std::vector<uint8_t>& v) { v[1] = 'A'; });
    variant("size_plus1.bmp", [](std::vector<uint8_t>& v) { put32(v, 2, get32(v, 2) + 1); });
    variant("size_minus1.bmp", [](std::vector<uint8_t>& v) { put32(v, 2, get32(v, 2) - 1); });
    variant("truncated.bmp", [](std::vector<uint8_t>& v) { v.resize(v.size() - 40); });
    // Cut short but with bfSize matching: only the header's own sizes show that rows are missing.
    variant("short_rows.bmp", [](std::vector<uint8_t>& v) {
        v.resize(v.size() - 40);
        put32(v, 2, uint32_t(v.size()));
    });
    variant("offbits_past_end.bmp", [](std::vector<uint8_t>& v) { put32(v, 10, 0x7FFFFF00); });
    variant("offbits_small.bmp", [](std::vector<uint8_t>& v) { put32(v, 10, 2); });
    variant("header_huge.bmp", [](std::vector<uint8_t>& v) { put32(v, 14, 0x7FFFFFF0); });
    variant("header_64.bmp", [](std::vector<uint8_t>& v) { put32(v, 14, 64); });
    variant("width_huge.bmp", [](std::vector<uint8_t>& v) { put32(v, 18, 0x40000000); });
    variant("height_huge.bmp", [](std::vector<uint8_t>& v) { put32(v, 22, 0x7FFFFFFF); });
    variant("height_min.bmp", [](std::vector<uint8_t>& v) { put32(v, 22, 0x80000000); });
    variant("short_header.bmp", [](std::vector<uint8_t>& v) {
        v.resize(30);
        put32(v, 2, 30);
    });
    variant("file_header_only.bmp", [](std::vector<uint8_t>& v) {
        v.resize(14);
        put32(v, 2, 14);
        put32(v, 10, 14);
    });
    // A 4-bit image claiming a colour table of 200 entries, which runs past the end of the file.
    {
        format g;
        g.bits = 4;
        std::vector<uint8_t> v = make("", g).bytes;
        put32(v, 14 + 32, 200);
        out.emplace_back("colours_past_end.bmp", v);
    }
    return out;
}

} // namespace bmp
