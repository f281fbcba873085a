// Helpers of the bitmap programs' tests: test files in a program's folder, the open and save
// dialogs driven through a menu command, and pictures compared with what the screen shows.
#pragma once

#include "harness/harness.h"
#include "harness/bmp_images.h"

namespace harness {

std::wstring widen(const std::string& s);
void write_bytes(const std::wstring& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> read_bytes(const std::wstring& path);
// The names of the files in a folder.
std::vector<std::wstring> files_in(const std::wstring& dir);

using named_bytes = std::vector<std::pair<std::string, std::vector<uint8_t>>>;
// Starts bin\<name>.exe with these files in its working directory, at the top-left corner of
// the desktop with this outer size.
HWND launch_with_files(app& a, const wchar_t* name, const named_bytes& files, int width = 420,
                       int height = 330);
named_bytes named(const std::vector<bmp::file>& files);

// Posts the menu command and answers the file dialog it opens with `path`; waits until the
// program has taken the answer (for a long load, until it is idle again). False when no dialog
// came.
bool choose_file(app& a, HWND hwnd, int command, const std::wstring& path);
// Sends a menu command that opens no dialog and returns once the program has carried it out.
void command(HWND hwnd, int id);
// The same for a file the program refuses: the message box that follows the dialog (null hwnd
// when none came).
message_box choose_file_for_message(app& a, HWND hwnd, int command, const std::wstring& path);
// Presses OK on a message box and waits until it is gone.
void dismiss(const message_box& box);

// Pixels of `shown` that differ from the picture placed with its top-left corner at (x0, y0);
// only the part inside `shown` counts. `first` receives the first difference, for messages.
int differing(const image& shown, const bmp::picture& p, int x0, int y0,
              std::string* first = nullptr);
// True when every pixel of the rectangle is `colour`.
bool all_of(const image& shown, RECT r, uint32_t colour);
// The background of the programs' windows (COLOR_WINDOW).
uint32_t window_colour();

} // namespace harness
