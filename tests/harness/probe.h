// The protocol between the harness and its probe DLL. The harness hooks WH_GETMESSAGE of the
// program's thread with probe_hook and posts PROBE_MESSAGE_NAME to the program's window with the
// query in wParam and its own window in lParam; the probe answers with WM_COPYDATA (dwData = the
// query) holding UTF-16 text.
#pragma once

#define PROBE_MESSAGE_NAME L"SuiteHarnessProbe"

enum probe_query {
    PROBE_MENU = 1,        // the window's menu bar
    PROBE_SYSTEM_MENU = 2, // the window's system menu
    PROBE_PING = 3,        // nothing: the answer comes once everything posted before is taken

    // Text output programs (10-19).
    // Scroll-bar state lives in the window's own process: "min\tmax\tpage\tpos\ttrackpos", or ""
    // when the bar has none.
    PROBE_VSCROLL = 10,        // the window's vertical scroll bar
    PROBE_HSCROLL = 11,        // the window's horizontal scroll bar
    PROBE_CTL_SCROLL = 18,     // the window asked is a scroll-bar control
    PROBE_TEXT_LOG_START = 12, // log every TextOutW of the program from now on ("1" when hooked)
    PROBE_TEXT_LOG = 13,       // the log: "x\ty\ttext-align\ttext\n" per call
    // The process's own wheel setting (SPI_SETWHEELSCROLLLINES without announcing it): 0, 1 or 3
    // lines a notch, or a page a notch. Wine keeps system parameters per process, so a setting
    // changed elsewhere is not seen by a running program. Answer "1" when set.
    PROBE_WHEEL_LINES_0 = 14,
    PROBE_WHEEL_LINES_1 = 15,
    PROBE_WHEEL_LINES_3 = 16,
    PROBE_WHEEL_PAGE = 17,

    // 40-44: the window's menu bar after the window was sent WM_INITMENUPOPUP for its pop-up
    // number (query - 40), as when the user opens that pop-up.
    PROBE_MENU_AFTER_POPUP = 40,
    PROBE_MENU_AFTER_POPUP_LAST = 44,
    // 70-79: mouse input.
    PROBE_CURSOR_COUNT = 70, // the cursor display count of the window's thread (ShowCursor)
    PROBE_BEEPS = 71,        // calls of MessageBeep by the program since the first such query
    // Drawing objects the program made minus those it deleted since the first such query (which
    // answers 0): flat when nothing leaks.
    PROBE_GDI_NET = 72,

    // The window's class: style, extra bytes, background, own icon.
    PROBE_CLASS_INFO = 50,
    // "1" while input or posted messages wait in the window thread's queue, else "0".
    PROBE_INPUT_PENDING = 51,
    // Wine keeps the user's locale values per process, read once: this makes the process take
    // the user's time format as now stored (answers the format), as Windows processes do at once.
    PROBE_RELOAD_TIME_FORMAT = 52,

    // 150-154: drawing demonstrations.
    // FillRect calls by the program since the first such query (which starts counting and
    // answers 0).
    PROBE_FILL_COUNT = 150,
    // From now on the program's CreateEllipticRgn makes nothing (returns null), as when GDI runs
    // out of room; answers "1" when in place.
    PROBE_REGIONS_FAIL = 151,
    // CreateEllipticRgn works again; answers "1".
    PROBE_REGIONS_WORK = 152,

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

// Class answers: "style\twindow extra bytes\tbackground\towns icon\n", the background as the
// number stored in the class (a system colour index + 1, or a brush handle) and "owns icon" 1 when
// the class icon is the program's own icon resource named like the class.
