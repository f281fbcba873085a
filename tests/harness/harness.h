// End-to-end harness: starts a program the way a user would and reads and drives it from outside
// its process, through its real windows. Every wait is bounded; whatever a test started is ended
// when the test ends, pass or fail.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>

namespace harness {

// Paths of what the build made: bin\<name>.exe and tests\fixtures\<name>.exe.
std::wstring program_path(const wchar_t* name);
std::wstring fixture_path(const wchar_t* name);

// A program started for one test, in a fresh working directory of its own. The destructor ends
// the process if it still runs and removes the directory.
class app {
public:
    app() = default;
    app(const app&) = delete;
    app& operator=(const app&) = delete;
    ~app();

    // show: the show command handed over in STARTUPINFO, or -1 for none.
    bool start(const std::wstring& exe, const std::wstring& args = L"", int show = -1);
    // Waits for a visible top-level window of the given class that belongs to this process.
    HWND wait_window(const wchar_t* class_name, DWORD timeout_ms = 15000);
    // Waits for a visible dialog (#32770) of this process other than `except`.
    HWND wait_dialog(DWORD timeout_ms = 10000, HWND except = nullptr);
    // Waits for the process to end; false on timeout.
    bool wait_exit(DWORD timeout_ms, DWORD* exit_code);
    bool running() const;
    void kill();

    HANDLE process() const { return pi_.hProcess; }
    DWORD pid() const { return pi_.dwProcessId; }
    const std::wstring& dir() const { return dir_; }
    HWND window() const { return window_; }

