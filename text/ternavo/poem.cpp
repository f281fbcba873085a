#include "poem.h"

poem_extent poem_measure(const uint8_t* text, uint32_t size) {
    poem_extent e{0, 0};
    if (!text) return e;
    for (; e.length < size; e.length++) {
        const uint8_t c = text[e.length];
        if (c == '\\' || c == 0) break;
        if (c == '\n') e.lines++;
    }
    return e;
}
