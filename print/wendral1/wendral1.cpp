// Wendral1: draws the page figure in its window and prints it on the default printer from the
// "&Print" item of its system menu, with nothing around the spooling: the window stays as it is
// while the page is printed.
#include "print/print_window.h"

static struct { print_window win; } g;

static bool print_page(HWND hwnd) {
    return print_document(&g.win, hwnd, print_steps{nullptr, nullptr});
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, USES_LIBRARIES | USES_BLOCKS);
    process_end(print_window_run(&g.win, L"wendral1", L"Print Program 1", L"Wendral1: Printing",
                                 print_page));
}
