// The protocol between the harness and its probe DLL. The harness hooks WH_GETMESSAGE of the
// program's thread with probe_hook and posts PROBE_MESSAGE_NAME to the program's window with the
// query in wParam and its own window in lParam; the probe answers with WM_COPYDATA (dwData = the
// query) holding UTF-16 text.
#pragma once

#define PROBE_MESSAGE_NAME L"SuiteHarnessProbe"

enum probe_query {
    PROBE_MENU = 1,        // the window's menu bar
    PROBE_SYSTEM_MENU = 2, // the window's system menu
    // 70-79: mouse input.
    PROBE_CURSOR_COUNT = 70, // the cursor display count of the window's thread (ShowCursor)
    PROBE_BEEPS = 71,        // calls of MessageBeep by the program since the first such query
};

// Menu answers: one line per item, "depth\tid\tstate\ttext\n", pop-ups with id -1 followed by
// their items one level deeper.
