// The protocol between the harness and its probe DLL. The harness hooks WH_GETMESSAGE of the
// program's thread with probe_hook and posts PROBE_MESSAGE_NAME to the program's window with the
// query in wParam and its own window in lParam; the probe answers with WM_COPYDATA (dwData = the
// query) holding UTF-16 text.
#pragma once

#define PROBE_MESSAGE_NAME L"SuiteHarnessProbe"

enum probe_query {
    PROBE_MENU = 1,        // the window's menu bar
    PROBE_SYSTEM_MENU = 2, // the window's system menu
    // 30-39: printing
    PROBE_THREAD_WINDOWS = 30, // the thread's top-level windows, as they are at that moment
    PROBE_PRESS_ESCAPE = 31,   // Esc typed into the focused window; then the windows as above
    PROBE_CLICK_CANCEL = 32,   // a click on the IDCANCEL button of the thread's visible dialog
};

// Thread-window answers: one line per visible top-level window of the program's thread,
// "class\ttitle\tenabled\tfocus_class\tcontrols\tclose_grayed\n": focus_class is the class of
// the focused window when it lies inside that window, controls its children as
// "class=text;class=text", close_grayed 1 when its system menu's Close item is grey.

// Menu answers: one line per item, "depth\tid\tstate\ttext\n", pop-ups with id -1 followed by
// their items one level deeper.
