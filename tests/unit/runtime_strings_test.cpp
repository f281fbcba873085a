// Dynamic strings and the temporary text area.
#include "runtime/runtime.h"
#include "heap_count.h"

#include <gtest/gtest.h>

#include <string.h>
#include <string>

namespace {

size_t block_size(const void* block) {
    return HeapSize(rt.string_heap, 0, block);
}

std::wstring area_text(size_t offset) {
    return temp_text(offset);
}

// Each test starts with a fresh string heap and an area as start-up leaves it.
class runtime_strings : public ::testing::Test {
protected:
    void SetUp() override { runtime_init_strings(); }
    void TearDown() override {
        HeapDestroy(rt.string_heap);
        rt.string_heap = nullptr;
    }
};

TEST_F(runtime_strings, str_assign_sizes_the_block_and_null_frees_it) {
    const size_t before = busy_blocks(rt.string_heap);
    wchar_t* s = nullptr;
    EXPECT_EQ(str_assign(&s, L"abc"), 8u);
    ASSERT_NE(s, nullptr);
    EXPECT_STREQ(s, L"abc");
    EXPECT_EQ(block_size(s), 16u) << "2 x 3 + 10";

    // Re-assignment resizes the one block: no second block, no leak.
    const std::wstring longer(100, L'x');
    EXPECT_EQ(str_assign(&s, longer.c_str()), 202u);
    EXPECT_EQ(s, longer);
    EXPECT_EQ(block_size(s), 210u);
    EXPECT_EQ(str_assign(&s, L""), 2u);
    EXPECT_STREQ(s, L"");
    EXPECT_EQ(busy_blocks(rt.string_heap), before + 1);

    EXPECT_EQ(str_assign(&s, nullptr), 2u);
    EXPECT_EQ(s, nullptr);
    EXPECT_EQ(busy_blocks(rt.string_heap), before);
    EXPECT_EQ(str_assign(&s, nullptr), 2u) << "an empty variable stays empty";
}

TEST_F(runtime_strings, str_assign_from_the_variables_own_text) {
    const size_t before = busy_blocks(rt.string_heap);
    wchar_t* s = nullptr;
    // A block large enough to have memory of its own: shrinking it to fit its own tail gives that
    // memory back, and the tail with it.
    const std::wstring text = std::wstring(600000, L'a') + L"tail";
    str_assign(&s, text.c_str());
    str_assign(&s, s + 600000);
    EXPECT_STREQ(s, L"tail");
    str_assign(&s, s);
    EXPECT_STREQ(s, L"tail");
    EXPECT_EQ(block_size(s), 18u);
    EXPECT_EQ(busy_blocks(rt.string_heap), before + 1);
    str_free(s);
    EXPECT_EQ(busy_blocks(rt.string_heap), before);
}

TEST_F(runtime_strings, str_new_allocates_without_freeing_and_ignores_null) {
    wchar_t* s = nullptr;
    str_assign(&s, L"old");
    wchar_t* old = s;
    EXPECT_EQ(str_new(&s, nullptr), nullptr);
    EXPECT_EQ(s, old) << "a null source leaves the variable alone";

    const size_t before = busy_blocks(rt.string_heap);
    wchar_t* end = str_new(&s, L"hello");
    ASSERT_NE(s, old);
    EXPECT_EQ(end, s + 5);
    EXPECT_EQ(*end, L'\0');
    EXPECT_STREQ(s, L"hello");
    EXPECT_EQ(block_size(s), 20u);
    EXPECT_STREQ(old, L"old") << "what the variable held is not freed";
    EXPECT_EQ(busy_blocks(rt.string_heap), before + 1);
    str_free(old);
    str_free(s);
    str_free(nullptr);
}

TEST_F(runtime_strings, str_assign_from_temp_consumes_the_value) {
    temp_push(L"kept ");
    const size_t start = rt.temp_top;
    temp_push(L"abc");
    temp_push(L"de");
    wchar_t* s = nullptr;
    EXPECT_EQ(str_assign_from_temp(&s, start), start);
    EXPECT_STREQ(s, L"abcde");
    EXPECT_EQ(block_size(s), 20u) << "10 bytes of text + 10";
    EXPECT_EQ(rt.temp_top, start);
    EXPECT_EQ(area_text(0).substr(0, 5), L"kept ");

    // An empty value stores the empty text.
    str_assign_from_temp(&s, rt.temp_top);
    EXPECT_STREQ(s, L"");
    str_free(s);
}

TEST_F(runtime_strings, length_and_equality_treat_null_as_empty) {
    EXPECT_EQ(str_length(nullptr), 0u);
    EXPECT_EQ(str_length(L""), 0u);
    EXPECT_EQ(str_length(L"abcd"), 4u);
    EXPECT_EQ(str_equal(nullptr, L""), 1);
    EXPECT_EQ(str_equal(L"", nullptr), 1);
    EXPECT_EQ(str_equal(nullptr, nullptr), 1);
    EXPECT_EQ(str_equal(L"ab", L"ab"), 1);
    EXPECT_EQ(str_equal(L"ab", L"abc"), 0);
    EXPECT_EQ(str_equal(L"abc", L"ab"), 0);
    EXPECT_EQ(str_equal(L"ab", L"aB"), 0);
    EXPECT_EQ(str_equal(nullptr, L"a"), 0);
}

TEST_F(runtime_strings, str_find_positions) {
    EXPECT_EQ(str_find(L"abcabc", L"ca", 1), 3);
    EXPECT_EQ(str_find(L"abcabc", L"ca", 4), 0);
    EXPECT_EQ(str_find(L"abcabc", L"bc", 3), 5);
    EXPECT_EQ(str_find(L"abcabc", L"abc", 0), 1) << "start 0 or less means 1";
    EXPECT_EQ(str_find(L"abcabc", L"abc", -7), 1);
    EXPECT_EQ(str_find(L"abcabc", L"c", 6), 6);
    EXPECT_EQ(str_find(L"abcabc", L"c", 7), 0);
    EXPECT_EQ(str_find(L"abcabc", L"c", 1000), 0);
    EXPECT_EQ(str_find(L"abc", L"abcd", 1), 0) << "a pattern longer than the text";
    EXPECT_EQ(str_find(L"abc", L"", 1), 0);
    EXPECT_EQ(str_find(L"abc", nullptr, 1), 0);
    EXPECT_EQ(str_find(nullptr, L"a", 1), 0);
    EXPECT_EQ(str_find(L"", L"a", 1), 0);
}

TEST_F(runtime_strings, str_copy_to_field_pads_and_may_leave_no_terminator) {
    wchar_t field[6];
    wmemset(field, L'#', 6);
    str_copy_to_field(field, 5, L"ab");
    EXPECT_EQ(std::wstring(field, 6), std::wstring(L"ab\0\0\0#", 6));

    wmemset(field, L'#', 6);
    str_copy_to_field(field, 5, L"abcdefg");
    EXPECT_EQ(std::wstring(field, 6), L"abcde#");

    wmemset(field, L'#', 6);
    str_copy_to_field(field, 5, nullptr);
    EXPECT_EQ(std::wstring(field, 6), std::wstring(L"\0#####", 6));
    str_copy_to_field(field, 0, nullptr);
    EXPECT_EQ(field[1], L'#');
}

TEST_F(runtime_strings, pushes_concatenate_at_the_top) {
    temp_push(L"ab");
    wchar_t* cd = temp_push(L"cd");
    EXPECT_EQ(area_text(0), L"abcd");
    EXPECT_EQ(rt.temp_top, 8u);
    EXPECT_EQ(temp_text(0)[4], L'\0') << "a NUL right after the text, not counted in the top";
    EXPECT_EQ(cd, temp_text(4));

    temp_push(nullptr);
    EXPECT_EQ(rt.temp_top, 8u);
    EXPECT_EQ(area_text(0), L"abcd");
    temp_push_at(nullptr, 2);
    EXPECT_EQ(rt.temp_top, 2u);
    EXPECT_EQ(area_text(0), L"a");

    temp_push_char(L'z', rt.temp_top);
    temp_push_char(L'!', rt.temp_top);
    EXPECT_EQ(area_text(0), L"az!");
    EXPECT_EQ(rt.temp_top, 6u);
}

TEST_F(runtime_strings, first_reservation_grows_the_area) {
    EXPECT_EQ(rt.temp_capacity, 16u);
    wchar_t* p = temp_reserve(10, 0);
    EXPECT_EQ(p, temp_text(0));
    EXPECT_EQ(rt.temp_top, 20u);
    EXPECT_EQ(rt.temp_capacity, 16404u) << "need 20 >= 16 - 4, so 20 + 16384";
    EXPECT_EQ(HeapSize(rt.string_heap, 0, rt.temp_base), 16414u);

    // Short of 4 bytes below the figure nothing grows; from there it grows to 16384 beyond the
    // need, which is measured from the top (20), not from `at` (0).
    temp_reserve(8189, 0);
    EXPECT_EQ(rt.temp_capacity, 16404u);
    rt.temp_top = 20;
    temp_reserve(8190, 0);
    EXPECT_EQ(rt.temp_capacity, 20u + 16380 + 16384);
    EXPECT_EQ(HeapSize(rt.string_heap, 0, rt.temp_base), rt.temp_capacity + 10);

    // The area never shrinks, and releasing gives back the end of a reservation.
    rt.temp_top = 0;
    temp_reserve(3, 0);
    EXPECT_EQ(rt.temp_capacity, 32784u);
    EXPECT_EQ(temp_release(2), 4u);
    EXPECT_EQ(rt.temp_top, 2u);
    EXPECT_EQ(temp_release(-3), 0u);
    EXPECT_EQ(rt.temp_top, 2u);
}

TEST_F(runtime_strings, reservation_beyond_the_top_stays_inside_the_block) {
    // A fresh 16-byte area with its top at 0: writing 2 characters at byte 100 needs the block
    // to reach past 104 bytes.
    wchar_t* p = temp_reserve(2, 100);
    ASSERT_EQ(p, temp_text(100));
    EXPECT_GE(HeapSize(rt.string_heap, 0, rt.temp_base), 104u + sizeof(wchar_t));
    p[0] = L'x';
    p[1] = L'y';
    p[2] = 0;
    EXPECT_TRUE(HeapValidate(rt.string_heap, 0, rt.temp_base));
}

TEST_F(runtime_strings, offsets_and_tokens) {
    temp_push(L"abcd");
    EXPECT_EQ(temp_offset_of(rt.temp_base), 1u);
    EXPECT_EQ(temp_offset_of(temp_text(4)), 5u) << "byte offset 4, plus 1";
    EXPECT_EQ(temp_offset_of(rt.temp_base + rt.temp_top), rt.temp_top + 1) << "top included";
    EXPECT_EQ(temp_offset_of(rt.temp_base + rt.temp_top + 2), 0u);
    EXPECT_EQ(temp_offset_of(L"elsewhere"), 0u);
    EXPECT_EQ(temp_offset_of(nullptr), 0u);
    EXPECT_EQ(temp_pointer(5), temp_text(4));
}

TEST_F(runtime_strings, push_from_the_area_survives_the_block_moving) {
    // A value large enough that the heap keeps it in memory of its own, which goes back to the
    // system when the block moves: a stale source pointer then faults instead of reading old bytes.
    const std::wstring value = L"<" + std::wstring(1000000, L'v') + L">";
    const size_t start = rt.temp_top;
    temp_push(value.c_str());
    rt.temp_top += 2; // keep the value's NUL inside the used part
    const size_t copy = rt.temp_top;
    const size_t capacity = rt.temp_capacity;
    // Fill up to just below the growth point; the value cannot fit in what is left.
    const std::wstring filler((capacity - 6 - rt.temp_top) / 2, L'f');
    temp_push(filler.c_str());
    ASSERT_EQ(rt.temp_capacity, capacity);
    const char* base = rt.temp_base;

    wchar_t* pushed = temp_push(temp_text(start));
    EXPECT_GT(rt.temp_capacity, capacity);
    EXPECT_NE(rt.temp_base, base) << "the block was expected to move";
    EXPECT_TRUE(std::wstring(pushed) == value);
    EXPECT_TRUE(area_text(start) == value);
    EXPECT_TRUE(area_text(copy) == filler + value);
    EXPECT_EQ(rt.temp_top, copy + 2 * (filler.size() + value.size()));
}

TEST_F(runtime_strings, push_from_the_area_onto_itself_is_a_move) {
    temp_push(L"abcdef");
    // Writing the text two characters further on overlaps its own source.
    temp_push_at(temp_text(0), 4);
    EXPECT_EQ(area_text(0), L"ababcdef");
    EXPECT_EQ(rt.temp_top, 16u);

    rt.temp_top = 0;
    temp_push(L"0123456789");
    pad_left_spaces(temp_text(0), 12, 0);
    EXPECT_EQ(area_text(0), L"  0123456789");
    rt.temp_top = 0;
    temp_push(L"0123456789");
    temp_push_left(temp_text(8), 3, 2); // characters 4-6 written from character 1 on
    EXPECT_EQ(area_text(0), L"0456");
}

TEST_F(runtime_strings, left_field_and_char_pushes) {
    temp_push_left(L"abcdef", 3, 0);
    EXPECT_EQ(area_text(0), L"abc");
    temp_push_left(L"xy", 10, rt.temp_top);
    EXPECT_EQ(area_text(0), L"abcxy");
    temp_push_left(L"xy", -4, rt.temp_top);
    temp_push_left(nullptr, 4, rt.temp_top);
    EXPECT_EQ(area_text(0), L"abcxy");
    EXPECT_EQ(rt.temp_top, 10u);

    rt.temp_top = 0;
    const wchar_t full[4] = {L'w', L'x', L'y', L'z'}; // no terminator: max ends it
    temp_push_field(full, 4);
    EXPECT_EQ(area_text(0), L"wxyz");
    const wchar_t shorter[6] = {L'a', L'b', 0, L'c', L'd', L'e'};
    temp_push_field(shorter, 6);
    EXPECT_EQ(area_text(0), L"wxyzab");
    EXPECT_EQ(rt.temp_top, 12u) << "the rest of the reservation is given back";
    temp_push_field(shorter, -1);
    EXPECT_EQ(rt.temp_top, 12u);
}

TEST_F(runtime_strings, aligned_pushes_cut_and_fill_to_the_width) {
    temp_push_right_aligned(L"7", 4, L"0", 0);
    EXPECT_EQ(area_text(0), L"0007");
    rt.temp_top = 0;
    pad_left_spaces(L"12345", 3, 0);
    EXPECT_EQ(area_text(0), L"123") << "cut to the width, keeping the left part";
    rt.temp_top = 0;
    pad_right_spaces(L"ab", 5, 0);
    EXPECT_EQ(area_text(0), L"ab   ");
    EXPECT_EQ(rt.temp_top, 10u);
    rt.temp_top = 0;
    temp_push_left_aligned(L"ab", 4, L"*-", 0);
    EXPECT_EQ(area_text(0), L"ab**") << "only the first character of the fill counts";
    rt.temp_top = 0;
    temp_push_right_aligned(L"ab", 4, nullptr, 0);
    temp_push_left_aligned(nullptr, 2, L".", rt.temp_top);
    temp_push_right_aligned(L"q", 3, L"", rt.temp_top);
    EXPECT_EQ(area_text(0), L"  ab..  q") << "no fill, or an empty one, is a space";

    rt.temp_top = 0;
    temp_push(L"x");
    pad_left_spaces(L"abc", -1, rt.temp_top);
    pad_right_spaces(L"abc", 0, rt.temp_top);
    EXPECT_EQ(area_text(0), L"x");
    EXPECT_EQ(rt.temp_top, 2u);
}

TEST_F(runtime_strings, push_bytes_decodes_each_code_page) {
    temp_push_bytes("hi", -1, BYTES_ANSI, 0);
    EXPECT_EQ(area_text(0), L"hi");
    EXPECT_EQ(rt.temp_top, 4u);

    rt.temp_top = 0;
    // "é€!" in UTF-8: 2 + 3 + 1 bytes give 3 characters.
    const char utf8[] = "\xC3\xA9\xE2\x82\xAC!";
    temp_push_bytes(utf8, -1, BYTES_UTF8, 0);
    EXPECT_EQ(area_text(0), L"\u00E9\u20AC!");
    EXPECT_EQ(rt.temp_top, 6u);
    temp_push_bytes(utf8, 2, BYTES_UTF8, rt.temp_top);
    EXPECT_EQ(area_text(0), L"\u00E9\u20AC!\u00E9") << "a count limits the bytes read";

    rt.temp_top = 0;
    temp_push_bytes(L"wide", -1, BYTES_UTF16, 0);
    temp_push_bytes(L"abc\0def", 7, BYTES_UTF16, rt.temp_top);
    temp_push_bytes(L"xyz", 2, BYTES_UTF16, rt.temp_top);
    EXPECT_EQ(area_text(0), L"wideabcxy");
    EXPECT_EQ(rt.temp_top, 18u) << "stops at a NUL and gives back the rest";

    temp_push_bytes("abc", -2, BYTES_ANSI, rt.temp_top);
    temp_push_bytes("abc", 0, BYTES_UTF8, rt.temp_top);
    temp_push_bytes(nullptr, -1, BYTES_ANSI, rt.temp_top);
    temp_push_bytes(nullptr, 5, BYTES_UTF16, rt.temp_top);
    EXPECT_EQ(area_text(0), L"wideabcxy");
    EXPECT_EQ(rt.temp_top, 18u);
}

} // namespace
