#include "dib/dib_parse.h"
#include "harness/bmp_images.h"
#include <gtest/gtest.h>

TEST(dib_parse, every_generated_format_is_accepted_with_its_geometry) {
    for (const bmp::file& f : bmp::all_formats()) {
        SCOPED_TRACE(f.name);
        dib_layout l;
        ASSERT_EQ(dib_check_file(f.bytes.data(), f.bytes.size(), &l), DIB_FILE_OK);
        EXPECT_EQ(int(l.width), f.f.width);
        EXPECT_EQ(int(l.height), f.f.height);
        EXPECT_EQ(l.top_down, f.f.top_down);
        EXPECT_EQ(int(l.bit_count), f.f.bits);
        EXPECT_EQ(l.compression, uint32_t(f.f.comp));
        EXPECT_EQ(l.row_bytes % 4, 0u);
        EXPECT_GE(l.row_bytes * 8, l.width * l.bit_count);
        // Header and table end where the bits begin in these files.
        EXPECT_EQ(14 + l.table_end, bmp::get32(f.bytes, 10));
    }
}

TEST(dib_parse, the_loader_checks_come_in_their_order) {
    bmp::file f = bmp::make("", bmp::format{});
    std::vector<uint8_t> v = f.bytes;
    v[0] = 'X';
    bmp::put32(v, 2, 1); // both wrong: the type decides
    EXPECT_EQ(dib_check_file(v.data(), v.size(), nullptr), DIB_FILE_NOT_BM);
    v[0] = 'B';
    EXPECT_EQ(dib_check_file(v.data(), v.size(), nullptr), DIB_FILE_WRONG_SIZE);
    EXPECT_EQ(dib_check_file(v.data(), 0, nullptr), DIB_FILE_NOT_BM);
    EXPECT_EQ(dib_check_file(v.data(), 1, nullptr), DIB_FILE_NOT_BM);
    EXPECT_EQ(dib_check_file(v.data(), 4, nullptr), DIB_FILE_WRONG_SIZE);
}

TEST(dib_parse, broken_files_are_refused) {
    for (const auto& b : bmp::broken_files()) {
        SCOPED_TRACE(b.first);
        EXPECT_NE(dib_check_file(b.second.data(), b.second.size(), nullptr), DIB_FILE_OK);
    }
}

namespace {

// The default 24-bit file (37 x 23) with a change, bfSize kept equal to the file's size.
std::vector<uint8_t> variant(void (*change)(std::vector<uint8_t>&), bmp::format f = {}) {
    std::vector<uint8_t> v = bmp::make("", f).bytes;
    change(v);
    bmp::put32(v, 2, uint32_t(v.size()));
    return v;
}

} // namespace

// Header sizes, bit counts and compressions are the drawing call's to judge: the checks look
// only at where the header's own description reaches.
TEST(dib_parse, what_the_platform_judges_is_not_refused_while_everything_stays_in_the_file) {
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
        bool accepted;
    } cases[] = {
        {"20-byte header, its fields inside the file",
         variant([](std::vector<uint8_t>& v) { bmp::put32(v, 14, 20); }), true},
        {"7 bits a pixel", variant([](std::vector<uint8_t>& v) { v[28] = 7; }), true},
        {"JPEG compression with its size inside the file",
         variant([](std::vector<uint8_t>& v) { bmp::put32(v, 30, 4), bmp::put32(v, 34, 100); }),
         true},
        {"RLE8 with no image size", variant([](std::vector<uint8_t>& v) {
             v[28] = 8, bmp::put32(v, 30, 1), bmp::put32(v, 34, 0);
         }),
         true},
        {"top-down RLE8", variant([](std::vector<uint8_t>& v) {
             v[28] = 8, bmp::put32(v, 30, 1), bmp::put32(v, 34, 16),
             bmp::put32(v, 22, uint32_t(-23));
         }),
         true},
        {"negative width",
         variant([](std::vector<uint8_t>& v) { bmp::put32(v, 18, uint32_t(-37)); }), true},
        // 20 colours of a 4-bit image: 16 more bytes than the 64 before the bits, still in the
        // file.
        {"colour table past bfOffBits",
         variant([](std::vector<uint8_t>& v) { v[46] = 20; },
                 [] {
                     bmp::format f;
                     f.bits = 4;
                     return f;
                 }()),
         true},
        {"compressed codes past the end",
         variant([](std::vector<uint8_t>& v) { bmp::put32(v, 30, 1), bmp::put32(v, 34, 5000); }),
         false},
        {"rows past the end with an unknown bit count",
         variant([](std::vector<uint8_t>& v) { v[28] = 40; }), false},
        {"40 header bytes beyond the end", variant([](std::vector<uint8_t>& v) {
             bmp::put32(v, 10, 18), bmp::put32(v, 14, 4), v.resize(40);
         }),
         false},
        {"bit-field masks beyond the end", variant([](std::vector<uint8_t>& v) {
             bmp::put32(v, 30, 3), bmp::put32(v, 18, 0), bmp::put32(v, 10, 54), v.resize(14 + 50);
         }),
         false},
        {"height whose magnitude is no int", variant([](std::vector<uint8_t>& v) {
             bmp::put32(v, 18, 0), bmp::put32(v, 22, 0x80000000);
         }),
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(dib_check_file(c.bytes.data(), c.bytes.size(), nullptr) == DIB_FILE_OK,
                  c.accepted);
    }
}

