// The runtime support library every program carries: process start-up and end, the three heaps,
// zero-filled blocks, arrays with a header and string-cleanup tables, dynamic strings built in one
// temporary text area, and number pieces.
//
// Widths: the suite's own target is 32-bit Windows, where pointers, array-header fields and cleanup
// entries are all 32 bits (the array header is 24 bytes). On 64-bit Windows the same code runs with
// pointer-sized fields; layouts are computed with sizeof, never with literals.
#pragma once

#include <windows.h>
#include <stddef.h>
#include <stdint.h>

// ---- Process, heaps and blocks ------------------------------------------------------------------

// What a program uses beyond the program heap and the string heap.
enum : unsigned {
    USES_BLOCKS = 1,    // block_alloc / block_free: create the block heap
    USES_LIBRARIES = 2, // load_library ...: the library table, swept at exit
};

struct library_table;

// The runtime's own globals. They lie outside the program's variable area, which process_start
// zeroes first.
struct runtime_state {
    HINSTANCE module;     // GetModuleHandleW(NULL)
    HANDLE program_heap;  // arrays and the programs' larger buffers
    HANDLE string_heap;   // dynamic strings and the temporary text area (no serialisation)
    HANDLE block_heap;    // zero-filled blocks, only where USES_BLOCKS
    char* temp_base;      // the temporary text area's block
    size_t temp_top;      // bytes in use from temp_base
    size_t temp_capacity; // the figure the growth test compares against
    HANDLE node_heap;     // the library table's nodes, only where USES_LIBRARIES
    library_table* libraries;
};
extern runtime_state rt;

// Start-up in its fixed order: zero the program's variable area (`globals`, `size` bytes), take
// the module handle, create the program heap, initialise the strings and the temporary area, then
// the library table and the block heap where `uses` asks for them.
void process_start(void* globals, size_t size, unsigned uses);
// The end: runtime_shutdown, release every library still loaded, destroy the program heap,
// ExitProcess.
[[noreturn]] void process_end(UINT exit_code);

void runtime_init_strings();
void runtime_init_blocks();
void runtime_shutdown();

// A heap the runtime cannot do without refused to grow: tell the user and end the process rather
// than write through a null block.
[[noreturn]] void runtime_out_of_memory();

void* block_alloc(int32_t bytes); // null for 0 or fewer bytes; zero-filled
BOOL block_free(void* block);

void* copy_bytes(const void* src, void* dst, size_t n);  // returns dst + n
void* copy_memory(void* dst, const void* src, size_t n); // returns dst
void* zero_memory(void* buf, size_t n);                  // returns buf

// ---- Arrays and cleanup tables
// --------------------------------------------------------------------

// A cleanup table lists where dynamic-string references lie inside one element or record:
// an offset (>= 0) of one reference; CLEANUP_NESTED followed by count, first offset, stride and
// the nested element's table (cast to cleanup_entry); CLEANUP_END.
typedef intptr_t cleanup_entry;
enum : intptr_t { CLEANUP_END = -1, CLEANUP_NESTED = -2 };

struct array_header {
    uint32_t dimensions;
    uint32_t element_size;
    const cleanup_entry* cleanup;
    void* owner;
    uint32_t count;
    uint32_t kind;
};
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(array_header) == 24, "the array header is 24 bytes on 32-bit Windows");
static_assert(sizeof(cleanup_entry) == 4, "cleanup entries are 32-bit on 32-bit Windows");
#endif

// Element kinds the programs store (no runtime operation reads them).
enum : uint32_t {
    KIND_BYTE = 1,
    KIND_INT = 5,
    KIND_RECORD = 7,
    KIND_STRING = 8,
    KIND_WORD = 11,
    KIND_INT_B = 21,
};

// The reference points at the first element, just past the header.
inline array_header* array_header_of(void* array) {
    return reinterpret_cast<array_header*>(static_cast<char*>(array) - sizeof(array_header));
}

// Allocates element_size x (count + 1) zero-filled bytes after the header, stores the reference in
// *owner and returns it (null, stored too, when the heap refuses).
void* array_create(uint32_t count, uint32_t element_size, const cleanup_entry* cleanup,
                   void** owner, uint32_t kind);

// The variable of a multi-dimensional array: the reference, then one slot per dimension holding
// its extent; array_create_multi turns the slots into row-major strides in place.
template <int N> struct multi_array {
    void* ref;
    intptr_t slot[N];
};
void* array_create_multi(uint32_t element_size, uint32_t dimensions, const cleanup_entry* cleanup,
                         void** descriptor, uint32_t kind);

void array_destroy(void* array); // frees every element's strings, then the block; null: nothing
void array_release(void* array); // frees the block only; null: nothing
void record_free_strings(void* record, const cleanup_entry* table);

uint32_t read_u8(const void* p);
uint32_t read_u16(const void* p);
uint32_t read_u32(const void* p);
uint32_t write_u8(void* p, uint32_t v);
uint32_t write_u16(void* p, uint32_t v);
uint32_t write_u32(void* p, uint32_t v);

// ---- Dynamic strings
// --------------------------------------------------------------------------------

// A dynamic string is a wchar_t* owning a block of the string heap; null is the empty text.
wchar_t* str_new(wchar_t** var, const wchar_t* src);
size_t str_assign(wchar_t** var, const wchar_t* src);
size_t str_assign_from_temp(wchar_t** var, size_t start);
void str_free(wchar_t* s);
size_t str_length(const wchar_t* s);
int str_equal(const wchar_t* a, const wchar_t* b);
int str_find(const wchar_t* text, const wchar_t* pattern, int start); // 1-based; 0 = not found
void str_copy_to_field(wchar_t* field, size_t max, const wchar_t* src);

