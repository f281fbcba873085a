// Zentaro: a popup text editor built on the system edit control. It opens, saves, finds and
// replaces, changes the font and prints; the file named on the command line is opened at start.
#include "editor/editor_window.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    editor_main();
}
