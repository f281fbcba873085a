// Vaskell: the screen's size in pixels, told in one message box. It has no window of its own:
// GetSystemMetrics answers SM_CXSCREEN and SM_CYSCREEN without any device context, and
// MessageBoxW with no owner is a complete user interface by itself. The sentence is built in the
// runtime's temporary text area, piece by piece, numbers included.
#include "runtime/runtime.h"

static struct {
    int unused; // the program keeps no variables of its own
} g;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    const int cx = GetSystemMetrics(SM_CXSCREEN);
    const int cy = GetSystemMetrics(SM_CYSCREEN);
    const size_t start = rt.temp_top;
    temp_push(L"The screen is ");
    temp_push_dec(cx, rt.temp_top);
    temp_push_at(L" pixels wide by ", rt.temp_top);
    temp_push_dec(cy, rt.temp_top);
    temp_push_at(L" pixels high.", rt.temp_top);
    MessageBoxW(nullptr, temp_text(start), L"Vaskell", MB_OK);
    rt.temp_top = start;
    process_end(0);
}
