// The window the three page-printing programs share: it draws the page figure in its client area
// and prints the same figure on the default printer when the user picks "&Print" (command 1) in
// its system menu. The programs differ only in what they do around the spooling of the page.
#pragma once

#include "frame/frame.h"

// What a printing program keeps (the first member of its globals).
struct print_window {
    app_frame frame;
    int cx, cy;         // the client area, from WM_SIZE
    wchar_t* page_text; // "Hello, Printer!"
    wchar_t* failure;   // "Could not print page!"
    wchar_t* doc_name;
    DOCINFOW doc;
    // Prints one page; false when it could not be printed (the window then says so).
    bool (*print_page)(HWND hwnd);
};

// What a program does just before and just after its page is spooled.
struct print_steps {
    void (*prepare)(HWND hwnd, HDC printer);
    void (*clean_up)(HWND hwnd);
};

// The border, both diagonals, the centred ellipse reaching half-way to each edge and the text
// centred on the baseline through the middle.
void draw_page(HDC dc, int width, int height, const wchar_t* text);

// One page on the default printer with the program's steps around it; false when there is no
// default printer or a spooler step failed.
bool print_document(print_window* w, HWND hwnd, const print_steps& steps);

// The whole program after process_start: the frame with the shared window procedure and the
// plain loop. Returns the exit code.
UINT print_window_run(print_window* w, const wchar_t* class_name, const wchar_t* caption,
                      const wchar_t* doc_name, bool (*print_page)(HWND));

// Pumps the thread's messages from inside an abort procedure. A quit message taken here is
// posted again and ends the pumping, so that the main loop still sees it.
bool pump_message(MSG* msg);
