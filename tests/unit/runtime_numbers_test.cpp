// Number pieces: their texts, where they leave the top, and how much of the area they reserve.
#include "runtime/runtime.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Each test starts with a fresh string heap and an area as start-up leaves it (16 bytes).
class runtime_numbers : public ::testing::Test {
protected:
    void SetUp() override { runtime_init_strings(); }
    void TearDown() override {
        HeapDestroy(rt.string_heap);
        rt.string_heap = nullptr;
    }
    // Pushes one piece into an emptied area and checks that the top sits at its end, before a NUL.
    template <typename Push> std::wstring piece(Push push) {
        rt.temp_top = 0;
        const wchar_t* p = push();
        EXPECT_EQ(p, temp_text(0));
        const std::wstring text = temp_text(0);
        EXPECT_EQ(rt.temp_top, 2 * text.size());
        return text;
    }
    // The capacity figure after the first piece in a fresh area: its reservation + 16384 bytes.
    template <typename Push> size_t first_growth(Push push) {
        HeapDestroy(rt.string_heap);
        runtime_init_strings();
        push();
        return rt.temp_capacity - 16384;
    }
};

TEST_F(runtime_numbers, signed_decimal) {
    const struct {
        int64_t value;
        const wchar_t* text;
    } cases[] = {
        {0, L"0"},
        {7, L"7"},
        {-7, L"-7"},
        {10, L"10"},
        {2147483647, L"2147483647"},
        {INT64_C(-2147483648), L"-2147483648"},
        {INT64_C(2147483648), L"2147483648"},
        {INT64_C(-2147483649), L"-2147483649"},
        {INT64_MAX, L"9223372036854775807"},
        {INT64_MIN, L"-9223372036854775808"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(piece([&] { return temp_push_dec(c.value, 0); }), c.text) << c.value;
}

TEST_F(runtime_numbers, pieces_append_at_the_top_and_give_back_the_rest) {
    temp_push_dec(-45, 0);
    EXPECT_EQ(rt.temp_top, 6u);
    EXPECT_EQ(temp_text(0)[3], L'\0');

    temp_push(L" x=");
    temp_push_hex(0xAB, INT8_KIND, rt.temp_top);
    temp_push_char(L'/', rt.temp_top);
    temp_push_udec(300, INT32_KIND, rt.temp_top);
    temp_push_char(L'/', rt.temp_top);
    temp_push_udec64(12, rt.temp_top);
    EXPECT_EQ(std::wstring(temp_text(0)), L"-45 x=AB/300/12");
    EXPECT_EQ(rt.temp_top, 2 * 15u);

    // A hexadecimal piece right-aligned to 4 with fill 0, as columns use it.
    const size_t start = rt.temp_top;
    temp_push_hex(0x2A, INT16_KIND, start);
    rt.temp_top += 2;
    const size_t column = rt.temp_top;
    temp_push_right_aligned(temp_text(start), 4, L"0", column);
    EXPECT_EQ(std::wstring(temp_text(column)), L"002A");
}

TEST_F(runtime_numbers, each_piece_reserves_its_fixed_maximum) {
    EXPECT_EQ(first_growth([] { temp_push_dec(5, 0); }), 64u);
    EXPECT_EQ(first_growth([] { temp_push_dec(INT32_MIN, 0); }), 64u);
    EXPECT_EQ(first_growth([] { temp_push_dec(INT64_C(2147483648), 0); }), 128u);
    EXPECT_EQ(first_growth([] { temp_push_udec64(5, 0); }), 128u);
    EXPECT_EQ(first_growth([] { temp_push_udec(5, INT64_KIND, 0); }), 128u);
    EXPECT_EQ(first_growth([] { temp_push_udec(5, INT8_KIND, 0); }), 64u);
    EXPECT_EQ(first_growth([] { temp_push_hex64(5, 0); }), 32u);
    EXPECT_EQ(first_growth([] { temp_push_hex(5, INT8_KIND, 0); }), 32u);
}

TEST_F(runtime_numbers, unsigned_decimal_cut_to_the_kind) {
    EXPECT_EQ(piece([] { return temp_push_udec(4660, INT8_KIND, 0); }), L"52");
    EXPECT_EQ(piece([] { return temp_push_udec(4660, INT16_KIND, 0); }), L"4660");
    EXPECT_EQ(piece([] { return temp_push_udec(0x12345, WORD_KIND, 0); }), L"9029");
    EXPECT_EQ(piece([] { return temp_push_udec(0xFFFFFFFF, INT32_KIND, 0); }), L"4294967295");
    EXPECT_EQ(piece([] { return temp_push_udec(0x100000005, INT32_KIND, 0); }), L"5");
    EXPECT_EQ(piece([] { return temp_push_udec(0x100000005, 3, 0); }), L"5")
        << "other kinds are 32-bit";
    EXPECT_EQ(piece([] { return temp_push_udec(0x100000005, INT64_KIND, 0); }), L"4294967301");
    EXPECT_EQ(piece([] { return temp_push_udec(UINT64_MAX, INT64_KIND, 0); }),
              L"18446744073709551615");
    EXPECT_EQ(piece([] { return temp_push_udec(0, INT16_KIND, 0); }), L"0");
    EXPECT_EQ(piece([] { return temp_push_udec64(0, 0); }), L"0");
    EXPECT_EQ(piece([] { return temp_push_udec64(UINT64_MAX, 0); }), L"18446744073709551615");
}

TEST_F(runtime_numbers, hexadecimal_without_leading_zeros) {
    EXPECT_EQ(piece([] { return temp_push_hex64(0, 0); }), L"0");
    EXPECT_EQ(piece([] { return temp_push_hex64(255, 0); }), L"FF");
    EXPECT_EQ(piece([] { return temp_push_hex64(4096, 0); }), L"1000");
    EXPECT_EQ(piece([] { return temp_push_hex64(UINT64_MAX, 0); }), L"FFFFFFFFFFFFFFFF");
    EXPECT_EQ(piece([] { return temp_push_hex64(0xABCDEF0123456789, 0); }), L"ABCDEF0123456789");

    EXPECT_EQ(piece([] { return temp_push_hex(511, INT8_KIND, 0); }), L"FF");
    EXPECT_EQ(piece([] { return temp_push_hex(0x10, INT8_KIND, 0); }), L"10");
    EXPECT_EQ(piece([] { return temp_push_hex(0x100, INT8_KIND, 0); }), L"0");
    EXPECT_EQ(piece([] { return temp_push_hex(0x12345, INT16_KIND, 0); }), L"2345");
    EXPECT_EQ(piece([] { return temp_push_hex(0x12345, WORD_KIND, 0); }), L"2345");
    EXPECT_EQ(piece([] { return temp_push_hex(0x1FFFFFFFF, INT32_KIND, 0); }), L"FFFFFFFF");
    EXPECT_EQ(piece([] { return temp_push_hex(0x1FFFFFFFF, INT64_KIND, 0); }), L"1FFFFFFFF");
    EXPECT_EQ(piece([] { return temp_push_hex(0x1FFFFFFFF, 3, 0); }), L"1FFFFFFFF")
        << "other kinds are 64-bit";
}

TEST_F(runtime_numbers, colours) {
    EXPECT_EQ(rgb(255, 0, 0), 255u);
    EXPECT_EQ(rgb(0, 0, 255), 16711680u);
    EXPECT_EQ(rgb(0x12, 0x34, 0x56), static_cast<uint32_t>(RGB(0x12, 0x34, 0x56)));
    const uint32_t colour = rgb(10, 176, 200);
    EXPECT_EQ(red_of(colour), 10u);
    EXPECT_EQ(green_of(colour), 176u);
    EXPECT_EQ(blue_of(colour), 200u);
    EXPECT_EQ(green_of(0xFF00B000), 176u) << "bits above 23 are not part of any component";
}

} // namespace
