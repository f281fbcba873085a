#include "clipboard/clip_text.h"

size_t clip_text_length(const wchar_t* text, size_t bytes) {
    const size_t room = bytes / sizeof(wchar_t);
    size_t n = 0;
    while (n < room && text[n])
        n++;
    return n;
}
