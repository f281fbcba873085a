// How file bytes become the editor's text: the marks, the big-endian swap, where a text ends.
#include "editor/text_decode.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

std::string bytes(std::initializer_list<int> b) {
    std::string s;
    for (int c : b)
        s += char(c);
    return s;
}

// The file as the editor holds it (two zero bytes after the end), decoded as UTF-16.
std::u16string utf16_of(const std::string& file) {
    std::string block = file + std::string(2, '\0');
    auto* p = reinterpret_cast<const uint8_t*>(block.data());
    text_layout t = analyse_text(p, file.size(), mark_flags_of(p, file.size()));
    size_t len = decode_utf16(p, t, nullptr, 0);
    std::u16string out(len, u'?');
    EXPECT_EQ(decode_utf16(p, t, reinterpret_cast<uint16_t*>(out.data()), len), len);
    return out;
}

text_layout layout_of(const std::string& file) {
    auto* p = reinterpret_cast<const uint8_t*>(file.data());
    return analyse_text(p, file.size(), mark_flags_of(p, file.size()));
}

} // namespace

TEST(text_decode, marks_agree_with_the_platform_text_test) {
    // The editor asks the platform for the two signatures only; the native decision must match it
    // for every possible first two bytes.
    for (int a = 0; a < 256; a++)
        for (int b = 0; b < 256; b++) {
            uint8_t buf[6] = {uint8_t(a), uint8_t(b), 'x', 0, 0, 0};
            INT flags = IS_TEXT_UNICODE_SIGNATURE | IS_TEXT_UNICODE_REVERSE_SIGNATURE;
            IsTextUnicode(buf, 4, &flags);
            ASSERT_EQ(uint32_t(flags) & 0x88, mark_flags_of(buf, 4)) << a << " " << b;
        }
    uint8_t one[3] = {0xFF, 0, 0};
    EXPECT_EQ(mark_flags_of(one, 1), 0u);
}

TEST(text_decode, utf16_files_with_a_mark) {
    EXPECT_EQ(utf16_of(bytes({0xFF, 0xFE})), u"");
    EXPECT_EQ(utf16_of(bytes({0xFF, 0xFE, 'H', 0, 'i', 0})), u"Hi");
    EXPECT_EQ(utf16_of(bytes({0xFE, 0xFF, 0, 'A', 0, 'B'})), u"AB");
    EXPECT_EQ(utf16_of(bytes({0xFE, 0xFF, 0x20, 0xAC, 0x00, 0xE9})), u"\u20AC\u00E9");
    // Stops at the first NUL unit.
    EXPECT_EQ(utf16_of(bytes({0xFF, 0xFE, 'X', 0, 0, 0, 'Y', 0})), u"X");
    EXPECT_EQ(utf16_of(bytes({0xFE, 0xFF, 0, 'X', 0, 0, 0, 'Y'})), u"X");
}

TEST(text_decode, odd_lengths_of_big_endian_text) {
    // The final odd byte of a longer text keeps its place (low byte of the last unit) ...
    EXPECT_EQ(utf16_of(bytes({0xFE, 0xFF, 0, 'A', 'B'})), u"AB");
    EXPECT_EQ(utf16_of(bytes({0xFF, 0xFE, 'A', 0, 'B'})), u"AB");
    // ... while a lone byte is swapped with the zero after it.
    EXPECT_EQ(utf16_of(bytes({0xFE, 0xFF, 0x41})), u"\u4100");
    EXPECT_EQ(utf16_of(bytes({0xFF, 0xFE, 0x41})), u"A");
}

TEST(text_decode, byte_texts_end_at_a_zero_byte) {
    text_layout t = layout_of("");
    EXPECT_EQ(t.encoding, TEXT_ANSI);
    EXPECT_EQ(t.bytes, 0u);
    t = layout_of(std::string("ab\0cd", 5));
    EXPECT_EQ(t.encoding, TEXT_ANSI);
    EXPECT_EQ(t.offset, 0u);
    EXPECT_EQ(t.bytes, 2u);
    // UTF-16 without a mark is read as bytes: it ends at its first zero byte.
    t = layout_of(std::string("A\0B\0", 4));
    EXPECT_EQ(t.encoding, TEXT_ANSI);
    EXPECT_EQ(t.bytes, 1u);
    t = layout_of("caf\xE9");
    EXPECT_EQ(t.bytes, 4u);
}

