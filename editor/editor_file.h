// The editor's text files: the shared Open / Save As dialog record, reading a file of any of the
// recognised encodings into the edit control, and writing the edit control's text back as UTF-16
// little-endian with a byte-order mark.
#pragma once

#include <windows.h>

enum { EDITOR_PATH_CHARS = MAX_PATH };

void file_dialog_init(HWND main_window);
bool open_file_dialog(HWND main_window, wchar_t* file_name, wchar_t* title_name);
bool save_file_dialog(HWND main_window, wchar_t* file_name, wchar_t* title_name);

// The whole file becomes the edit control's text; false (and the control unchanged) when the file
// cannot be opened or read completely.
bool read_text_file(HWND edit, const wchar_t* path);
// True only when every byte was written. The text goes to a new file beside the target, which
// replaces the target only once it is complete, so a failed save leaves the old file as it was.
bool write_text_file(HWND edit, const wchar_t* path);
