// Process start-up, zero-filled blocks, arrays and the release of their strings.
#include "runtime/runtime.h"
#include "heap_count.h"

#include <gtest/gtest.h>

#include <stddef.h>
#include <string.h>

namespace {

bool all_zero(const void* p, size_t n) {
    const unsigned char* b = static_cast<const unsigned char*>(p);
    for (size_t i = 0; i < n; i++)
        if (b[i]) return false;
    return true;
}

void destroy_heaps() {
    for (HANDLE heap : {rt.program_heap, rt.string_heap, rt.block_heap})
        if (heap) HeapDestroy(heap);
    rt = runtime_state{};
}

// Each test gets heaps of its own, so block counts start from a known state.
class runtime_memory : public ::testing::Test {
protected:
    void SetUp() override {
        rt = runtime_state{};
        rt.program_heap = HeapCreate(0, 4096, 0);
        runtime_init_strings();
        runtime_init_blocks();
    }
    void TearDown() override { destroy_heaps(); }
};

TEST_F(runtime_memory, process_start_zeroes_globals_and_creates_heaps) {
    destroy_heaps();
    struct {
        int counter;
        wchar_t* name;
        char buffer[100];
    } globals;
    memset(&globals, 0xAB, sizeof globals);

    process_start(&globals, sizeof globals, 0);
    EXPECT_TRUE(all_zero(&globals, sizeof globals));
    EXPECT_EQ(rt.module, GetModuleHandleW(nullptr));
    ASSERT_NE(rt.program_heap, nullptr);
    ASSERT_NE(rt.string_heap, nullptr);
    EXPECT_EQ(rt.block_heap, nullptr) << "the block heap exists only where a program asks for it";
    EXPECT_EQ(rt.temp_top, 0u);
    EXPECT_EQ(rt.temp_capacity, 16u);
    EXPECT_EQ(HeapSize(rt.string_heap, 0, rt.temp_base), 16u);
    destroy_heaps();

    process_start(&globals, sizeof globals, USES_BLOCKS);
    ASSERT_NE(rt.block_heap, nullptr);
    void* block = block_alloc(8);
    ASSERT_NE(block, nullptr);
    EXPECT_TRUE(block_free(block));
}

TEST_F(runtime_memory, block_alloc_refuses_non_positive_sizes_and_zero_fills) {
    const size_t before = busy_blocks(rt.block_heap);
    EXPECT_EQ(block_alloc(0), nullptr);
    EXPECT_EQ(block_alloc(-5), nullptr);
    EXPECT_EQ(busy_blocks(rt.block_heap), before);

    unsigned char* one = static_cast<unsigned char*>(block_alloc(1));
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one[0], 0);
    EXPECT_EQ(HeapSize(rt.block_heap, 0, one), 1u);

    // A block from a freed and re-used place still reads as zero.
    unsigned char* big = static_cast<unsigned char*>(block_alloc(300));
    ASSERT_NE(big, nullptr);
    memset(big, 0xFF, 300);
    EXPECT_TRUE(block_free(big));
    big = static_cast<unsigned char*>(block_alloc(300));
    ASSERT_NE(big, nullptr);
    EXPECT_TRUE(all_zero(big, 300));

    EXPECT_TRUE(block_free(one));
    EXPECT_TRUE(block_free(big));
    EXPECT_EQ(busy_blocks(rt.block_heap), before);
}

TEST_F(runtime_memory, array_create_fills_the_header_and_zeroes_every_slot) {
    void* owner = reinterpret_cast<void*>(1);
    void* array = array_create(4, 4, nullptr, &owner, KIND_INT);
    ASSERT_NE(array, nullptr);
    EXPECT_EQ(owner, array);

    array_header* header = array_header_of(array);
    EXPECT_EQ(static_cast<void*>(header + 1), array);
    // 4 x (4 + 1) + 24 = 44 bytes on 32-bit Windows.
    EXPECT_EQ(HeapSize(rt.program_heap, 0, header), 4 * 5 + sizeof(array_header));
    EXPECT_TRUE(all_zero(array, 4 * 5)) << "all five slots, the spare one too";
    EXPECT_EQ(header->dimensions, 1u);
    EXPECT_EQ(header->element_size, 4u);
    EXPECT_EQ(header->cleanup, nullptr);
    EXPECT_EQ(header->owner, &owner);
    EXPECT_EQ(header->count, 4u);
    EXPECT_EQ(header->kind, static_cast<uint32_t>(KIND_INT));
    array_release(array);
}

TEST_F(runtime_memory, array_create_stores_null_when_the_heap_refuses) {
    void* owner = reinterpret_cast<void*>(1);
    const size_t before = busy_blocks(rt.program_heap);
    // The size does not fit any address space; it must not wrap into a small block either.
    EXPECT_EQ(array_create(0xFFFFFFFF, 0xFFFFFFFF, nullptr, &owner, KIND_RECORD), nullptr);
    EXPECT_EQ(owner, nullptr);
    EXPECT_EQ(busy_blocks(rt.program_heap), before);
}

