// The edit control's font, chosen with the platform's font dialog. Starts as the system font.
#pragma once

#include <windows.h>

void font_init(HWND edit);
bool choose_editor_font(HWND main_window); // true when the user pressed OK
void apply_editor_font(HWND edit);
void font_cleanup();
