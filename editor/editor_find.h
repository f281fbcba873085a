// Find and replace in the edit control through the platform's modeless Find and Replace dialogs.
// Searches run forward from an offset, match case exactly and never wrap around.
#pragma once

#include <windows.h>

enum { FIND_TEXT_CHARS = 256 };

// The dialogs report through this registered message; taken once when the main window is created.
UINT find_register_message();

HWND open_find_dialog(HWND main_window);
HWND open_replace_dialog(HWND main_window);

// Selects the next match of the record's find text at or after *offset, scrolls it into view and
// moves *offset just past it; false (nothing changed) when there is none.
bool find_in_text(HWND edit, int* offset, const FINDREPLACEW* record);
bool find_next_text(HWND edit, int* offset); // with the last find text
// find_in_text, then the match is replaced by the record's replacement text.
bool replace_in_text(HWND edit, int* offset, const FINDREPLACEW* record);
bool has_find_text();

// 1-based position of `pattern` in `text` at or after `start`, or 0.
int position_of(const wchar_t* text, const wchar_t* pattern, int start);
