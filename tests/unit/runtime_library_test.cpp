// The library table: loading by name, looking functions up, releasing once, and the sweep at
// exit. fake_spooler.dll (next to the tests) is loaded by nothing else, so whether it is still
// loaded tells whether the table let it go.
#include "runtime/runtime.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const wchar_t* const fake = L"fake_spooler.dll";

bool fake_loaded() {
    return GetModuleHandleW(fake) != nullptr;
}

size_t busy_blocks(HANDLE heap) {
    PROCESS_HEAP_ENTRY entry{};
    size_t n = 0;
    while (HeapWalk(heap, &entry))
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) n++;
    return n;
}

class runtime_library : public ::testing::Test {
protected:
    void SetUp() override {
        rt = runtime_state{};
        rt.program_heap = HeapCreate(0, 4096, 0);
        runtime_init_strings();
        runtime_init_libraries();
        nodes_at_start = busy_blocks(rt.node_heap);
        ASSERT_FALSE(fake_loaded());
    }
    void TearDown() override {
        release_all_libraries();
        while (fake_loaded()) // whatever a failed test left behind
            FreeLibrary(GetModuleHandleW(fake));
        for (HANDLE heap : {rt.program_heap, rt.string_heap, rt.node_heap})
            if (heap) HeapDestroy(heap);
        rt = runtime_state{};
    }
    size_t nodes() const { return busy_blocks(rt.node_heap) - nodes_at_start; }
    size_t nodes_at_start = 0;
};

TEST_F(runtime_library, start_up_creates_the_node_heap_and_the_table_in_the_program_heap) {
    TearDown();
    struct {
        int a;
    } globals;
    process_start(&globals, sizeof globals, USES_LIBRARIES);
    ASSERT_NE(rt.node_heap, nullptr);
    ASSERT_NE(rt.libraries, nullptr);
    EXPECT_TRUE(HeapValidate(rt.program_heap, 0, rt.libraries));
    EXPECT_EQ(rt.block_heap, nullptr);
    // Without the flag there is no table, and every operation quietly finds nothing.
    TearDown();
    process_start(&globals, sizeof globals, 0);
    EXPECT_EQ(rt.node_heap, nullptr);
    EXPECT_EQ(load_library(fake), 0u);
    EXPECT_FALSE(fake_loaded());
    EXPECT_EQ(get_procedure(1, L"GetDefaultPrinterW"), nullptr);
    release_all_libraries();
    SetUp();
}

TEST_F(runtime_library, a_missing_library_gives_nothing_and_leaves_nothing_to_release) {
    EXPECT_EQ(load_library(L"no_such_library_anywhere.dll"), 0u);
    EXPECT_EQ(load_library(nullptr), 0u);
    EXPECT_EQ(nodes(), 0u);
    EXPECT_EQ(get_procedure(0, L"GetDefaultPrinterW"), nullptr);
    release_library(0); // nothing to do, nothing breaks
}

TEST_F(runtime_library, functions_are_found_by_name_and_missing_ones_give_nothing) {
    library_id id = load_library(fake);
    ASSERT_NE(id, 0u);
    EXPECT_TRUE(fake_loaded());
    EXPECT_EQ(nodes(), 1u);

    FARPROC found = get_procedure(id, L"GetDefaultPrinterW");
    EXPECT_EQ(found, GetProcAddress(GetModuleHandleW(fake), "GetDefaultPrinterW"));
    EXPECT_NE(found, nullptr);
    EXPECT_EQ(get_procedure(id, L"NoSuchFunction"), nullptr);
    EXPECT_EQ(get_procedure(id, nullptr), nullptr);
    // A name longer than the 260-byte lookup buffer is not looked up at all.
    EXPECT_EQ(get_procedure(id, std::wstring(300, L'G').c_str()), nullptr);
    // A missing function does not unload the library.
    EXPECT_TRUE(fake_loaded());

    release_library(id);
    EXPECT_FALSE(fake_loaded());
    EXPECT_EQ(nodes(), 0u);
    EXPECT_EQ(get_procedure(id, L"GetDefaultPrinterW"), nullptr) << "a released entry is gone";
}

