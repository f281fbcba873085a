// Waiting for a program to take in what a test typed or clicked. Keystrokes and clicks wait in the
// program's input queue behind anything it is busy with, and a sent message overtakes them, so
// sync() alone does not mean they were handled.
#pragma once

#include <windows.h>

namespace harness {

// Returns true once the thread of `hwnd` has handled every keystroke, click and posted message
// queued for it so far (asked inside its process through the probe); false on timeout.
bool wait_input_handled(HWND hwnd, DWORD timeout_ms = 10000);

} // namespace harness
