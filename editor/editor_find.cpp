#include "editor/editor_find.h"
#include "runtime/runtime.h"

#include <commdlg.h>

// The texts outlive the dialogs, so each new dialog offers the last ones again; each record lives
// as long as its dialog.
static struct {
    wchar_t find_text[FIND_TEXT_CHARS];
    wchar_t replace_text[FIND_TEXT_CHARS];
    FINDREPLACEW find_record, replace_record;
} fr;

UINT find_register_message() {
    return RegisterWindowMessageW(FINDMSGSTRINGW);
}

static void prepare(FINDREPLACEW* r, HWND main_window) {
    zero_memory(r, sizeof *r);
    r->lStructSize = sizeof *r;
    r->hwndOwner = main_window;
    r->Flags = FR_HIDEUPDOWN | FR_HIDEMATCHCASE | FR_HIDEWHOLEWORD;
    r->lpstrFindWhat = fr.find_text;
    r->wFindWhatLen = FIND_TEXT_CHARS;
}

HWND open_find_dialog(HWND main_window) {
    prepare(&fr.find_record, main_window);
    return FindTextW(&fr.find_record);
}

HWND open_replace_dialog(HWND main_window) {
    prepare(&fr.replace_record, main_window);
    fr.replace_record.lpstrReplaceWith = fr.replace_text;
    fr.replace_record.wReplaceWithLen = FIND_TEXT_CHARS;
    return ReplaceTextW(&fr.replace_record);
}

bool has_find_text() {
    return fr.find_text[0] != 0;
}

int position_of(const wchar_t* text, const wchar_t* pattern, int start) {
    return str_find(text, pattern, start);
}

// The edit control's whole text as a dynamic string, or false when it cannot be had.
static bool edit_text(HWND edit, wchar_t** text) {
    int n = GetWindowTextLengthW(edit);
    auto* block = static_cast<wchar_t*>(block_alloc((n + 1) * 2));
    if (!block) return false;
    GetWindowTextW(edit, block, n + 1);
    str_assign(text, block);
    block_free(block);
    return true;
}

bool find_in_text(HWND edit, int* offset, const FINDREPLACEW* record) {
    wchar_t *text = nullptr, *pattern = nullptr;
    if (!edit_text(edit, &text)) return false;
    str_assign(&pattern, record->lpstrFindWhat);
    int p = position_of(text, pattern, *offset + 1);
    int len = int(str_length(pattern));
    str_free(text);
    str_free(pattern);
    if (p == 0) return false;
    SendMessageW(edit, EM_SETSEL, p - 1, p - 1 + len);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    *offset = p - 1 + len;
    return true;
}

bool find_next_text(HWND edit, int* offset) {
    FINDREPLACEW r;
    zero_memory(&r, sizeof r);
    r.lpstrFindWhat = fr.find_text;
    return find_in_text(edit, offset, &r);
}

bool replace_in_text(HWND edit, int* offset, const FINDREPLACEW* record) {
    if (!find_in_text(edit, offset, record)) return false;
    DWORD start = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    // wParam 0: the replacement cannot be undone.
    SendMessageW(edit, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(record->lpstrReplaceWith));
    *offset = int(start) + lstrlenW(record->lpstrReplaceWith);
    return true;
}
