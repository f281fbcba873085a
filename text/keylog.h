// The keyboard viewers' log: the newest keyboard messages that reached the window, newest first,
// and the fixed-width line that shows one of them under the column header. Pure text and memory
// work, no window calls: the key name is looked up by the caller.
#pragma once

#include "runtime/runtime.h"

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(MSG) == 28, "a logged message is a 28-byte MSG record on 32-bit Windows");
#endif

// Every line, header included, is this many characters wide.
enum { KEYLOG_LINE_CHARS = 62 };

// The constant texts, dynamic strings assigned once at start-up.
struct keylog_texts {
    wchar_t* yes_text;
    wchar_t* no_text;
    wchar_t* down_text;
    wchar_t* up_text;
    wchar_t* header_text;
    wchar_t* underline_text;
    wchar_t** message_names; // array of 8, indexed by message number - WM_KEYDOWN
};
void keylog_init_texts(keylog_texts* t);

// WM_KEYDOWN ... WM_SYSDEADCHAR, the eight messages that are logged.
bool keylog_is_logged(UINT message);
// WM_CHAR, WM_DEADCHAR, WM_SYSCHAR, WM_SYSDEADCHAR: lines that show a character, not a key.
bool keylog_is_char_message(UINT message);

// Moves every record one place older (the oldest of `lines_max` falls off) and stores the message
// as record 0; `lines` counts the records held, at most `lines_max`. A missing log keeps nothing.
void keylog_add(MSG* log, int lines_max, int* lines, HWND hwnd, UINT message, WPARAM wp, LPARAM lp);

// Appends the line of one record at the top of the temporary area (KEYLOG_LINE_CHARS characters;
// a character line may hold a NUL character, so use the length, not the terminator). key_name is
// what the system calls the key of a key message; character messages ignore it.
void keylog_push_line(const keylog_texts* t, const MSG* record, const wchar_t* key_name);
