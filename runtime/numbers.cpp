// Number pieces: decimal and hexadecimal texts appended to the temporary text area. Each piece
// reserves a fixed maximum, writes in place and gives back what it did not use.
#include "runtime/runtime.h"

#include <stdarg.h>
#include <wchar.h>

// Sign and digits of a magnitude in a reservation of `reserve` characters at `at`.
static wchar_t* push_decimal(uint64_t magnitude, bool negative, int32_t reserve, size_t at) {
    wchar_t digits[20]; // 2^64 - 1 has 20 digits
    int n = 0;
    do {
        digits[n++] = static_cast<wchar_t>(L'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    wchar_t* dst = temp_reserve(reserve, at);
    int len = 0;
    if (negative) dst[len++] = L'-';
    while (n > 0)
        dst[len++] = digits[--n];
    dst[len] = 0;
    temp_release(reserve - len);
    return dst;
}

wchar_t* temp_push_dec(int64_t value, size_t at) {
    const bool fits_32 = value >= INT32_MIN && value <= INT32_MAX;
    // Negated in unsigned arithmetic, which also holds the magnitude of the most negative value.
    const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : value;
    return push_decimal(magnitude, value < 0, fits_32 ? 32 : 64, at);
}

wchar_t* temp_push_udec64(uint64_t value, size_t at) {
    return push_decimal(value, false, 64, at);
}

static int format_wide(wchar_t* buffer, size_t max, const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    const int n = _vsnwprintf(buffer, max, format, args);
    va_end(args);
    return n;
}

wchar_t* temp_push_udec(uint64_t value, int kind, size_t at) {
    if (kind == INT64_KIND) return temp_push_udec64(value, at);
    uint64_t mask = 0xFFFFFFFF;
    if (kind == INT8_KIND)
        mask = 0xFF;
    else if (kind == INT16_KIND || kind == WORD_KIND)
        mask = 0xFFFF;
    wchar_t* dst = temp_reserve(32, at);
    // Ten digits at most, so the 32-character reservation is also the limit of the formatting.
    int n = format_wide(dst, 32, L"%lu", static_cast<unsigned long>(value & mask));
    if (n < 0) n = 0;
    dst[n] = 0;
    temp_release(32 - n);
    return dst;
}

// Hexadecimal digits from the nibble at `top_shift` down, leading zeros dropped; the last nibble
// is always written, so 0 gives "0".
static wchar_t* push_hex(uint64_t value, int top_shift, size_t at) {
    wchar_t* dst = temp_reserve(16, at);
    int len = 0;
    for (int shift = top_shift; shift >= 0; shift -= 4) {
        const unsigned nibble = static_cast<unsigned>(value >> shift) & 0xF;
        if (len || nibble || shift == 0) dst[len++] = L"0123456789ABCDEF"[nibble];
    }
    dst[len] = 0;
    temp_release(16 - len);
    return dst;
}

wchar_t* temp_push_hex64(uint64_t value, size_t at) {
    return push_hex(value, 60, at);
}

wchar_t* temp_push_hex(uint64_t value, int kind, size_t at) {
    int top_shift = 60;
    if (kind == INT8_KIND)
        top_shift = 4;
    else if (kind == INT16_KIND || kind == WORD_KIND)
        top_shift = 12;
    else if (kind == INT32_KIND)
        top_shift = 28;
    return push_hex(value, top_shift, at);
}
