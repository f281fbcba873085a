#include "text/keylog.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct keylog_fixture : ::testing::Test {
    keylog_texts texts{};
    void SetUp() override {
        runtime_init_strings();
        if (!rt.program_heap) rt.program_heap = HeapCreate(0, 4096, 0);
        keylog_init_texts(&texts);
    }
    // The line of one message, as the viewer draws it.
    std::wstring line(UINT message, WPARAM wp, uint32_t lp, const wchar_t* key = L"") {
        MSG m{};
        m.message = message;
        m.wParam = wp;
        m.lParam = LPARAM(lp);
        const size_t start = rt.temp_top;
        keylog_push_line(&texts, &m, key);
        std::wstring s(temp_text(start), (rt.temp_top - start) / sizeof(wchar_t));
        rt.temp_top = start;
        return s;
    }
};

using keylog = keylog_fixture;

TEST_F(keylog, header_and_underline_line_up) {
    const std::wstring header = texts.header_text, underline = texts.underline_text;
    ASSERT_EQ(header.size(), size_t(KEYLOG_LINE_CHARS));
    ASSERT_EQ(underline.size(), size_t(KEYLOG_LINE_CHARS));
    // Every letter of a column title has an underscore below it, and nothing else has.
    for (size_t i = 0; i < header.size(); i++)
        EXPECT_EQ(header[i] != L' ', underline[i] == L'_') << "column " << i;
}

TEST_F(keylog, pressing_and_releasing_a_key) {
    EXPECT_EQ(line(WM_KEYDOWN, 'A', 0x001E0001, L"A"),
              L"WM_KEYDOWN     65 A                   1   30 No  No  Up   Down");
    EXPECT_EQ(line(WM_CHAR, 'a', 0x001E0001),
              L"WM_CHAR                  $0061 a      1   30 No  No  Up   Down");
    EXPECT_EQ(line(WM_KEYUP, 'A', 0xC01E0001, L"A"),
              L"WM_KEYUP       65 A                   1   30 No  No  Down Up  ");
    // A held key repeats with the previous state down.
    EXPECT_EQ(line(WM_KEYDOWN, 'A', 0x401E0001, L"A"),
              L"WM_KEYDOWN     65 A                   1   30 No  No  Down Down");
}

TEST_F(keylog, system_keys_and_flags) {
    EXPECT_EQ(line(WM_SYSKEYDOWN, VK_F4, 0x213E0001, L"F4"),
              L"WM_SYSKEYDOWN 115 F4                  1   62 Yes Yes Up   Down");
    EXPECT_EQ(line(WM_SYSCHAR, 'x', 0x202D0001),
              L"WM_SYSCHAR               $0078 x      1   45 No  Yes Up   Down");
    // The longest name is shown whole; the dollar sign stays in the Char column.
    EXPECT_EQ(line(WM_SYSDEADCHAR, 0x5E, 0x00280002),
              L"WM_SYSDEADCHAR           $005E ^      2   40 No  No  Up   Down");
    EXPECT_EQ(line(WM_DEADCHAR, 0xB4, 0x000D0001),
              L"WM_DEADCHAR              $00B4 \u00B4      1   13 No  No  Up   Down");
}

TEST_F(keylog, long_fields_keep_their_first_characters) {
    // The Key column is three wide, the key name fifteen; the repeat count fills its six.
    EXPECT_EQ(line(WM_KEYDOWN, 1234, 0x001EFFFF, L"A very long key name indeed"),
              L"WM_KEYDOWN    123 A very long key 65535   30 No  No  Up   Down");
    EXPECT_EQ(line(WM_CHAR, 0x12345, 0x00010001).substr(0, 31), L"WM_CHAR                  $1234 ");
}

TEST_F(keylog, every_line_is_62_characters_even_with_a_nul_character) {
    std::wstring s = line(WM_CHAR, 0, 0x00030001);
    ASSERT_EQ(s.size(), size_t(KEYLOG_LINE_CHARS));
    EXPECT_EQ(s.substr(26, 5), std::wstring(L"0000 "));
    EXPECT_EQ(s[31], L'\0');
    EXPECT_EQ(s.substr(32), L"      1    3 No  No  Up   Down");
    for (UINT m = WM_KEYDOWN; m <= WM_SYSDEADCHAR; m++)
        EXPECT_EQ(line(m, 13, 0xFFFFFFFF, L"Enter").size(), size_t(KEYLOG_LINE_CHARS)) << m;
}

TEST(keylog_log, keeps_the_newest_lines_max_records_newest_first) {
    MSG log[40] = {};
    int lines = 0;
    HWND w = reinterpret_cast<HWND>(0x1234);
    for (int i = 0; i < 1000; i++) {
        keylog_add(log, 40, &lines, w, WM_KEYDOWN, WPARAM(i), LPARAM(i * 3));
        ASSERT_EQ(lines, i + 1 < 40 ? i + 1 : 40);
    }
    for (int k = 0; k < 40; k++) {
        EXPECT_EQ(log[k].wParam, WPARAM(999 - k));
        EXPECT_EQ(log[k].lParam, LPARAM((999 - k) * 3));
        EXPECT_EQ(log[k].hwnd, w);
        EXPECT_EQ(log[k].message, UINT(WM_KEYDOWN));
    }
}

TEST(keylog_log, a_one_record_log_and_a_missing_log) {
    MSG one[2] = {};
    one[1].wParam = 77; // beyond the log: never touched
    int lines = 0;
    keylog_add(one, 1, &lines, nullptr, WM_CHAR, 'a', 1);
    keylog_add(one, 1, &lines, nullptr, WM_CHAR, 'b', 1);
    EXPECT_EQ(lines, 1);
    EXPECT_EQ(one[0].wParam, WPARAM('b'));
    EXPECT_EQ(one[1].wParam, WPARAM(77));
    lines = 0;
    keylog_add(nullptr, 40, &lines, nullptr, WM_CHAR, 'a', 1);
    EXPECT_EQ(lines, 0);
}

} // namespace