    // Runs with the fresh working directory before the program starts (to put files there).
    std::function<void(const std::wstring& dir)> prepare;
    // When set, the program starts in this existing folder instead of a fresh one (as a user
    // starts it where it lies); the folder is left as it is at the end.
    std::wstring workdir;

private:
    PROCESS_INFORMATION pi_{};
    std::wstring dir_;
    HWND window_ = nullptr;
};

// A step tried again after it failed (a program start that Wine lost, say): written with the
// running test's name to the suite's list of retries (the file SUITE_RETRY_LOG names), which
// ./test shows at its end. A retry is a failure at the first try, never hidden.
void note_retry(const std::string& what);

// Starts bin\<name>.exe and waits for its main window of class `name` (fails the test when it
// does not come). For programs without a window, use app::start and wait_dialog.
HWND launch(app& a, const wchar_t* name, const std::wstring& args = L"");

// ---- Windows and texts ----
std::wstring text_of(HWND hwnd); // WM_GETTEXT, across processes
std::wstring class_of(HWND hwnd);
std::vector<HWND> children(HWND parent); // all descendants, in z-order
RECT client_rect(HWND hwnd);             // the client area, in screen coordinates
void sync(HWND hwnd);                // returns when the window's thread has taken a sent message
void settle(HWND hwnd, int ms = 60); // sync, a short pause, sync again
bool wait_until(const std::function<bool()>& ready, DWORD timeout_ms = 10000);
void resize(HWND hwnd, int width, int height); // outer size, the top-left corner kept
// Resizes the window so that its client area is width x height (the top-left corner kept) and
// returns the client size reached (a window has a minimum size).
SIZE resize_client(HWND hwnd, int width, int height);
void close(HWND hwnd); // WM_CLOSE, posted

// ---- Message boxes ----
struct message_box {
    HWND hwnd = nullptr;
    std::wstring caption, text;
};
enum class box_icon { none, error, warning, information, question };
// Waits for a message box of `a` and reads its caption and text (control 0xFFFF).
message_box wait_message_box(app& a, DWORD timeout_ms = 10000);
box_icon icon_of(HWND box);      // which standard icon the box shows, compared on screen
void press(HWND dialog, int id); // a button, as WM_COMMAND posted to the dialog

// ---- Common dialogs ----
// Answers an open or save dialog of `a`: types `path` into its file-name field (control 1148, an
// edit inside a combo box in the open dialog) and presses OK. Returns the dialog, or null when
// none came or it has no file-name field.
HWND answer_file_dialog(app& a, const std::wstring& path, DWORD timeout_ms = 10000);
// The first descendant of `parent` with this control id and class.
HWND find_control(HWND parent, int id, const wchar_t* class_name);

// ---- Input ----
void post_key(HWND hwnd, UINT vk, int repeat = 1);             // WM_KEYDOWN then WM_KEYUP
void post_chars(HWND hwnd, const std::wstring& text);          // WM_CHAR for each character
void post_click(HWND hwnd, int x, int y, bool right = false);  // button down and up, client coords
void send_input_keys(HWND hwnd, const std::vector<WORD>& vks); // real keystrokes, foreground
// As a keyboard gives them: each press taken, and the character it makes posted, before its
// release is posted, so that the character always comes before the release.
void type_key(HWND hwnd, UINT vk, int repeat = 1);

// ---- Pixels ----
struct image {
    int width = 0, height = 0;
    std::vector<uint32_t> px; // 0x00RRGGBB, top-down rows
    uint32_t at(int x, int y) const { return px[size_t(y) * width + x]; }
    bool operator==(const image& o) const {
        return width == o.width && height == o.height && px == o.px;
    }
};
// The window's client area as the program left it on screen: once the program has taken every
// message posted to it and painted, captured until two captures in a row agree. Nothing is
// invalidated, so what a click, key, tick or command failed to repaint shows as it is.
image capture_client(HWND hwnd);
// The client area after the whole of it was invalidated and repainted: only for tests whose
// subject is the painting itself (a covered and uncovered window paints the same picture).
image capture_repainted(HWND hwnd);
image capture_screen(const RECT& r);
// The screen rectangle `r` (in screen coordinates) once the window's program has painted and what
// it painted has reached the screen: captured until two captures in a row agree. (Wine copies a
// window's drawing to the screen a moment after the program drew it.)
image capture_settled(HWND hwnd, const RECT& r);
// A reference drawn by the test itself with GDI on a white surface of the given size.
image render(int width, int height, const std::function<void(HDC)>& draw);
// The bounding box of the pixels for which `ink` holds; empty when there are none.
RECT bounds(const image& img, const std::function<bool(uint32_t)>& ink);
bool is_dark(uint32_t px);
// A COLORREF (0x00BBGGRR) as captured pixels hold it (0x00RRGGBB).
uint32_t px_of(COLORREF c);
void save_bmp(const image& img, const std::wstring& path); // for looking at a failure

// ---- Clipboard ----
std::wstring clipboard_text();

// ---- Inside the program: the probe ----
// Asks the probe one question (a code of probe.h) and returns its answer. `after_hooking` runs
// once the probe is hooked into the program's thread and before the question is posted, so that
// what it posts is taken by the program first.
std::wstring probe(HWND target, int query, const std::function<void()>& after_hooking = nullptr);
struct menu_item {
    int depth;  // 0 for the items of the menu itself
    int id;     // -1 for a pop-up
    UINT state; // GetMenuState
    std::wstring text;
};
// The menu bar (or the system menu) of `hwnd`, read inside its process; every pop-up's items
// follow it with depth + 1.
std::vector<menu_item> read_menu(HWND hwnd, bool system_menu = false);
// The menu bar as the user sees it on opening pop-up number `popup` (0-4): the window is sent
// WM_INITMENUPOPUP for it first, inside its process.
std::vector<menu_item> read_menu_opened(HWND hwnd, int popup);
const menu_item* find_item(const std::vector<menu_item>& menu, const std::wstring& text);

struct scroll_state {
    bool present = false; // the bar has scroll information at all
    int min = 0, max = 0, page = 0, pos = 0, track = 0;
};
// A scroll bar read inside the program (GetScrollInfo does not work across processes under Wine):
// bar is SB_VERT or SB_HORZ of the window, or SB_CTL when hwnd is a scroll-bar control.
scroll_state read_scroll(HWND hwnd, int bar);
// MessageBeep calls of the program since the first call for it (which returns 0); -1 when the
// program does not import MessageBeep.
int beeps(HWND hwnd);
// The types the program gave MessageBeep in those calls, in order.
std::vector<unsigned> beep_types(HWND hwnd);
// The decimal number at the start of each line ("0\n16" and "0\n16\n" give 0 and 16).
std::vector<unsigned> numbers_of_lines(const std::wstring& text);
// Drawing objects (and window device contexts) the program made minus those it deleted (or
// released) since the first call for it (which
// returns 0); counted inside the program, since GetGuiResources is a stub under Wine. Fails the
// test (and returns INT_MIN) when no count came.
int gdi_net(HWND hwnd);
// Returns once the window's thread has taken every message posted to it before (a sent message,
// as sync uses, overtakes posted ones).
void drain(HWND hwnd);

} // namespace harness