TEST(text_decode, utf8_mark_is_skipped_and_only_a_whole_mark_counts) {
    text_layout t = layout_of("\xEF\xBB\xBFna\xC3\xAFve");
    EXPECT_EQ(t.encoding, TEXT_UTF8);
    EXPECT_EQ(t.offset, 3u);
    EXPECT_EQ(t.bytes, 6u);
    t = layout_of("\xEF\xBB\xBF");
    EXPECT_EQ(t.encoding, TEXT_UTF8);
    EXPECT_EQ(t.bytes, 0u);
    t = layout_of("\xEF\xBB");
    EXPECT_EQ(t.encoding, TEXT_ANSI);
    EXPECT_EQ(t.bytes, 2u);
    t = layout_of("na\xEFve"); // no mark and not UTF-8: the ANSI path
    EXPECT_EQ(t.encoding, TEXT_ANSI);
}

TEST(text_decode, decoding_never_writes_beyond_its_room) {
    std::string file = bytes({0xFF, 0xFE, 'a', 0, 'b', 0, 'c', 0, 0, 0});
    auto* p = reinterpret_cast<const uint8_t*>(file.data());
    text_layout t = analyse_text(p, 8, MARK_UTF16_LE);
    uint16_t out[3] = {0xEEEE, 0xEEEE, 0xEEEE};
    EXPECT_EQ(decode_utf16(p, t, out, 2), 3u);
    EXPECT_EQ(out[0], 'a');
    EXPECT_EQ(out[1], 'b');
    EXPECT_EQ(out[2], 0xEEEE);
}

// A file without a mark is read as UTF-8 only when all of it is well-formed UTF-8 with at least
// one character beyond ASCII; anything else goes to the ANSI code page as before, and the marks
// still decide first.
TEST(text_decode, utf8_without_a_mark_is_recognised_only_when_well_formed) {
    const struct {
        const char* what;
        std::string file;
        text_encoding want;
        size_t offset;
    } cases[] = {
        {"Russian", "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82\r\n", TEXT_UTF8, 0},
        {"German",
         "Gr\xC3\xBC\xC3\x9F"
         "e",
         TEXT_UTF8, 0},
        {"Japanese", "\xE3\x81\x93\xE3\x82\x93\xE3\x81\xAB\xE3\x81\xA1\xE3\x81\xAF", TEXT_UTF8, 0},
        {"four bytes", "a\xF0\x9F\x98\x80z", TEXT_UTF8, 0},
        {"highest", "\xF4\x8F\xBF\xBF", TEXT_UTF8, 0},
        {"pure ASCII", "plain text\r\n", TEXT_ANSI, 0},
        {"Windows-1252",
         "Gr\xFC\xDF"
         "e caf\xE9",
         TEXT_ANSI, 0},
        {"lone continuation byte",
         "ab\x80"
         "cd \xC3\xA9",
         TEXT_ANSI, 0},
        {"overlong slash", "\xC0\xAF \xC3\xA9", TEXT_ANSI, 0},
        {"overlong three bytes", "\xE0\x80\xAF \xC3\xA9", TEXT_ANSI, 0},
        {"overlong four bytes", "\xF0\x8F\xBF\xBF", TEXT_ANSI, 0},
        {"surrogate", "\xED\xA0\x80 \xC3\xA9", TEXT_ANSI, 0},
        {"past U+10FFFF", "\xF4\x90\x80\x80", TEXT_ANSI, 0},
        {"F5 and up", "\xF5\x80\x80\x80", TEXT_ANSI, 0},
        {"cut short at the end", "\xC3\xA9 caf\xE2\x82", TEXT_ANSI, 0},
        {"UTF-8 mark",
         "\xEF\xBB\xBF"
         "abc",
         TEXT_UTF8, 3},
        {"UTF-16 mark wins", "\xFF\xFE\xC3\xA9", TEXT_UTF16_LE, 2},
    };
    for (const auto& c : cases) {
        const text_layout t = layout_of(c.file);
        EXPECT_EQ(t.encoding, c.want) << c.what;
        EXPECT_EQ(t.offset, c.offset) << c.what;
    }
    // What the editor then shows: the platform's UTF-8 conversion of the whole text.
    const std::string russian = cases[0].file;
    wchar_t shown[32] = L"";
    const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, russian.data(),
                                      int(layout_of(russian).bytes), shown, 32);
    EXPECT_EQ(std::wstring(shown, n), L"\u041F\u0440\u0438\u0432\u0435\u0442\r\n");
}
