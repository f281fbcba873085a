#include "text/keylog.h"

void keylog_init_texts(keylog_texts* t) {
    static const wchar_t* const names[8] = {
        L"WM_KEYDOWN",    L"WM_KEYUP",    L"WM_CHAR",    L"WM_DEADCHAR",
        L"WM_SYSKEYDOWN", L"WM_SYSKEYUP", L"WM_SYSCHAR", L"WM_SYSDEADCHAR",
    };
    str_assign(&t->yes_text, L"Yes");
    str_assign(&t->no_text, L"No");
    str_assign(&t->down_text, L"Down");
    str_assign(&t->up_text, L"Up");
    str_assign(&t->header_text, L"Message        Key       Char    Repeat Scan Ext ALT Prev Tran");
    str_assign(&t->underline_text,
               L"_______        ___       ____    ______ ____ ___ ___ ____ ____");
    void** owner = reinterpret_cast<void**>(&t->message_names);
    if (!array_create(8, sizeof(wchar_t*), nullptr, owner, KIND_STRING)) return;
    for (int i = 0; i < 8; i++)
        str_assign(&t->message_names[i], names[i]);
}

bool keylog_is_logged(UINT message) {
    return message >= WM_KEYDOWN && message <= WM_SYSDEADCHAR;
}

bool keylog_is_char_message(UINT message) {
    return message == WM_CHAR || message == WM_DEADCHAR || message == WM_SYSCHAR ||
           message == WM_SYSDEADCHAR;
}

void keylog_add(MSG* log, int lines_max, int* lines, HWND hwnd, UINT message, WPARAM wp,
                LPARAM lp) {
    if (!log || lines_max <= 0) return;
    // Highest first, so nothing is overwritten before it has moved.
    for (int i = lines_max - 2; i >= 0; i--)
        log[i + 1] = log[i];
    MSG record{};
    record.hwnd = hwnd;
    record.message = message;
    record.wParam = wp;
    record.lParam = lp;
    log[0] = record;
    if (*lines < lines_max) ++*lines;
}

// A number right-aligned in a column.
static void push_number(uint64_t value, int width) {
    const size_t at = rt.temp_top;
    temp_push_udec64(value, at);
    pad_left_spaces(temp_text(at), width, at);
}

// A blank, then one of two words left-aligned in a column.
static void push_flag(bool set, const wchar_t* if_set, const wchar_t* if_clear, int width) {
    temp_push(L" ");
    pad_right_spaces(set ? if_set : if_clear, width, rt.temp_top);
}

void keylog_push_line(const keylog_texts* t, const MSG* record, const wchar_t* key_name) {
    const UINT message = record->message;
    const uint32_t lp = static_cast<uint32_t>(record->lParam);
    const wchar_t* name = t->message_names ? t->message_names[message - WM_KEYDOWN] : nullptr;
    if (keylog_is_char_message(message)) {
        // The name column runs up to the dollar sign, so WM_SYSDEADCHAR (14 letters) fits whole.
        pad_right_spaces(name, 25, rt.temp_top);
        temp_push(L"$");
        const size_t at = rt.temp_top;
        temp_push_hex64(record->wParam, at);
        temp_push_right_aligned(temp_text(at), 4, L"0", at);
        temp_push(L" ");
        temp_push_char(static_cast<wchar_t>(LOWORD(record->wParam)), rt.temp_top);
        temp_push(L" ");
    } else {
        pad_right_spaces(name, 13, rt.temp_top);
        temp_push(L" ");
        push_number(record->wParam, 3);
        temp_push(L" ");
        pad_right_spaces(key_name, 15, rt.temp_top);
    }
    push_number(LOWORD(lp), 6);
    temp_push(L" ");
    push_number((lp >> 16) & 0xFF, 4);
    push_flag(lp & (1u << 24), t->yes_text, t->no_text, 3);
    push_flag(lp & (1u << 29), t->yes_text, t->no_text, 3);
    push_flag(lp & (1u << 30), t->down_text, t->up_text, 4);
    push_flag(lp & (1u << 31), t->up_text, t->down_text, 4);
}
