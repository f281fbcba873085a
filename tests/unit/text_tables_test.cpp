// The packed (index, label, description) tables of the text programs, their loader, and the
// number column their values are shown in.
#include "text/metrics_table.h"
#include "text/lumetra1/caps_table.h"

#include <gtest/gtest.h>

#include <string.h>
#include <string>

namespace {

size_t busy_blocks(HANDLE heap) {
    PROCESS_HEAP_ENTRY entry;
    memset(&entry, 0, sizeof entry);
    size_t n = 0;
    while (HeapWalk(heap, &entry))
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) n++;
    return n;
}

class text_tables : public ::testing::Test {
protected:
    void SetUp() override {
        rt = runtime_state{};
        rt.program_heap = HeapCreate(0, 4096, 0);
        runtime_init_strings();
    }
    void TearDown() override {
        HeapDestroy(rt.program_heap);
        HeapDestroy(rt.string_heap);
        rt = runtime_state{};
    }
    std::wstring column(int64_t value, int32_t width) {
        const size_t start = rt.temp_top;
        push_number_column(value, width, start);
        std::wstring s = temp_text(start);
        EXPECT_EQ(rt.temp_top - start, s.size() * sizeof(wchar_t)) << "the top ends at the text";
        rt.temp_top = start;
        return s;
    }
};

TEST_F(text_tables, metrics_table_loads_75_rows_and_reads_exactly_the_stored_form) {
    table_row* table = nullptr;
    const unsigned char* end = metrics_load(&table);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(end, metrics_stored + metrics_stored_size) << "the reader must stop at the end";

    const array_header* h = array_header_of(table);
    EXPECT_EQ(h->count, 75u);
    EXPECT_EQ(h->element_size, sizeof(table_row));
    EXPECT_EQ(h->kind, uint32_t(KIND_RECORD));
    EXPECT_EQ(h->owner, static_cast<void*>(&table));

    EXPECT_EQ(table[0].index, 0);
    EXPECT_STREQ(table[0].label, L"SM_CXSCREEN");
    EXPECT_STREQ(table[0].description, L"Screen width in pixels");
    EXPECT_EQ(table[24].index, 28);
    EXPECT_STREQ(table[24].label, L"SM_CXMIN");
    EXPECT_EQ(table[60].index, 67);
    EXPECT_STREQ(table[60].label, L"SM_CLEANBOOT");
    EXPECT_STREQ(table[60].description, L"How system was booted");
    EXPECT_EQ(table[74].index, 81);
    EXPECT_STREQ(table[74].label, L"SM_SAMEDISPLAYFORMAT");
    EXPECT_STREQ(table[74].description, L"Same color format flag");

    // Increasing indices from 0 to 81 with only 24-27 and 64-66 left out; every label is the
    // metric's name.
    size_t stored = 0;
    for (int i = 0; i < 75; i++) {
        if (i > 0) {
            EXPECT_GT(table[i].index, table[i - 1].index) << "row " << i;
        }
        EXPECT_FALSE(table[i].index >= 24 && table[i].index <= 27) << "row " << i;
        EXPECT_FALSE(table[i].index >= 64 && table[i].index <= 66) << "row " << i;
        EXPECT_EQ(std::wstring(table[i].label).compare(0, 3, L"SM_"), 0) << "row " << i;
        EXPECT_GT(wcslen(table[i].description), 5u) << "row " << i;
        stored += 4 + 2 * (wcslen(table[i].label) + 1) + 2 * (wcslen(table[i].description) + 1);
    }
    EXPECT_EQ(stored, metrics_stored_size) << "no count, fill or alignment between entries";
    array_destroy(table);
}