TEST(dib_parse, extents_of_the_header_block) {
    bmp::format f;
    f.bits = 8;
    std::vector<uint8_t> v = bmp::make("", f).bytes;
    const uint8_t* h = v.data() + 14;
    dib_layout l;
    ASSERT_TRUE(dib_read_layout(h, 40 + 1024, &l));
    EXPECT_EQ(l.table_end, 40u + 1024);
    EXPECT_FALSE(dib_read_layout(h, 39, &l)); // the fields themselves are cut short
    EXPECT_FALSE(dib_read_layout(h, 3, &l));
    bmp::put32(v, 14 + 32, 300); // the platform reads at most 256 colours
    ASSERT_TRUE(dib_read_layout(h, 40, &l));
    EXPECT_EQ(l.table_end, 40u + 1024);
    bmp::put32(v, 14 + 32, 3);
    ASSERT_TRUE(dib_read_layout(h, 40, &l));
    EXPECT_EQ(l.table_end, 40u + 12);
    // Bit fields: the three masks at offset 40 after a 40-byte header, inside a longer one.
    bmp::format g;
    g.bits = 32, g.comp = bmp::compression::bitfields;
    std::vector<uint8_t> w = bmp::make("", g).bytes;
    ASSERT_TRUE(dib_read_layout(w.data() + 14, 40, &l));
    EXPECT_EQ(l.table_end, 52u);
    EXPECT_EQ(l.bits_bytes, 37u * 4 * 23);
    bmp::put32(w, 14, 56);
    ASSERT_TRUE(dib_read_layout(w.data() + 14, 40, &l));
    EXPECT_EQ(l.table_end, 56u);
    // The core header's table has three bytes an entry.
    bmp::format c;
    c.bits = 4, c.kind = bmp::header::core;
    std::vector<uint8_t> x = bmp::make("", c).bytes;
    ASSERT_TRUE(dib_read_layout(x.data() + 14, 12, &l));
    EXPECT_EQ(l.table_end, 12u + 48);
    EXPECT_FALSE(dib_read_layout(x.data() + 14, 11, &l));
    // Compressed bits are as many as biSizeImage says; a row count of 2^31 - 1 saturates.
    bmp::format r;
    r.bits = 8, r.comp = bmp::compression::rle8;
    std::vector<uint8_t> y = bmp::make("", r).bytes;
    ASSERT_TRUE(dib_read_layout(y.data() + 14, 40, &l));
    EXPECT_EQ(l.bits_bytes, bmp::get32(y, 34));
    bmp::put32(y, 30, 0), bmp::put32(y, 18, 0x7FFFFFFF), bmp::put32(y, 22, 0x7FFFFFFF);
    ASSERT_TRUE(dib_read_layout(y.data() + 14, 40, &l));
    EXPECT_GT(l.bits_bytes, uint64_t(0xFFFFFFFF));
}

TEST(dib_parse, piece_sizes_are_zero_where_no_block_can_be_had) {
    const struct {
        uint32_t size, off_bits, header_block, bits_block;
    } cases[] = {
        {1000, 54, 40, 946},     {1000, 15, 1, 985},
        {1000, 14, 0, 986},      {1000, 2, 0, 998},
        {1000, 1000, 986, 0},    {1000, 1200, 1186, 0},
        {0xFFFFFFFF, 54, 40, 0}, {0x90000000, 0x80000010, 0, 0x0FFFFFF0},
    };
    for (const auto& c : cases) {
        dib_file_header h{0x4D42, c.size, 0, 0, c.off_bits};
        EXPECT_EQ(dib_header_block_size(h), c.header_block) << c.size << " " << c.off_bits;
        EXPECT_EQ(dib_bits_block_size(h), c.bits_block) << c.size << " " << c.off_bits;
    }
}

// The clipboard's packed DIB: for every generated file, everything after the file header; with a
// gap after the colour table, the same bytes as the file without it.
TEST(dib_parse, packed_dib_closes_a_gap_before_the_pixels) {
    for (const bmp::file& f : bmp::all_formats()) {
        SCOPED_TRACE(f.name);
        dib_packed p;
        ASSERT_TRUE(dib_packed_of(f.bytes.data(), f.bytes.size(), &p));
        EXPECT_EQ(p.head_bytes + p.bits_bytes, f.bytes.size() - 14);
        EXPECT_EQ(p.bits_offset, 14 + p.head_bytes);

        std::vector<uint8_t> gapped = f.bytes;
        const uint32_t off = bmp::get32(f.bytes, 10);
        gapped.insert(gapped.begin() + off, 6, 0xEE);
        bmp::put32(gapped, 2, uint32_t(gapped.size()));
        bmp::put32(gapped, 10, off + 6);
        ASSERT_TRUE(dib_packed_of(gapped.data(), gapped.size(), &p));
        std::vector<uint8_t> packed(gapped.begin() + 14, gapped.begin() + 14 + p.head_bytes);
        packed.insert(packed.end(), gapped.begin() + p.bits_offset,
                      gapped.begin() + p.bits_offset + p.bits_bytes);
        EXPECT_EQ(packed, std::vector<uint8_t>(f.bytes.begin() + 14, f.bytes.end()));
    }
    std::vector<uint8_t> broken = bmp::make("", bmp::format{}).bytes;
    broken[0] = 'X';
    dib_packed p;
    EXPECT_FALSE(dib_packed_of(broken.data(), broken.size(), &p));
}