// ---- The temporary text area
// -------------------------------------------------------------------------
//
// A statement that builds text saves start = rt.temp_top, appends pieces at the top, uses the text
// at temp_text(start) and sets rt.temp_top back to start. Offsets survive a growth of the area;
// pointers into it do not.

wchar_t* temp_reserve(int32_t chars, size_t at);
size_t temp_release(int32_t chars);
size_t temp_offset_of(const void* p); // offset + 1, or 0 when p lies outside the area
void* temp_pointer(size_t token);
inline wchar_t* temp_text(size_t offset) {
    return reinterpret_cast<wchar_t*>(rt.temp_base + offset);
}

// Each push appends at `at` (the current top), writes a NUL after its text and leaves the top at
// the end of the text. The returned pointer is valid until the next reservation.
wchar_t* temp_push(const wchar_t* src);
wchar_t* temp_push_at(const wchar_t* src, size_t at);
wchar_t* temp_push_field(const wchar_t* field, int32_t max);
wchar_t* temp_push_left(const wchar_t* src, int32_t n, size_t at);
wchar_t* temp_push_char(wchar_t ch, size_t at);
wchar_t* temp_push_right_aligned(const wchar_t* src, int32_t width, const wchar_t* fill, size_t at);
wchar_t* temp_push_left_aligned(const wchar_t* src, int32_t width, const wchar_t* fill, size_t at);
wchar_t* pad_left_spaces(const wchar_t* src, int32_t width, size_t at);
wchar_t* pad_right_spaces(const wchar_t* src, int32_t width, size_t at);

// Code-page selectors of temp_push_bytes.
enum : int { BYTES_ANSI = 0, BYTES_UTF16 = 1, BYTES_UTF8 = 2 };
wchar_t* temp_push_bytes(const void* src, int32_t count, int selector, size_t at);

// ---- Number pieces
// ------------------------------------------------------------------------------------

// Integer kinds of the typed pieces.
enum : int { INT8_KIND = 0, INT16_KIND = 1, INT32_KIND = 2, INT64_KIND = 4, WORD_KIND = 7 };

wchar_t* temp_push_dec(int64_t value, size_t at);
wchar_t* temp_push_udec64(uint64_t value, size_t at);
wchar_t* temp_push_udec(uint64_t value, int kind, size_t at);
wchar_t* temp_push_hex64(uint64_t value, size_t at);
wchar_t* temp_push_hex(uint64_t value, int kind, size_t at);

inline uint32_t rgb(uint32_t red, uint32_t green, uint32_t blue) {
    return red + green * 256 + blue * 65536;
}
inline uint32_t red_of(uint32_t colour) {
    return colour & 0xFF;
}
inline uint32_t green_of(uint32_t colour) {
    return (colour >> 8) & 0xFF;
}
inline uint32_t blue_of(uint32_t colour) {
    return (colour >> 16) & 0xFF;
}

// ---- Random numbers
// ---------------------------------------------------------------------------------
//
// One generator for the whole process, seeded from the thread id and the tick count on first use
// unless seed() came first. Unguarded: the programs that draw numbers have one thread.

enum : int { RANDOM_TABLE = 17 };
struct random_state {
    uint32_t seeded; // 0 until the first seeding
    int32_t i, j;    // the current and the second index into both tables, 0-16
    uint32_t a[RANDOM_TABLE];
    uint32_t b[RANDOM_TABLE];
};
extern random_state rng;

// An integer in 0 ... n inclusive; n = -1 gives a whole 32-bit word.
uint32_t random(int32_t n);
// Sets the state from s alone (after the automatic seeding, if that has not happened yet).
void seed(uint32_t s);

// ---- Libraries bound at run time
// --------------------------------------------------------------------
//
// A library loaded by name is an entry of the process's library table; the program holds the
// entry's identifier and calls the functions it looks up through their addresses. Entries still
// loaded when the program ends are released by process_end.

typedef uintptr_t library_id; // 0 = none

// The node heap (1024 bytes, growable), then the table with its indexed array in the program heap.
void runtime_init_libraries();
// LoadLibraryW into a new entry at the head of the list; 0 when the name is missing or the
// library cannot be loaded (nothing is then left in the table).
library_id load_library(const wchar_t* file_name);
// LoadLibraryW into slot `index` of the indexed array, which grows in steps of 16; the slot's
// identifier is its index. A slot still holding a library is released first. False on failure.
bool load_library_slot(uint32_t index, const wchar_t* file_name);
// The address of the named function, or null when the entry is unknown or empty, the name is
// missing or too long for the ANSI lookup, or the library does not export it.
FARPROC get_procedure(library_id entry, const wchar_t* procedure_name);
// FreeLibrary and remove the entry; an unknown or empty entry is ignored.
void release_library(library_id entry);
// Every entry still loaded: the indexed array first, then the list from its oldest entry.
void release_all_libraries();

// ---- Files ------------------------------------------------------------------------------------

// Puts a finished file `temp` in the place of `target`, all or nothing: a failure leaves both as
// they were. An existing target is replaced with ReplaceFileW, which keeps what it was (its
// attributes, security, alternate streams and hard links), where a move would give it the new
// file's; a missing one is moved into place. False on failure, with the system's error code.
bool put_file_in_place(const wchar_t* temp, const wchar_t* target);
