// Text in a clipboard block. A block is whatever another program put there: its text need not
// end with a zero, and its size need not be a whole number of characters.
#pragma once

#include <stddef.h>

// The characters of the text in a block of `bytes` bytes: up to its first zero, never past the
// block's end (an odd last byte is no character).
size_t clip_text_length(const wchar_t* text, size_t bytes);
