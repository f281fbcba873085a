// Zentaro built without printing: the same editor (same window class), whose Print command always
// reports that the file could not be printed.
#include "editor/editor_window.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    editor_main();
}
