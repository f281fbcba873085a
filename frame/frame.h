// The application frame every windowed program follows: one class, one main window shown with
// SW_SHOW, one message loop whose last message parameter is the exit code, and two fixed start-up
// failure messages.
//
// A program keeps an app_frame as the first member of its globals and runs:
//
//     process_start(&g, sizeof g, 0);
//     frame_init(&g.frame, L"quenlor", L"The Hello Program", wnd_proc);
//     if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW))
//         frame_loop(&g.frame);
//     process_end(frame_exit_code(&g.frame));
//
// Deviations (icon, background, class menu, extra bytes) are set in g.frame.wc between frame_init
// and frame_register; frame_create takes the style, position and creation parameter.
#pragma once

#include "runtime/runtime.h"

struct app_frame {
    wchar_t* class_name; // dynamic strings
    wchar_t* caption;
    wchar_t* menu_name;
    HWND hwnd;    // the main window
    HACCEL accel; // the accelerator table named like the class, for the accelerator loops
    HWND dialog;  // a modeless dialog in front of the accelerators (find/replace, main dialog)
    WNDCLASSW wc; // the class record
    MSG msg;      // the message record; its wParam is the exit code
    WNDPROC proc; // the program's window procedure, called by the class's own
};

// Assigns the class name and caption and fills the class record with the defaults: style
// CS_HREDRAW | CS_VREDRAW, the application icon, the arrow cursor, COLOR_WINDOW + 1, no menu.
void frame_init(app_frame* f, const wchar_t* class_name, const wchar_t* caption, WNDPROC proc);
// Makes the class menu the resource named like the class (lpszMenuName = the class name).
void frame_use_class_menu(app_frame* f);

// RegisterClassW; on failure "Cannot register window class!" and false.
bool frame_register(app_frame* f);
// CreateWindowExW(0, class, caption, style, ...), then ShowWindow(SW_SHOW) and UpdateWindow;
// on failure "Unable to create main window." and false.
bool frame_create(app_frame* f, DWORD style, int x = CW_USEDEFAULT, int y = CW_USEDEFAULT,
                  int width = CW_USEDEFAULT, int height = CW_USEDEFAULT, void* param = nullptr);
// The main window made from a dialog template whose CLASS is the program's class (registered with
// DLGWINDOWEXTRA bytes); then ShowWindow(SW_SHOW) and UpdateWindow.
bool frame_create_dialog(app_frame* f, const wchar_t* template_name);

// The message loops. Each runs until GetMessageW returns 0 or -1 and leaves the last message in
// f->msg.
void frame_loop(app_frame* f);              // plain
void frame_loop_accelerators(app_frame* f); // the accelerator table named like the class
// f->dialog, when set, takes its messages first; then the accelerators (the editor's find dialog).
void frame_loop_find_accelerators(app_frame* f);
// A modeless dialog made from `template_name`, owned by the main window, in front of the loop.
void frame_loop_modeless(app_frame* f, const wchar_t* template_name, DLGPROC proc);
// PeekMessageW; when no message waits, `idle` runs.
void frame_loop_idle(app_frame* f, void (*idle)());

inline UINT frame_exit_code(const app_frame* f) {
    return static_cast<UINT>(f->msg.wParam);
}

// A message box captioned with the class name, as every message of a program is, owned by the
// main window once it exists.
int frame_message(const app_frame* f, const wchar_t* text, UINT flags);
