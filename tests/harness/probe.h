// The protocol between the harness and its probe DLL. The harness hooks WH_GETMESSAGE of the
// program's thread with probe_hook and posts PROBE_MESSAGE_NAME to the program's window with the
// query in wParam and its own window in lParam; the probe answers with WM_COPYDATA (dwData = the
// query) holding UTF-16 text.
#pragma once

#define PROBE_MESSAGE_NAME L"SuiteHarnessProbe"

enum probe_query {
    PROBE_MENU = 1,        // the window's menu bar
    PROBE_SYSTEM_MENU = 2, // the window's system menu

    // The window's class: style, extra bytes, background, own icon.
    PROBE_CLASS_INFO = 50,
    // "1" while input or posted messages wait in the window thread's queue, else "0".
    PROBE_INPUT_PENDING = 51,
    // Wine keeps the user's locale values per process, read once: this makes the process take
    // the user's time format as now stored (answers the format), as Windows processes do at once.
    PROBE_RELOAD_TIME_FORMAT = 52,
};

// Menu answers: one line per item, "depth\tid\tstate\ttext\n", pop-ups with id -1 followed by
// their items one level deeper.

// Class answers: "style\twindow extra bytes\tbackground\towns icon\n", the background as the
// number stored in the class (a system colour index + 1, or a brush handle) and "owns icon" 1 when
// the class icon is the program's own icon resource named like the class.
