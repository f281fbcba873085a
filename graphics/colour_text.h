// A colour as text: its red, green and blue parts as two upper-case hexadecimal digits each.
#pragma once

#include "runtime/runtime.h"

// Appends at `at` red, green and blue of `colour` (0x00BBGGRR), each as two upper-case
// hexadecimal digits with a leading zero, joined by `separator`: "FF 00 80", "FF-80-00".
wchar_t* temp_push_colour(uint32_t colour, const wchar_t* separator, size_t at);
