// Reading the text-output programs from inside: the texts they draw.
#pragma once

#include "harness/harness.h"

namespace harness {

// One TextOutW call of the program: where, with which text alignment, what.
struct text_call {
    int x, y;
    UINT align;
    std::wstring text;
};
// From now on every TextOutW of the program is logged (the log starts empty).
void start_text_log(HWND hwnd);
std::vector<text_call> text_log(HWND hwnd);
// The bytes the program's last DrawTextA call drew since the log started ("" when none).
std::string last_ansi_text(HWND hwnd);
// The first logged call drawing exactly `text`, or null.
const text_call* find_call(const std::vector<text_call>& log, const std::wstring& text);

// The measures of a device context's default (system) font, as the programs compute them.
struct font_measures {
    int cx_char, cx_caps, cy_char;
};
font_measures system_font_measures();

// A signed decimal right-aligned in `width` characters (never cut).
std::wstring number_column(long long value, size_t width);

} // namespace harness
