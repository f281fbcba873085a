#include "harness/ink.h"

#include <algorithm>

namespace harness {

int ink_mismatch(const image& shown, const image& ref, RECT r) {
    r.left = std::max<LONG>(r.left, 0);
    r.top = std::max<LONG>(r.top, 0);
    r.right = std::min<LONG>(r.right, std::min(shown.width, ref.width));
    r.bottom = std::min<LONG>(r.bottom, std::min(shown.height, ref.height));
    int n = 0;
    for (int y = r.top; y < r.bottom; y++)
        for (int x = r.left; x < r.right; x++)
            n += is_dark(shown.at(x, y)) != is_dark(ref.at(x, y));
    return n;
}

int ink_mismatch_except(const image& shown, const image& ref, RECT skip) {
    const int w = std::min(shown.width, ref.width), h = std::min(shown.height, ref.height);
    int n = 0;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            if (x >= skip.left && x < skip.right && y >= skip.top && y < skip.bottom) continue;
            n += is_dark(shown.at(x, y)) != is_dark(ref.at(x, y));
        }
    return n;
}

void save_pair(const image& shown, const image& ref, const std::wstring& name) {
    save_bmp(shown, name + L"-shown.bmp");
    save_bmp(ref, name + L"-expected.bmp");
}

gui_state read_gui_state(HWND hwnd) {
    gui_state s;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info)) {
        s.focus = info.hwndFocus;
        s.caret_owner = info.hwndCaret;
        s.caret = info.rcCaret;
    }
    return s;
}

} // namespace harness
