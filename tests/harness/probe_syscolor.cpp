// Inside the program: a system colour changed as the user would change it, so that the program
// hears WM_SYSCOLORCHANGE and repaints, and put back afterwards.
#include <windows.h>
#include <string>
#include "probe.h"

static COLORREF saved_highlight;
static bool saved;

void probe_syscolor_answer(WPARAM query, std::wstring& out) {
    const INT element = COLOR_BTNHIGHLIGHT;
    if (query == PROBE_SYSCOLOR_HIGHLIGHT) {
        if (!saved) saved_highlight = GetSysColor(element);
        saved = true;
        out = std::to_wstring(saved_highlight);
        const COLORREF pale_yellow = RGB(255, 255, 160);
        SetSysColors(1, &element, &pale_yellow);
    } else if (saved) {
        SetSysColors(1, &element, &saved_highlight);
        out = std::to_wstring(saved_highlight);
    }
}
