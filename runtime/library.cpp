// The library table: libraries loaded by name at run time, each an entry that the program holds
// by identifier, all released when the program ends.
//
// Entries live in two places. The list holds the libraries loaded with load_library: small nodes
// from a heap of their own, newest at the head, each identified by the address of its handle
// field. The indexed array holds libraries loaded into numbered slots; a slot is identified by
// its index. An identifier is therefore a slot index when it is below the array's capacity, and
// otherwise the address of a list entry.
#include "runtime/runtime.h"

struct library_node {
    library_node* next; // towards the oldest entry
    library_node* prev; // towards the head
    HMODULE handle;
};

struct library_table {
    library_node* head; // the newest entry
    HMODULE* slots;     // the indexed array
    uint32_t capacity;  // slots in the array
};

enum : uint32_t { SLOT_STEP = 16 };

void runtime_init_libraries() {
    rt.node_heap = HeapCreate(0, 1024, 0);
    if (!rt.node_heap) runtime_out_of_memory();
    rt.libraries = static_cast<library_table*>(
        HeapAlloc(rt.program_heap, HEAP_ZERO_MEMORY, sizeof(library_table)));
    if (!rt.libraries) runtime_out_of_memory();
    rt.libraries->slots = static_cast<HMODULE*>(
        HeapAlloc(rt.program_heap, HEAP_ZERO_MEMORY, SLOT_STEP * sizeof(HMODULE)));
    if (!rt.libraries->slots) runtime_out_of_memory();
    rt.libraries->capacity = SLOT_STEP;
}

// The handle field an identifier names, or null when no entry holds a library under it. A list
// identifier is only trusted once it is found in the list: an entry already released (or any
// stray value) is never read through.
static HMODULE* find_entry(library_id id) {
    library_table* t = rt.libraries;
    if (!t) return nullptr;
    HMODULE* field = nullptr;
    if (id < t->capacity) {
        field = &t->slots[id];
    } else {
        for (library_node* n = t->head; n && !field; n = n->next)
            if (reinterpret_cast<library_id>(&n->handle) == id) field = &n->handle;
    }
    return field && *field ? field : nullptr;
}

static library_node* node_of(HMODULE* field) {
    return reinterpret_cast<library_node*>(reinterpret_cast<char*>(field) -
                                           offsetof(library_node, handle));
}

library_id load_library(const wchar_t* file_name) {
    if (!file_name || !rt.libraries) return 0;
    library_node* n =
        static_cast<library_node*>(HeapAlloc(rt.node_heap, HEAP_ZERO_MEMORY, sizeof *n));
    if (!n) return 0;
    n->handle = LoadLibraryW(file_name);
    if (!n->handle) {
        // An entry that holds nothing would only wait in the list for the sweep at exit.
        HeapFree(rt.node_heap, 0, n);
        return 0;
    }
    library_table* t = rt.libraries;
    n->next = t->head;
    if (t->head) t->head->prev = n;
    t->head = n;
    return reinterpret_cast<library_id>(&n->handle);
}

bool load_library_slot(uint32_t index, const wchar_t* file_name) {
    library_table* t = rt.libraries;
    if (!file_name || !t || index >= UINT32_MAX - SLOT_STEP) return false;
    if (index >= t->capacity) {
        const uint32_t capacity = (index / SLOT_STEP + 1) * SLOT_STEP;
        void* grown = HeapReAlloc(rt.program_heap, HEAP_ZERO_MEMORY, t->slots,
                                  size_t(capacity) * sizeof(HMODULE));
        if (!grown) return false;
        t->slots = static_cast<HMODULE*>(grown);
        t->capacity = capacity;
    }
    release_library(index);
    t->slots[index] = LoadLibraryW(file_name);
    return t->slots[index] != nullptr;
}

FARPROC get_procedure(library_id entry, const wchar_t* procedure_name) {
    HMODULE* field = find_entry(entry);
    if (!field || !procedure_name) return nullptr;
    // GetProcAddress takes an ANSI name. A name too long for the buffer makes the conversion
    // fail and leaves the buffer unterminated, so it is never looked up.
    char name[260];
    if (!WideCharToMultiByte(CP_ACP, 0, procedure_name, -1, name, sizeof name, nullptr, nullptr))
        return nullptr;
    return GetProcAddress(*field, name);
}

void release_library(library_id entry) {
    HMODULE* field = find_entry(entry);
    if (!field) return;
    FreeLibrary(*field);
    *field = nullptr;
    library_table* t = rt.libraries;
    if (entry < t->capacity) return; // a slot stays, empty
    library_node* n = node_of(field);
    if (n->prev)
        n->prev->next = n->next;
    else
        t->head = n->next;
    if (n->next) n->next->prev = n->prev;
    HeapFree(rt.node_heap, 0, n);
}

void release_all_libraries() {
    library_table* t = rt.libraries;
    if (!t) return;
    for (uint32_t i = 0; i < t->capacity; i++)
        release_library(i);
    // The oldest entry is the list's tail.
    library_node* oldest = t->head;
    while (oldest && oldest->next)
        oldest = oldest->next;
    while (oldest) {
        library_node* newer = oldest->prev;
        release_library(reinterpret_cast<library_id>(&oldest->handle));
        oldest = newer;
    }
}
