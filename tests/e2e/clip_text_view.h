// What the clipboard text programs should show: a text drawn with DrawTextW in the window's
// default font over the whole client area, compared with the screen ink for ink.
#pragma once

#include "harness/clip_peers.h"
#include "harness/harness.h"
#include "harness/ink.h"

namespace clip_text_view {

using namespace harness;

// `length` -1: up to the terminator.
inline image text_picture(int w, int h, const std::wstring& text, UINT flags) {
    return render(w, h, [&](HDC dc) {
        RECT r{0, 0, w, h};
        DrawTextW(dc, text.c_str(), int(text.size()), &r, flags);
    });
}

// Waits (bounded) until the window, as the program left it, shows `text`; reports the pixels
// that differ and saves both pictures when it never does.
inline int shows_text(HWND hwnd, const std::wstring& text, UINT flags, const wchar_t* name) {
    int bad = -1;
    image shown, ref;
    wait_until(
        [&] {
            shown = capture_client(hwnd);
            ref = text_picture(shown.width, shown.height, text, flags);
            bad = ink_mismatch(shown, ref, RECT{0, 0, shown.width, shown.height});
            return bad == 0;
        },
        10000);
    if (bad) save_pair(shown, ref, name);
    return bad;
}

} // namespace clip_text_view
