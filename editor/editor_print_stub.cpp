// The editor built without printing: every print fails at once, without a dialog.
#include "editor/editor_print.h"

bool print_document(HINSTANCE, HWND, HWND, const wchar_t*) {
    return false;
}
