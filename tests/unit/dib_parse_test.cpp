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
        EXPECT_EQ(14 + l.header_size + l.table_bytes, bmp::get32(f.bytes, 10));
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

TEST(dib_parse, layouts_that_reach_past_the_header_block_are_refused) {
    bmp::format f;
    f.bits = 8;
    std::vector<uint8_t> v = bmp::make("", f).bytes;
    const uint8_t* h = v.data() + 14;
    dib_layout l;
    ASSERT_TRUE(dib_read_layout(h, 40 + 1024, &l));
    EXPECT_FALSE(dib_read_layout(h, 40 + 1023, &l)); // the colour table is cut short
    EXPECT_FALSE(dib_read_layout(h, 39, &l));
    EXPECT_FALSE(dib_read_layout(h, 3, &l));
    // A 40-byte header with bit fields needs its three masks.
    bmp::format g;
    g.bits = 32, g.comp = bmp::compression::bitfields;
    std::vector<uint8_t> w = bmp::make("", g).bytes;
    EXPECT_TRUE(dib_read_layout(w.data() + 14, 52, &l));
    EXPECT_FALSE(dib_read_layout(w.data() + 14, 51, &l));
    // Compressed rows that claim to be top-down, and unknown compressions and bit counts.
    bmp::put32(w, 14 + 16, 1);
    EXPECT_FALSE(dib_read_layout(w.data() + 14, 52, &l)); // RLE8 with 32 bits
    bmp::put32(w, 14 + 16, 4);
    EXPECT_FALSE(dib_read_layout(w.data() + 14, 52, &l));
    bmp::format r;
    r.bits = 8, r.comp = bmp::compression::rle8;
    std::vector<uint8_t> x = bmp::make("", r).bytes;
    ASSERT_TRUE(dib_read_layout(x.data() + 14, 40 + 1024, &l));
    EXPECT_EQ(l.bits_bytes, bmp::get32(x, 34));
    bmp::put32(x, 22, uint32_t(-23));
    EXPECT_FALSE(dib_read_layout(x.data() + 14, 40 + 1024, &l));
}

TEST(dib_parse, piece_sizes_need_a_header_and_some_bits) {
    dib_file_header h{0x4D42, 1000, 0, 0, 54};
    uint32_t head = 0, bits = 0;
    ASSERT_TRUE(dib_piece_sizes(h, &head, &bits));
    EXPECT_EQ(head, 40u);
    EXPECT_EQ(bits, 946u);
    h.off_bits = 17; // no room for the header-size field
    EXPECT_FALSE(dib_piece_sizes(h, &head, &bits));
    h.off_bits = 1000; // no bits
    EXPECT_FALSE(dib_piece_sizes(h, &head, &bits));
    h.off_bits = 54, h.size = 0xFFFFFFFF; // beyond what a block can hold
    EXPECT_FALSE(dib_piece_sizes(h, &head, &bits));
}
