// Wendral2: prints like wendral1, but keeps its window disabled while the page is spooled and
// lets the spooler's abort procedure keep the program's messages flowing meanwhile.
//
// SetAbortProc gives the printer's device context a callback that the spooler calls during the
// job; here it handles every waiting message, so the window still repaints while the page
// prints. Disabling the window with EnableWindow keeps the user from starting a second print from
// inside the first.
#include "print/print_window.h"

static struct { print_window win; } g;

// Called by the spooler while it works: every waiting message is handled; printing goes on.
static BOOL CALLBACK abort_proc(HDC, int) {
    MSG msg;
    while (pump_message(&msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return TRUE;
}

static void prepare(HWND hwnd, HDC printer) {
    EnableWindow(hwnd, FALSE); // no second print while this one runs
    SetAbortProc(printer, abort_proc);
}

static void clean_up(HWND hwnd) {
    EnableWindow(hwnd, TRUE);
}

static bool print_page(HWND hwnd) {
    return print_document(&g.win, hwnd, print_steps{prepare, clean_up});
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, USES_LIBRARIES | USES_BLOCKS);
    process_end(print_window_run(&g.win, L"wendral2", L"Print Program 2 (abort proc)",
                                 L"Wendral2: Printing", print_page));
}
