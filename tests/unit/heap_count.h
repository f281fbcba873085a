// Blocks in use in a heap: the runtime tests check frees by counting before and after.
#pragma once

#include <windows.h>
#include <string.h>

inline size_t busy_blocks(HANDLE heap) {
    PROCESS_HEAP_ENTRY entry;
    memset(&entry, 0, sizeof entry);
    size_t n = 0;
    while (HeapWalk(heap, &entry))
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) n++;
    return n;
}