TEST_F(runtime_library, releasing_twice_does_nothing_the_second_time) {
    library_id older = load_library(fake);
    library_id id = load_library(fake);
    ASSERT_NE(older, 0u);
    ASSERT_NE(id, 0u);
    EXPECT_NE(older, id);
    EXPECT_EQ(nodes(), 2u);

    release_library(id);
    EXPECT_EQ(nodes(), 1u);
    HMODULE own = LoadLibraryW(fake); // so that a second FreeLibrary would show
    release_library(id);              // no entry any more: the older one must keep its library
    FreeLibrary(own);
    EXPECT_EQ(nodes(), 1u);
    EXPECT_TRUE(fake_loaded());
    EXPECT_NE(get_procedure(older, L"GetDefaultPrinterW"), nullptr);

    // Stray identifiers are ignored, not followed.
    release_library(12345);
    release_library(reinterpret_cast<library_id>(&older));
    EXPECT_TRUE(fake_loaded());

    release_library(older);
    EXPECT_FALSE(fake_loaded());
    EXPECT_EQ(nodes(), 0u);
}

TEST_F(runtime_library, entries_in_the_middle_of_the_list_unlink_cleanly) {
    library_id ids[3];
    for (auto& id : ids)
        id = load_library(fake);
    release_library(ids[1]);
    EXPECT_EQ(nodes(), 2u);
    EXPECT_NE(get_procedure(ids[0], L"GetDefaultPrinterW"), nullptr);
    EXPECT_NE(get_procedure(ids[2], L"GetDefaultPrinterW"), nullptr);
    release_library(ids[2]);
    release_library(ids[0]);
    EXPECT_EQ(nodes(), 0u);
    EXPECT_FALSE(fake_loaded());
}

TEST_F(runtime_library, indexed_slots_grow_in_steps_and_are_found_by_index) {
    EXPECT_TRUE(load_library_slot(3, fake));
    EXPECT_NE(get_procedure(3, L"GetDefaultPrinterW"), nullptr);
    EXPECT_EQ(get_procedure(4, L"GetDefaultPrinterW"), nullptr) << "an empty slot";
    // Beyond the first 16 slots the array grows; the slot below keeps its library.
    EXPECT_TRUE(load_library_slot(40, fake));
    EXPECT_NE(get_procedure(40, L"GetDefaultPrinterW"), nullptr);
    EXPECT_NE(get_procedure(3, L"GetDefaultPrinterW"), nullptr);
    EXPECT_FALSE(load_library_slot(5, L"no_such_library_anywhere.dll"));
    // Loading into an occupied slot lets the old library go first.
    EXPECT_TRUE(load_library_slot(40, fake));
    release_library(3);
    release_library(3);
    EXPECT_TRUE(fake_loaded());
    release_library(40);
    EXPECT_FALSE(fake_loaded());
}

TEST_F(runtime_library, the_sweep_at_exit_releases_everything_still_loaded) {
    ASSERT_NE(load_library(fake), 0u);
    library_id middle = load_library(fake);
    ASSERT_NE(load_library(fake), 0u);
    ASSERT_TRUE(load_library_slot(0, fake));
    ASSERT_TRUE(load_library_slot(17, fake));
    release_library(middle); // released by the program itself: not released again
    EXPECT_EQ(nodes(), 2u);

    // The test holds a reference of its own: the sweep must give back exactly the table's.
    HMODULE own = LoadLibraryW(fake);
    release_all_libraries();
    EXPECT_TRUE(fake_loaded()) << "a reference was given back twice";
    FreeLibrary(own);
    EXPECT_FALSE(fake_loaded()) << "a reference was not given back";
    EXPECT_EQ(nodes(), 0u);
    release_all_libraries(); // a second sweep finds nothing
    EXPECT_FALSE(fake_loaded());
}

} // namespace