TEST_F(runtime_memory, array_destroy_frees_each_string_and_the_block) {
    static const cleanup_entry string_table[] = {0, CLEANUP_END};
    const size_t strings_before = busy_blocks(rt.string_heap);
    const size_t arrays_before = busy_blocks(rt.program_heap);

    wchar_t** names = nullptr;
    array_create(3, sizeof(wchar_t*), string_table, reinterpret_cast<void**>(&names), KIND_STRING);
    ASSERT_NE(names, nullptr);
    str_assign(&names[0], L"first");
    str_assign(&names[2], L"third"); // names[1] stays null and is skipped
    EXPECT_EQ(busy_blocks(rt.string_heap), strings_before + 2);
    EXPECT_EQ(busy_blocks(rt.program_heap), arrays_before + 1);

    array_destroy(names);
    EXPECT_EQ(busy_blocks(rt.string_heap), strings_before);
    EXPECT_EQ(busy_blocks(rt.program_heap), arrays_before);

    array_destroy(nullptr);
    array_release(nullptr);
    EXPECT_EQ(busy_blocks(rt.program_heap), arrays_before);
}

struct inner_item {
    int32_t value;
    wchar_t* label;
};

struct outer_record {
    wchar_t* name;
    int32_t count;
    inner_item items[3];
    wchar_t* note;
};

TEST_F(runtime_memory, nested_cleanup_entries_free_the_strings_of_every_nested_element) {
    static const cleanup_entry inner_table[] = {offsetof(inner_item, label), CLEANUP_END};
    static const cleanup_entry outer_table[] = {
        offsetof(outer_record, name),
        CLEANUP_NESTED,
        3,
        offsetof(outer_record, items),
        sizeof(inner_item),
        reinterpret_cast<cleanup_entry>(inner_table),
        offsetof(outer_record, note),
        CLEANUP_END,
    };
    const size_t strings_before = busy_blocks(rt.string_heap);

    outer_record* records = nullptr;
    array_create(2, sizeof(outer_record), outer_table, reinterpret_cast<void**>(&records),
                 KIND_RECORD);
    ASSERT_NE(records, nullptr);
    size_t assigned = 0;
    for (int r = 0; r < 2; r++) {
        str_assign(&records[r].name, L"name");
        for (int i = 0; i < 3; i++)
            if (i != 1 || r == 1) { // one nested label left null
                str_assign(&records[r].items[i].label, L"label");
                assigned++;
            }
        assigned++;
    }
    str_assign(&records[1].note, L"the entry after a nested one is still read");
    assigned++;
    EXPECT_EQ(busy_blocks(rt.string_heap), strings_before + assigned);

    array_destroy(records);
    EXPECT_EQ(busy_blocks(rt.string_heap), strings_before);

    // The same table on a record outside any array.
    outer_record single;
    memset(&single, 0, sizeof single);
    str_assign(&single.items[2].label, L"last");
    str_assign(&single.note, L"note");
    record_free_strings(&single, outer_table);
    EXPECT_EQ(busy_blocks(rt.string_heap), strings_before);
    record_free_strings(&single, nullptr); // no table: nothing to free
}

TEST_F(runtime_memory, array_create_multi_turns_extents_into_strides) {
    multi_array<2> grid = {nullptr, {3, 4}};
    void* array = array_create_multi(4, 2, nullptr, &grid.ref, KIND_INT);
    ASSERT_NE(array, nullptr);
    EXPECT_EQ(grid.ref, array);
    EXPECT_EQ(grid.slot[0], 4);
    EXPECT_EQ(grid.slot[1], 4);
    const array_header* header = array_header_of(array);
    EXPECT_EQ(header->count, 12u);
    EXPECT_EQ(header->dimensions, 2u);
    EXPECT_EQ(header->owner, &grid.ref);
    EXPECT_EQ(HeapSize(rt.program_heap, 0, header), 13 * 4 + sizeof(array_header));
    array_destroy(array);

    multi_array<2> square = {nullptr, {5, 5}};
    ASSERT_NE(array_create_multi(2, 2, nullptr, &square.ref, KIND_WORD), nullptr);
    EXPECT_EQ(array_header_of(square.ref)->count, 25u);
    EXPECT_EQ(square.slot[0], 5);
    EXPECT_EQ(square.slot[1], 5);
    array_destroy(square.ref);

    multi_array<3> cube = {nullptr, {2, 3, 4}};
    ASSERT_NE(array_create_multi(1, 3, nullptr, &cube.ref, KIND_BYTE), nullptr);
    EXPECT_EQ(cube.slot[0], 12);
    EXPECT_EQ(cube.slot[1], 4);
    EXPECT_EQ(cube.slot[2], 4);
    EXPECT_EQ(array_header_of(cube.ref)->count, 24u);
    EXPECT_EQ(array_header_of(cube.ref)->dimensions, 3u);
    array_destroy(cube.ref);
}

TEST_F(runtime_memory, array_create_multi_refuses_counts_that_would_wrap) {
    // 65536 x 65536 elements is 2^32: the count cannot be held, so no array is made.
    multi_array<2> huge = {reinterpret_cast<void*>(1), {65536, 65536}};
    EXPECT_EQ(array_create_multi(1, 2, nullptr, &huge.ref, KIND_BYTE), nullptr);
    EXPECT_EQ(huge.ref, nullptr);
    multi_array<2> negative = {reinterpret_cast<void*>(1), {-1, 4}};
    EXPECT_EQ(array_create_multi(1, 2, nullptr, &negative.ref, KIND_BYTE), nullptr);
    EXPECT_EQ(negative.ref, nullptr);
}

} // namespace