TEST_F(text_tables, the_stored_form_is_packed_little_endian) {
    // Entry 0: index 0, "SM_CXSCREEN", "Screen width in pixels"; entry 1 follows at once.
    const unsigned char* p = metrics_stored;
    EXPECT_EQ(read_u32(p), 0u);
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(p + 4)), L"SM_CXSCREEN");
    const size_t first = 4 + 2 * 12 + 2 * 23;
    EXPECT_EQ(read_u32(p + first), 1u);
    EXPECT_EQ(p[first + 4], 'S');
    EXPECT_EQ(p[first + 5], 0);
    // The last entry's description ends with its NUL at the very end.
    EXPECT_EQ(p[metrics_stored_size - 2], 0);
    EXPECT_EQ(p[metrics_stored_size - 1], 0);
    EXPECT_EQ(p[metrics_stored_size - 4], 'g'); // "...format flag"
    // Device capabilities: index 108 is stored as the bytes 6C 00 00 00.
    const unsigned char* caps = caps_stored;
    EXPECT_EQ(read_u32(caps), 4u);
    const size_t last = caps_stored_size - 4 - 2 * (8 + 1) - 2 * (24 + 1);
    EXPECT_EQ(caps[last], 0x6C);
    EXPECT_EQ(caps[last + 1] | caps[last + 2] | caps[last + 3], 0);
}

TEST_F(text_tables, reloading_and_destroying_free_every_string) {
    const size_t before = busy_blocks(rt.string_heap);
    table_row* table = nullptr;
    ASSERT_NE(metrics_load(&table), nullptr);
    EXPECT_EQ(busy_blocks(rt.string_heap), before + 150) << "a label and a description per row";
    // Loading again destroys the old array first: still 150 strings.
    ASSERT_NE(metrics_load(&table), nullptr);
    EXPECT_EQ(busy_blocks(rt.string_heap), before + 150);
    array_destroy(table);
    EXPECT_EQ(busy_blocks(rt.string_heap), before);
}

TEST_F(text_tables, device_capability_table_has_its_20_rows) {
    table_row* caps = nullptr;
    const unsigned char* end = table_load(&caps, caps_stored, CAPS_ROWS);
    ASSERT_NE(caps, nullptr);
    EXPECT_EQ(end, caps_stored + caps_stored_size);
    EXPECT_EQ(array_header_of(caps)->count, 20u);
    EXPECT_EQ(caps[0].index, HORZSIZE);
    EXPECT_STREQ(caps[0].label, L"HORZSIZE");
    EXPECT_STREQ(caps[0].description, L"Width in millimeters:");
    EXPECT_EQ(caps[10].index, NUMCOLORS);
    EXPECT_STREQ(caps[10].label, L"NUMCOLORS");
    EXPECT_EQ(caps[15].index, LOGPIXELSX);
    EXPECT_STREQ(caps[15].description, L"Horizontal dots per inch:");
    EXPECT_EQ(caps[19].index, COLORRES);
    EXPECT_STREQ(caps[19].label, L"COLORRES");
    EXPECT_STREQ(caps[19].description, L"Actual color resolution:");
    array_destroy(caps);
}

TEST_F(text_tables, number_column_right_aligns_without_cutting) {
    EXPECT_EQ(column(1024, 5), L" 1024");
    EXPECT_EQ(column(0, 5), L"    0");
    EXPECT_EQ(column(-1, 5), L"   -1");
    // A virtual screen left of the primary monitor: the origin reads as the negative number it is,
    // not as the first digits of its unsigned 32-bit form.
    EXPECT_EQ(column(-1920, 5), L"-1920");
    EXPECT_EQ(column(123456, 5), L"123456");
    EXPECT_EQ(column(-20320, 7), L" -20320");
    EXPECT_EQ(column(-12345678, 7), L"-12345678");
    // Built in place after what is already in the area.
    const size_t start = rt.temp_top;
    temp_push(L"x");
    push_number_column(42, 4, rt.temp_top);
    EXPECT_EQ(std::wstring(temp_text(start)), L"x  42");
    rt.temp_top = start;
}

} // namespace
