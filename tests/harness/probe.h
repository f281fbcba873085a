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
    // The bytes of the program's last DrawTextA call since the log started, one character each.
    PROBE_LAST_ANSI_TEXT = 19,
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
    // The types the program gave MessageBeep since the first PROBE_BEEPS query, as decimal
    // numbers one per line (0xFFFFFFFF is 4294967295).
    PROBE_BEEP_TYPES = 73,
    // Drawing objects the program made minus those it deleted since the first such query (which
    // answers 0): flat when nothing leaks.
    PROBE_GDI_NET = 72,
    // The cursor the user sees over the window while the mouse rests there: the one the thread
    // set last, as "shape count" with the shape one of "arrow", "wait", "cross", "ibeam", "none"
    // (no cursor set yet) or "other", and the thread's display count.
    PROBE_CURSOR = 74,
    // The program's SetCursor and ShowCursor calls since the previous such query (the first starts
    // watching them and answers ""), one word each: the shape set, or "show" and "hide".
    PROBE_CURSOR_CALLS = 75,
    // Faults the program met since the first such query (which starts watching and answers 0), or
    // since its first window when a watch_faults (hooks.h) lived as it started: access
    // violations, divisions by zero and the like. Wine lets a window procedure that faults go on
    // as if nothing happened, so a read past an array may show nothing.
    PROBE_FAULTS = 76,
    // The program's Sleep calls since the first such query (which starts counting and answers
    // "0\t0"): "calls\tmilliseconds asked for in all".
    PROBE_SLEEPS = 77,
    // The program's PlaySoundW calls since a watch_sounds (hooks.h) lived as it started, or since
    // the first such query: "flags\tsound\n" each, flags in decimal, sound "-" when null.
    PROBE_SOUNDS = 78,

    // 120-121: the system colours, changed inside the program's process (Wine keeps them per
    // process) the way the user would change them: every top-level window hears WM_SYSCOLORCHANGE.
    // 120 makes COLOR_BTNHIGHLIGHT pale yellow, RGB(255, 255, 160), and answers the colour it had
    // as a decimal COLORREF; 121 puts back the colour 120 found.
    PROBE_SYSCOLOR_HIGHLIGHT = 120,
    PROBE_SYSCOLOR_RESTORE = 121,

    // The window's class: style, extra bytes, background, own icon.
    PROBE_CLASS_INFO = 50,
    // "1" while input or posted messages wait in the window thread's queue, else "0".
    PROBE_INPUT_PENDING = 51,
    // Wine keeps the user's locale values per process, read once: this makes the process take
    // the user's time format as now stored (answers the format), as Windows processes do at once.
    PROBE_RELOAD_TIME_FORMAT = 52,

    // 180-189: the mouse capture and the desktop's update lock.
    // The program's thread lets go of the mouse (ReleaseCapture), as when another window takes
    // it: the window holding it is told by WM_CAPTURECHANGED. Answers "1" when there was a capture.
    PROBE_RELEASE_CAPTURE = 180,
    // Whether the program could lock the desktop against updates now ("1", and it unlocks it at
    // once) or not ("0": a lock is still held).
    PROBE_TRY_LOCK_DESKTOP = 181,
    // The program locks the desktop and keeps the lock ("1" when it got it), as another window
    // holding the update lock would; then the lock is let go again.
    PROBE_HOLD_DESKTOP_LOCK = 182,
    PROBE_DROP_DESKTOP_LOCK = 183,
    // 150-154: drawing demonstrations.
    // FillRect calls by the program since the first such query (which starts counting and
    // answers 0).
    PROBE_FILL_COUNT = 150,
    // From now on the program's CreateEllipticRgn makes nothing (returns null), as when GDI runs
    // out of room; answers "1" when in place.
    PROBE_REGIONS_FAIL = 151,
    // CreateEllipticRgn works again; answers "1".
    PROBE_REGIONS_WORK = 152,
    // RealizePalette and UpdateColors calls by the program since the first such query (which
    // starts counting): "realize\tupdate", -1 for a function the program does not import.
    PROBE_PALETTE_CALLS = 153,
    // The entries of the palette the program realised last since PROBE_PALETTE_CALLS started
    // counting, one "RRGGBB flags" line each (hexadecimal colour, decimal flags).
    PROBE_REALIZED_PALETTE = 154,

    // 30-39: printing
    PROBE_THREAD_WINDOWS = 30, // the thread's top-level windows, as they are at that moment
    PROBE_PRESS_ESCAPE = 31,   // Esc typed into the focused window; then the windows as above
    PROBE_CLICK_CANCEL = 32,   // a click on the IDCANCEL button of the thread's visible dialog
    // The device-setting blocks (hDevMode, hDevNames) that the program's print dialogs handed
    // back since the first such query (which starts watching and answers 0) and that are still
    // allocated; -1 when the program imports no PrintDlgW.
    PROBE_PRINT_BLOCKS = 33,

    // 116-119: menus and list boxes (probe_menus.cpp).
    PROBE_ENVIRONMENT = 116, // the process's environment block, one string a line
    // The pop-up menu the thread shows now: "left\ttop\n" of its window, then its items and
    // their pop-ups' items as the menu answers give them; "" when none is shown.
    PROBE_POPUP_MENU = 117,
    // The menu bar, a line "system", then the system menu: "depth\tid\tstate\ttype\tbitmap\n"
    // per item, bitmap as mono_bits_text (mono_bits.h) or "-" for an item without one.
    PROBE_MENU_BITMAPS = 118,
    // Closes the window from inside (its WM_DESTROY has run when the answer comes) and answers
    // "alive\tof": how many of the bitmaps its menus held still exist.
    PROBE_CLOSE_COUNTING_BITMAPS = 119,
    // 160-179: timers and screen reads. A program started while a held_timers (timers.h) lives
    // takes no timer message of its own; the test gives it ticks one by one. A tick repeats the
    // last timer message held for the window (the same timer id, and the callback for a callback
    // timer) through the program's own message loop.
    PROBE_TIMER_TICK = 160,    // one tick: "1" when given, "0" while none was held for the window
    PROBE_TIMER_TICK_10 = 161, // ten ticks, as above
    // Fault switches for programs that read the screen: from now on the program's GetCursorPos
    // fails (FALSE), or its GetPixel answers CLR_INVALID; PROBE_READS_WORK ends both. Answer "1".
    PROBE_FAIL_CURSOR_POS = 162,
    PROBE_FAIL_GET_PIXEL = 163,
    PROBE_READS_WORK = 164,
    // WM_PAINT messages the program took since it started, and one more while the window's
    // update region waits for its paint; counted by the same hook that holds the timers (so only
    // in programs started while a held_timers lives).
    PROBE_PAINTS = 165,
    // From now on the program's GetLocalTime tells the time of a zone where it is mid-afternoon
    // (from 15 o'clock on at the moment of the query, whatever the hour here), and its window is
    // repainted to show it. Answers the zone's hours ahead of UTC.
    PROBE_AFTERNOON_CLOCK = 166,
    // The timer messages held back for the window so far: "count\tid\tgap", the timer id of the
    // last one and the mean time in milliseconds between two held in a row (-1 while fewer than
    // two were held): the timer's period, whatever the program asked for. (A late timer message
    // is followed by an early one, so single gaps say little.)
    PROBE_TIMERS_HELD = 167,
    // Closes the window from inside (its WM_DESTROY has run when the answer comes), watching the
    // program's KillTimer calls meanwhile: answers the ids they were given, one per line.
    PROBE_CLOSE_KILLING_TIMERS = 168,
    // As above, but moved ahead by less than a minute so that its minute ends about three seconds
    // from the moment of the query. Answers the seconds it is moved ahead.
    PROBE_MINUTE_ENDING_CLOCK = 169,
    // 200-219: bitmap demonstrations.
    // The standard icon the window's class shows, compared by handle inside the program (icon
    // handles of the system's icons are the program's own): "application", "information",
    // "error", "warning", "question", "none", or "other" for any other icon.
    PROBE_CLASS_STANDARD_ICON = 200,

    // What depends on the program's own process (210-219), which may differ from the test's: a
    // 32-bit program's device structures are smaller, and each process keeps its own view of the
    // system palette.
    // "device\tPDEVICESIZE\n" for DISPLAY and each local printer, from an information context.
    PROBE_DEVICE_SIZES = 210,
    // The 256 system palette entries as the program sees them, "RRGGBB\n" each.
    PROBE_SYSTEM_PALETTE = 211,
    // The screen's DPI as the program sees it and the DPI awareness its manifest gave it:
    // "dpi\tawareness", the awareness 0 unaware, 1 system aware, 2 per-monitor aware, -1 where
    // the system cannot tell.
    PROBE_DPI = 212,

    // From now on the program's GetDeviceCaps answers TECHNOLOGY with t for every device (a
    // technology no device here has): query PROBE_TECHNOLOGY_AS + t, t from -1 to 8.
    // PROBE_TECHNOLOGY_OWN gives the devices their own again. Answer "1".
    PROBE_TECHNOLOGY_OWN = 230,
    PROBE_TECHNOLOGY_AS = 232,
    // From now on one step of the program's printing is made but answers 0, the failure a
    // spooler gives: query PROBE_PRINT_STEP_FAILS + s, s 1 StartDocW, 2 StartPage, 3 EndPage,
    // 4 EndDoc. PROBE_PRINT_STEP_FAILS itself lets every step answer as made. Answer "1".
    PROBE_PRINT_STEP_FAILS = 250,
    PROBE_PRINT_STEP_FAILS_LAST = PROBE_PRINT_STEP_FAILS + 4,
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
