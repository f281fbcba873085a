// Dynamic strings and the temporary text area in which every text expression is built.
#include "runtime/runtime.h"

#include <string.h>
#include <wchar.h>

static size_t text_length(const wchar_t* s) {
    return s ? wcslen(s) : 0;
}

// Characters up to the first NUL or `max`, never reading past `max` (fields need not end in NUL).
static size_t bounded_length(const wchar_t* s, size_t max) {
    size_t n = 0;
    if (s)
        while (n < max && s[n])
            n++;
    return n;
}

static bool lies_within(const void* p, const void* first, const void* last) {
    const uintptr_t a = reinterpret_cast<uintptr_t>(p);
    return a >= reinterpret_cast<uintptr_t>(first) && a <= reinterpret_cast<uintptr_t>(last);
}

// A block of the string heap for `bytes`, resizing `old` when there is one.
static wchar_t* string_block(wchar_t* old, size_t bytes) {
    void* block = old ? HeapReAlloc(rt.string_heap, HEAP_NO_SERIALIZE, old, bytes)
                      : HeapAlloc(rt.string_heap, HEAP_NO_SERIALIZE, bytes);
    if (!block) runtime_out_of_memory();
    return static_cast<wchar_t*>(block);
}

// ---- Dynamic strings ----------------------------------------------------------------------------

// Blocks hold the text, its NUL and 8 spare bytes: 2 x len + 10.
wchar_t* str_new(wchar_t** var, const wchar_t* src) {
    if (!src) return nullptr;
    const size_t len = wcslen(src);
    wchar_t* s = string_block(nullptr, 2 * len + 10);
    memcpy(s, src, 2 * len);
    s[len] = 0;
    *var = s;
    return s + len;
}

size_t str_assign(wchar_t** var, const wchar_t* src) {
    wchar_t* old = *var;
    if (!src) {
        str_free(old);
        *var = nullptr;
        return 2;
    }
    const size_t len = wcslen(src);
    wchar_t* s;
    if (old && lies_within(src, old, old + wcslen(old))) {
        // The source is (part of) the variable's own text, which resizing could move or cut.
        s = string_block(nullptr, 2 * len + 10);
        memcpy(s, src, 2 * len);
        str_free(old);
    } else {
        s = string_block(old, 2 * len + 10);
        memcpy(s, src, 2 * len);
    }
    s[len] = 0;
    *var = s;
    return 2 * len + 2;
}

size_t str_assign_from_temp(wchar_t** var, size_t start) {
    const size_t bytes = rt.temp_top > start ? rt.temp_top - start : 0;
    char* s = reinterpret_cast<char*>(string_block(*var, bytes + 10));
    memcpy(s, rt.temp_base + start, bytes);
    memset(s + bytes, 0, sizeof(wchar_t));
    *var = reinterpret_cast<wchar_t*>(s);
    rt.temp_top = start;
    return start;
}

void str_free(wchar_t* s) {
    if (s) HeapFree(rt.string_heap, HEAP_NO_SERIALIZE, s);
}

size_t str_length(const wchar_t* s) {
    return text_length(s);
}

int str_equal(const wchar_t* a, const wchar_t* b) {
    return wcscmp(a ? a : L"", b ? b : L"") == 0;
}

int str_find(const wchar_t* text, const wchar_t* pattern, int start) {
    const size_t len = text_length(text);
    const size_t plen = text_length(pattern);
    if (!len || !plen) return 0;
    size_t i = start <= 0 ? 0 : static_cast<size_t>(start) - 1;
    for (; i < len && plen <= len - i; i++)
        if (memcmp(text + i, pattern, plen * sizeof(wchar_t)) == 0) return static_cast<int>(i + 1);
    return 0;
}

void str_copy_to_field(wchar_t* field, size_t max, const wchar_t* src) {
    if (src)
        wcsncpy(field, src, max);
    else if (max > 0)
        field[0] = 0;
}

// ---- The temporary text area --------------------------------------------------------------------

// Reserves `bytes` at offset `at`, growing the area when the end comes within 4 bytes of the
// capacity figure. The block is always 10 bytes larger than that figure, which leaves room for the
// NUL after a full reservation. The growth is measured from the higher of top and `at` so that no
// reservation can end past the block.
static wchar_t* reserve_bytes(size_t bytes, size_t at) {
    const size_t from = rt.temp_top > at ? rt.temp_top : at;
    const size_t limit = SIZE_MAX - 16384 - 10;
    if (from > limit || bytes > limit - from) runtime_out_of_memory();
    const size_t need = from + bytes;
    if (need >= rt.temp_capacity - 4) {
        const size_t capacity = need + 16384;
        void* block = HeapReAlloc(rt.string_heap, HEAP_NO_SERIALIZE, rt.temp_base, capacity + 10);
        if (!block) runtime_out_of_memory();
        rt.temp_base = static_cast<char*>(block);
        rt.temp_capacity = capacity;
    }
    rt.temp_top = at + bytes;
    return temp_text(at);
}

// Ends a piece of `chars` characters at `dst` with a NUL and moves the top to its end, which
// gives back whatever the reservation held beyond the text.
static wchar_t* finish(wchar_t* dst, size_t chars) {
    dst[chars] = 0;
    rt.temp_top = static_cast<size_t>(reinterpret_cast<char*>(dst + chars) - rt.temp_base);
    return dst;
}

