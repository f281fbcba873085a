// How much of the poem's 8-bit text is shown, and how many lines that is. The shown text ends at
// the first backslash or NUL byte, and never runs past the end of the resource data (which has no
// terminator of its own). Plain byte work; builds anywhere.
#pragma once

#include <stdint.h>

struct poem_extent {
    uint32_t length; // bytes shown
    int32_t lines;   // line feeds among them
};

poem_extent poem_measure(const uint8_t* text, uint32_t size);
