// The full editor's main window: a window covered by an edit control, with files, find and
// replace, fonts and printing. Both full editors are this window; they differ only in the print
// module they link.
#pragma once

// The whole program: start-up, the window, its loop, the end. Does not return.
[[noreturn]] void editor_main();
