// Helpers of the bitmap demonstrations' tests: windows placed and sized by their client area,
// pictures compared pixel by pixel, the brick wall the three brick programs show, the window
// corner that sandrel and stretch copy, and programs run without one of their resources.
#pragma once

#include "harness/harness.h"

#include <string>
#include <vector>

namespace harness {

// Starts `exe` (by default bin\<name>.exe), waits for its window of class `name` and puts it at
// (x, y) of the desktop, by default its top-left corner, with a client area of width x height,
// so that all of it is on screen for the captures.
HWND launch_placed(app& a, const wchar_t* name, int width, int height,
                   const std::wstring& exe = L"", int x = 0, int y = 0);

// The number of pixels that differ between two pictures of the same size (all of them when the
// sizes differ); `first` describes the first difference.
int differing_pixels(const image& shown, const image& expected, std::string* first = nullptr);

// The wall of 8 x 8 bricks, black on white, with the pattern's top-left pixel at (phase_x,
// phase_y) modulo 8.
image brick_wall(int width, int height, int phase_x = 0, int phase_y = 0);
// The phase at which `shown` is the brick wall throughout, or false when it is at none.
bool brick_phase(const image& shown, POINT* phase);

// What sandrel and stretch copy: the window's frame around the system-menu icon and above the
// caption, as the screen shows it now.
SIZE corner_size();
image window_corner(HWND hwnd);

// The system icon the window's class shows ("application", "information", ...), read inside the
// program.
std::wstring class_standard_icon(HWND hwnd);

// The bytes of one resource of bin\<program>.exe, empty when it has none of that name.
std::vector<uint8_t> resource_bytes(const wchar_t* program, const wchar_t* type,
                                    const wchar_t* name);

// A copy of bin\<program>.exe, in a folder of its own, in which the named resource can no longer
// be found (its name is changed); the folder is removed with the object.
class program_without_resource {
public:
    program_without_resource(const wchar_t* program, const wchar_t* type, const wchar_t* name);
    ~program_without_resource();
    const std::wstring& path() const { return path_; } // empty when the copy failed
    bool removed() const { return removed_; }

private:
    std::wstring dir_, path_;
    bool removed_ = false;
};

} // namespace harness
