// How the bytes of a text file become the editor's UTF-16 text. This part decides, from the bytes
// alone, which encoding a file has and where its text lies, and decodes UTF-16 itself; it uses no
// window-system header so that it also builds natively for fuzzing. The code-page conversions
// (ANSI, UTF-8) are done by the caller with the platform's converter.
#pragma once

#include <stddef.h>
#include <stdint.h>

// The byte-order-mark flags as the platform's text test reports them (IsTextUnicode's
// IS_TEXT_UNICODE_SIGNATURE and IS_TEXT_UNICODE_REVERSE_SIGNATURE).
enum : uint32_t { MARK_UTF16_LE = 0x08, MARK_UTF16_BE = 0x80 };

enum text_encoding {
    TEXT_ANSI,     // no mark and not UTF-8: the system ANSI code page
    TEXT_UTF8,     // EF BB BF, or no mark and well-formed UTF-8 with a character beyond ASCII
    TEXT_UTF16_LE, // FF FE
    TEXT_UTF16_BE, // FE FF: every 16-bit unit swapped
};

// Where the text of a file lies and how to read it. For UTF-16 the text runs to its first NUL unit,
// for the byte encodings to the first zero byte.
struct text_layout {
    text_encoding encoding;
    size_t offset; // first byte of the text, just past any mark
    size_t bytes;  // bytes from offset that hold text (up to the first zero byte for ANSI/UTF-8)
};

// The mark flags the platform's test gives for these bytes when asked for the two signatures only:
// the first two bytes decide.
uint32_t mark_flags_of(const uint8_t* data, size_t n);

// Whether n bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing above
// U+10FFFF, no sequence cut short) holding at least one character beyond ASCII. Text in another
// byte encoding, such as Windows-1252 with accented letters, practically never is.
bool is_utf8_beyond_ascii(const uint8_t* p, size_t n);

// The layout of a file of n bytes whose mark flags are `marks`. Without a mark, a text that is
// well-formed UTF-8 beyond ASCII is read as UTF-8 (saving it again must not turn each of its
// characters into two or three others); any other is read in the ANSI code page.
text_layout analyse_text(const uint8_t* data, size_t n, uint32_t marks);

// The UTF-16 units of layout.bytes bytes at data + layout.offset (a final odd byte counts as a unit
// with a zero high byte; in a big-endian file every whole unit is swapped, and a lone byte is
// swapped with the zero that follows it), up to the first NUL unit. Writes at most `room` units to
// `out` (which may be null to count) and returns the number of units of the text.
size_t decode_utf16(const uint8_t* data, const text_layout& layout, uint16_t* out, size_t room);
