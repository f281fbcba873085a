// Process start-up and end, the heaps, zero-filled blocks, arrays and their string cleanup.
#include "runtime/runtime.h"

#include <string.h>

runtime_state rt;

void runtime_out_of_memory() {
    MessageBoxW(nullptr, L"Out of memory.", nullptr, MB_ICONERROR);
    ExitProcess(1);
}

static HANDLE create_heap(DWORD flags) {
    HANDLE heap = HeapCreate(flags, 4096, 0);
    if (!heap) runtime_out_of_memory();
    return heap;
}

void process_start(void* globals, size_t size, unsigned uses) {
    zero_memory(globals, size);
    rt.module = GetModuleHandleW(nullptr);
    rt.program_heap = create_heap(0);
    runtime_init_strings();
    if (uses & USES_LIBRARIES) runtime_init_libraries();
    if (uses & USES_BLOCKS) runtime_init_blocks();
}

void process_end(UINT exit_code) {
    runtime_shutdown();
    release_all_libraries(); // the table lives in the program heap
    HeapDestroy(rt.program_heap);
    ExitProcess(exit_code);
}

void runtime_init_strings() {
    // Only the one thread ever touches strings, so the heap goes without a lock.
    rt.string_heap = create_heap(HEAP_NO_SERIALIZE);
    rt.temp_top = 0;
    rt.temp_capacity = 16;
    // A program that never builds text pays only for these 16 bytes.
    rt.temp_base = static_cast<char*>(HeapAlloc(rt.string_heap, HEAP_NO_SERIALIZE, 16));
    if (!rt.temp_base) runtime_out_of_memory();
}

void runtime_init_blocks() {
    rt.block_heap = create_heap(0);
}

void runtime_shutdown() {}

void* block_alloc(int32_t bytes) {
    if (bytes <= 0 || !rt.block_heap) return nullptr;
    return HeapAlloc(rt.block_heap, HEAP_ZERO_MEMORY, static_cast<size_t>(bytes));
}

BOOL block_free(void* block) {
    return HeapFree(rt.block_heap, 0, block);
}

void* copy_bytes(const void* src, void* dst, size_t n) {
    memcpy(dst, src, n);
    return static_cast<char*>(dst) + n;
}

void* copy_memory(void* dst, const void* src, size_t n) {
    return memcpy(dst, src, n);
}

void* zero_memory(void* buf, size_t n) {
    return memset(buf, 0, n);
}

void* array_create(uint32_t count, uint32_t element_size, const cleanup_entry* cleanup,
                   void** owner, uint32_t kind) {
    // Computed in 64 bits: count + 1 and the product must not wrap into a small block.
    const uint64_t bytes = uint64_t(element_size) * (uint64_t(count) + 1) + sizeof(array_header);
    array_header* header = nullptr;
    if (bytes <= SIZE_MAX)
        header = static_cast<array_header*>(
            HeapAlloc(rt.program_heap, HEAP_ZERO_MEMORY, static_cast<size_t>(bytes)));
    void* array = nullptr;
    if (header) {
        header->dimensions = 1;
        header->element_size = element_size;
        header->cleanup = cleanup;
        header->owner = owner;
        header->count = count;
        header->kind = kind;
        array = header + 1;
    }
    if (owner) *owner = array;
    return array;
}

void* array_create_multi(uint32_t element_size, uint32_t dimensions, const cleanup_entry* cleanup,
                         void** descriptor, uint32_t kind) {
    // The slots follow the reference; from the last one backwards each becomes the product of the
    // extents after it, the last keeping its extent. The element count is the product of all
    // extents, capped at 2^32 so that an impossible array is refused instead of wrapped.
    intptr_t* slot = reinterpret_cast<intptr_t*>(descriptor + 1);
    const uint64_t too_many = uint64_t(1) << 32;
    uint64_t total = 1;
    for (uint32_t i = dimensions; i-- > 0;) {
        const intptr_t extent = slot[i];
        if (i + 1 < dimensions) slot[i] = static_cast<intptr_t>(total);
        if (extent < 0 || (extent > 0 && total > too_many / uint64_t(extent)))
            total = too_many;
        else
            total *= uint64_t(extent);
    }
    if (total >= too_many) {
        *descriptor = nullptr;
        return nullptr;
    }
    void* array =
        array_create(static_cast<uint32_t>(total), element_size, cleanup, descriptor, kind);
    if (array) array_header_of(array)->dimensions = dimensions;
    return array;
}

void array_destroy(void* array) {
    if (!array) return;
    const array_header* header = array_header_of(array);
    if (header->cleanup) {
        char* element = static_cast<char*>(array);
        for (uint32_t i = 0; i < header->count; i++, element += header->element_size)
            record_free_strings(element, header->cleanup);
    }
    array_release(array);
}

void array_release(void* array) {
    if (array) HeapFree(rt.program_heap, 0, array_header_of(array));
}

void record_free_strings(void* record, const cleanup_entry* table) {
    if (!table) return;
    char* base = static_cast<char*>(record);
    for (;;) {
        const cleanup_entry entry = *table;
        if (entry >= 0) {
            wchar_t* s;
            memcpy(&s, base + entry, sizeof s);
            str_free(s);
            table += 1;
        } else if (entry == CLEANUP_NESTED) {
            const intptr_t count = table[1];
            char* nested = base + table[2];
            const intptr_t stride = table[3];
            const cleanup_entry* nested_table = reinterpret_cast<const cleanup_entry*>(table[4]);
            for (intptr_t i = 0; i < count; i++, nested += stride)
                record_free_strings(nested, nested_table);
            table += 5;
        } else {
            return; // CLEANUP_END
        }
    }
}

// The programs read and write raw buffers at any alignment; memcpy keeps that well defined.
uint32_t read_u8(const void* p) {
    return *static_cast<const uint8_t*>(p);
}

uint32_t read_u16(const void* p) {
    uint16_t v;
    memcpy(&v, p, sizeof v);
    return v;
}

uint32_t read_u32(const void* p) {
    uint32_t v;
    memcpy(&v, p, sizeof v);
    return v;
}

uint32_t write_u8(void* p, uint32_t v) {
    *static_cast<uint8_t*>(p) = static_cast<uint8_t>(v);
    return v;
}

uint32_t write_u16(void* p, uint32_t v) {
    const uint16_t w = static_cast<uint16_t>(v);
    memcpy(p, &w, sizeof w);
    return v;
}

uint32_t write_u32(void* p, uint32_t v) {
    memcpy(p, &v, sizeof v);
    return v;
}
