// Comparing what a program drew with a reference the test drew, and reading the keyboard focus
// and caret of a program's thread.
#pragma once

#include "harness/harness.h"

namespace harness {

// Pixels inside r (clipped to both pictures) where one picture has ink and the other has not.
int ink_mismatch(const image& shown, const image& ref, RECT r);
// The same over the whole of both pictures, except the pixels inside `skip`.
int ink_mismatch_except(const image& shown, const image& ref, RECT skip);
// Saves both pictures next to the test executable, for looking at a failure.
void save_pair(const image& shown, const image& ref, const std::wstring& name);

// The focus window and the caret of the window's thread (GetGUIThreadInfo works across
// processes); the caret rectangle is in client coordinates of caret_owner.
struct gui_state {
    HWND focus = nullptr;
    HWND caret_owner = nullptr;
    RECT caret{};
};
gui_state read_gui_state(HWND hwnd);

} // namespace harness
