// Pellaro: the smallest program of the suite. It has no window of its own; it greets the user in
// one message box and ends when the box is closed.
#include "runtime/runtime.h"

static struct {
    wchar_t* text;
    wchar_t* caption;
} g;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    str_assign(&g.text, L"Hello, Microsoft Windows!");
    str_assign(&g.caption, L"Pellaro");
    MessageBoxW(nullptr, g.text, g.caption, MB_OK);
    process_end(0);
}
