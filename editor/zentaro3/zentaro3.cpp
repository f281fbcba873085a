// Zentaro built without printing: the same editor (same window class), whose Print command always
// reports that the file could not be printed.
//
// The whole editor lives in the shared modules; this program differs from zentaro only in what
// it links: the printing module is replaced at link time by a stub whose print_document fails
// at once. It shows how one window procedure serves two programs, and how the editor's failure
// path (a message box, the document untouched) looks to the user.
#include "editor/editor_window.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    editor_main();
}
