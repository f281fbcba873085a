// Printing the edit control's lines on a printer chosen in the platform's print dialog, with a
// modeless Cancel box while the spooler works.
#pragma once

#include <windows.h>

enum {
    IDD_PRINT_TITLE = 1000, // the Cancel box's static text that shows the document title
    EDITOR_JOB_CHARS = 300, // the job name: the caption, "zentaro - " and a title of MAX_PATH
};

// True on success, on a cancelled print dialog and for a document without lines; false when
// printing failed or the user cancelled it.
bool print_document(HINSTANCE instance, HWND main_window, HWND edit, const wchar_t* title);
