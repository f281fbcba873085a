#include "editor/text_decode.h"

#include <string.h>

uint32_t mark_flags_of(const uint8_t* data, size_t n) {
    if (n < 2) return 0;
    if (data[0] == 0xFF && data[1] == 0xFE) return MARK_UTF16_LE;
    if (data[0] == 0xFE && data[1] == 0xFF) return MARK_UTF16_BE;
    return 0;
}

// Bytes before the first zero byte.
static size_t bytes_to_zero(const uint8_t* p, size_t n) {
    const void* zero = memchr(p, 0, n);
    return zero ? size_t(static_cast<const uint8_t*>(zero) - p) : n;
}

text_layout analyse_text(const uint8_t* data, size_t n, uint32_t marks) {
    text_layout t{TEXT_ANSI, 0, 0};
    if ((marks & (MARK_UTF16_LE | MARK_UTF16_BE)) && n >= 2) {
        t.encoding = (marks & MARK_UTF16_BE) ? TEXT_UTF16_BE : TEXT_UTF16_LE;
        t.offset = 2;
        t.bytes = n - 2;
        return t;
    }
    // A UTF-8 mark: read as UTF-8, so that the mark does not show as three stray characters and
    // the text's other characters survive the next save.
    if (n >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) {
        t.encoding = TEXT_UTF8;
        t.offset = 3;
    }
    t.bytes = bytes_to_zero(data + t.offset, n - t.offset);
    return t;
}

size_t decode_utf16(const uint8_t* data, const text_layout& t, uint16_t* out, size_t room) {
    const uint8_t* p = data + t.offset;
    size_t n = t.bytes;
    size_t units = (n + 1) / 2;
    // Whole units are swapped in a big-endian file; a lone byte is swapped with the zero after it,
    // while the odd last byte of a longer text keeps its place.
    size_t swapped = t.encoding != TEXT_UTF16_BE ? 0 : n == 1 ? 1 : n / 2;
    size_t len = 0;
    for (size_t i = 0; i < units; i++) {
        uint16_t lo = p[2 * i];
        uint16_t hi = 2 * i + 1 < n ? p[2 * i + 1] : 0;
        uint16_t unit = i < swapped ? uint16_t(lo << 8 | hi) : uint16_t(hi << 8 | lo);
        if (unit == 0) break;
        if (out && len < room) out[len] = unit;
        len++;
    }
    return len;
}
