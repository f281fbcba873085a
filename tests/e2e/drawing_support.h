// Shared by the drawing demonstrations' tests: comparing what a program shows with a reference the
// test draws itself with the same GDI calls at the places the program's geometry gives.
#pragma once

#include "harness/checks.h"
#include "harness/harness.h"

#include <string>

namespace drawing {

using namespace harness;

// The picture shown equals the reference drawn for its size; a differing picture is saved as
// <name>-shown.bmp and <name>-wanted.bmp beside the test for looking at.
inline void expect_same_picture(const image& shown, const image& wanted, const std::wstring& name) {
    const int n = differing_pixels(shown, wanted);
    EXPECT_EQ(n, 0) << "pixels differing at " << shown.width << " x " << shown.height;
    if (n != 0) {
        save_bmp(shown, name + L"-shown.bmp");
        save_bmp(wanted, name + L"-wanted.bmp");
    }
}

inline bool is_white(uint32_t px) {
    return px == 0xFFFFFF;
}

} // namespace drawing
