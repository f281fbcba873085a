// Driving the scrolling metrics viewers: scroll messages as the scroll bars send them, and one
// full paint logged inside the program.
#pragma once

#include "metrics_expect.h"

namespace metrics_expect {

inline void scroll(HWND hwnd, UINT msg, WORD code, WORD pos = 0) {
    PostMessageW(hwnd, msg, MAKEWPARAM(code, pos), 0);
    harness::settle(hwnd);
}

inline int vpos(HWND hwnd) {
    return harness::read_scroll(hwnd, SB_VERT).pos;
}
inline int hpos(HWND hwnd) {
    return harness::read_scroll(hwnd, SB_HORZ).pos;
}

inline int client_height(HWND hwnd) {
    RECT r;
    GetClientRect(hwnd, &r);
    return r.bottom;
}
inline int client_width(HWND hwnd) {
    RECT r;
    GetClientRect(hwnd, &r);
    return r.right;
}

// The client area as it is now, without asking for a repaint, against the rows drawn with `first`
// at the top and the left origin x0.
inline int differing_now(HWND hwnd, int first, int x0, const wchar_t* name) {
    harness::image shown = harness::capture_client(hwnd);
    return differing(shown, reference(shown.width, shown.height, first, x0), name);
}

} // namespace metrics_expect
