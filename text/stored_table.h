// Tables of (index, label, description) rows kept as constant data in a packed form and turned into
// an array of records at start-up. The packed form has no count, fill or alignment: each entry is
// the index as a signed 32-bit little-endian integer, then the label and the description as
// NUL-terminated UTF-16 texts, so an entry takes 4 + 2 x (label + 1) + 2 x (description + 1) bytes.
#pragma once

#include "runtime/runtime.h"

// One loaded row: an array element of kind 7 whose two texts are dynamic strings.
struct table_row {
    int32_t index;
    wchar_t* label;
    wchar_t* description;
};
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(table_row) == 12, "a table record is 12 bytes on 32-bit Windows");
#endif

// Where the record's dynamic strings lie, for array_destroy.
extern const cleanup_entry table_row_cleanup[];

// Makes a fresh array of `rows` records in *table (destroying the old one) and fills it from the
// packed form at `stored`. Returns the reading pointer after the last row, or null when the array
// could not be made (then *table is null).
const unsigned char* table_load(table_row** table, const unsigned char* stored, uint32_t rows);

// A right-aligned number column: the signed decimal of `value`, preceded by blanks up to `width`
// characters. A longer number is shown whole rather than cut, since a cut number reads as a
// different value.
wchar_t* push_number_column(int64_t value, int32_t width, size_t at);

// ---- Building the packed form at compile time ----
//
// A table is written as an array of table_source rows; pack_table turns it into the packed bytes,
// so the program's constant data holds only the packed form.
struct table_source {
    int32_t index;
    const wchar_t* label;
    const wchar_t* description;
};

constexpr size_t stored_text_bytes(const wchar_t* s) {
    size_t n = 0;
    while (s[n])
        n++;
    return 2 * (n + 1);
}

template <size_t N> constexpr size_t stored_size(const table_source (&rows)[N]) {
    size_t bytes = 0;
    for (size_t i = 0; i < N; i++)
        bytes += 4 + stored_text_bytes(rows[i].label) + stored_text_bytes(rows[i].description);
    return bytes;
}

template <size_t Bytes> struct stored_form { alignas(4) unsigned char bytes[Bytes]; };

template <size_t Bytes> struct stored_writer {
    stored_form<Bytes> form{};
    size_t at = 0;
    constexpr void byte(unsigned v) { form.bytes[at++] = static_cast<unsigned char>(v & 0xFF); }
    constexpr void text(const wchar_t* s) {
        for (size_t i = 0;; i++) {
            byte(unsigned(s[i]));
            byte(unsigned(s[i]) >> 8);
            if (!s[i]) break;
        }
    }
};

template <size_t Bytes, size_t N>
constexpr stored_form<Bytes> pack_table(const table_source (&rows)[N]) {
    stored_writer<Bytes> w;
    for (size_t i = 0; i < N; i++) {
        const uint32_t index = static_cast<uint32_t>(rows[i].index);
        for (int shift = 0; shift < 32; shift += 8)
            w.byte(index >> shift);
        w.text(rows[i].label);
        w.text(rows[i].description);
    }
    return w.form;
}
