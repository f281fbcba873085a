// Shared by the drawing demonstrations' tests: comparing what a program shows with a reference the
// test draws itself with the same GDI calls at the places the program's geometry gives.
#pragma once

#include "harness/harness.h"

#include <string>

namespace drawing {

using namespace harness;

inline int differing_pixels(const image& a, const image& b) {
    if (a.width != b.width || a.height != b.height) return -1;
    int n = 0;
    for (size_t i = 0; i < a.px.size(); i++)
        n += a.px[i] != b.px[i];
    return n;
}

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

// Closing the window ends the program with exit code 0.
inline void expect_closes_with_0(app& a, HWND hwnd) {
    close(hwnd);
    DWORD code = 99;
    ASSERT_TRUE(a.wait_exit(10000, &code));
    EXPECT_EQ(code, 0u);
}

inline bool is_white(uint32_t px) {
    return px == 0xFFFFFF;
}

} // namespace drawing