// Copies `chars` characters of `src` into a reservation of `reserve` characters at `at`. A source
// inside the area is held by its offset across the reservation, which may move the block, and is
// copied with a move because it may overlap the destination.
static wchar_t* push_text(const wchar_t* src, size_t chars, size_t reserve, size_t at) {
    const size_t token = temp_offset_of(src);
    wchar_t* dst = reserve_bytes(reserve * sizeof(wchar_t), at);
    if (token) src = static_cast<const wchar_t*>(temp_pointer(token));
    if (chars) memmove(dst, src, chars * sizeof(wchar_t));
    return finish(dst, chars);
}

static size_t non_negative(int32_t n) {
    return n > 0 ? static_cast<size_t>(n) : 0;
}

wchar_t* temp_reserve(int32_t chars, size_t at) {
    return reserve_bytes(non_negative(chars) * sizeof(wchar_t), at);
}

size_t temp_release(int32_t chars) {
    const size_t bytes = non_negative(chars) * sizeof(wchar_t);
    rt.temp_top = bytes < rt.temp_top ? rt.temp_top - bytes : 0;
    return bytes;
}

size_t temp_offset_of(const void* p) {
    if (!p || !rt.temp_base || !lies_within(p, rt.temp_base, rt.temp_base + rt.temp_top)) return 0;
    return static_cast<size_t>(static_cast<const char*>(p) - rt.temp_base) + 1;
}

void* temp_pointer(size_t token) {
    return rt.temp_base + token - 1;
}

wchar_t* temp_push(const wchar_t* src) {
    return temp_push_at(src, rt.temp_top);
}

wchar_t* temp_push_at(const wchar_t* src, size_t at) {
    const size_t len = text_length(src);
    return push_text(src, len, len, at);
}

wchar_t* temp_push_field(const wchar_t* field, int32_t max) {
    const size_t m = non_negative(max);
    return push_text(field, bounded_length(field, m), m, rt.temp_top);
}

wchar_t* temp_push_left(const wchar_t* src, int32_t n, size_t at) {
    const size_t k = bounded_length(src, non_negative(n));
    return push_text(src, k, k, at);
}

wchar_t* temp_push_char(wchar_t ch, size_t at) {
    wchar_t* dst = reserve_bytes(sizeof(wchar_t), at);
    dst[0] = ch;
    return finish(dst, 1);
}

// Exactly `width` characters: the first k = min(length, width) of src, filled up to the width on
// the left (right-aligned) or on the right.
static wchar_t* push_aligned(const wchar_t* src, int32_t width, const wchar_t* fill, size_t at,
                             bool right) {
    const size_t w = non_negative(width);
    // An empty fill text is as good as none: a NUL fill would cut the text short.
    const wchar_t pad = fill && fill[0] ? fill[0] : L' ';
    const size_t k = bounded_length(src, w);
    const size_t token = temp_offset_of(src);
    wchar_t* dst = reserve_bytes(w * sizeof(wchar_t), at);
    if (token) src = static_cast<const wchar_t*>(temp_pointer(token));
    // Move the text before filling: the source may overlap the fill's place.
    wchar_t* text = right ? dst + (w - k) : dst;
    if (k) memmove(text, src, k * sizeof(wchar_t));
    wchar_t* gap = right ? dst : dst + k;
    for (size_t i = 0; i < w - k; i++)
        gap[i] = pad;
    return finish(dst, w);
}

wchar_t* temp_push_right_aligned(const wchar_t* src, int32_t width, const wchar_t* fill,
                                 size_t at) {
    return push_aligned(src, width, fill, at, true);
}

wchar_t* temp_push_left_aligned(const wchar_t* src, int32_t width, const wchar_t* fill, size_t at) {
    return push_aligned(src, width, fill, at, false);
}

wchar_t* pad_left_spaces(const wchar_t* src, int32_t width, size_t at) {
    return push_aligned(src, width, nullptr, at, true);
}

wchar_t* pad_right_spaces(const wchar_t* src, int32_t width, size_t at) {
    return push_aligned(src, width, nullptr, at, false);
}

wchar_t* temp_push_bytes(const void* src, int32_t count, int selector, size_t at) {
    if (!src || count < -1) count = 0;
    if (selector == BYTES_UTF16) {
        const wchar_t* text = static_cast<const wchar_t*>(src);
        const size_t max = count == -1 ? text_length(text) : static_cast<size_t>(count);
        return push_text(text, bounded_length(text, max), max, at);
    }
    const char* bytes = static_cast<const char*>(src);
    const int n = count == -1 ? static_cast<int>(strlen(bytes)) : count;
    const UINT code_page = selector == BYTES_UTF8 ? CP_UTF8 : CP_ACP;
    const int chars = n > 0 ? MultiByteToWideChar(code_page, 0, bytes, n, nullptr, 0) : 0;
    const size_t token = temp_offset_of(bytes);
    wchar_t* dst = reserve_bytes(non_negative(chars) * sizeof(wchar_t), at);
    if (token) bytes = static_cast<const char*>(temp_pointer(token));
    if (chars > 0) MultiByteToWideChar(code_page, 0, bytes, n, dst, chars);
    return finish(dst, non_negative(chars));
}
