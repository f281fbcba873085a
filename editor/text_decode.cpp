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

bool is_utf8_beyond_ascii(const uint8_t* p, size_t n) {
    bool beyond = false;
    for (size_t i = 0; i < n;) {
        const uint8_t b = p[i];
        if (b < 0x80) {
            i++;
            continue;
        }
        // The length of the sequence and the range its second byte must lie in: the narrow
        // ranges after E0, ED, F0 and F4 shut out overlong forms, surrogates and values past
        // U+10FFFF.
        size_t len;
        uint8_t lo = 0x80, hi = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            len = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            len = 3;
            if (b == 0xE0) lo = 0xA0;
            if (b == 0xED) hi = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            len = 4;
            if (b == 0xF0) lo = 0x90;
            if (b == 0xF4) hi = 0x8F;
        } else {
            return false; // a continuation byte, C0, C1 or F5 to FF where a sequence should start
        }
        if (n - i < len || p[i + 1] < lo || p[i + 1] > hi) return false;
        for (size_t k = 2; k < len; k++)
            if (p[i + k] < 0x80 || p[i + k] > 0xBF) return false;
        beyond = true;
        i += len;
    }
    return beyond;
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
    if (t.encoding == TEXT_ANSI && is_utf8_beyond_ascii(data, t.bytes)) t.encoding = TEXT_UTF8;
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
