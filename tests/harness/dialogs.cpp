#include "harness/dialogs.h"

#include <algorithm>

namespace harness {

HWND open_dialog(app& a, HWND main, int command) {
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    HWND dlg = a.wait_dialog();
    if (dlg) settle(dlg);
    return dlg;
}

bool wait_gone(HWND hwnd, DWORD timeout_ms) {
    return wait_until([&] { return !IsWindow(hwnd); }, timeout_ms);
}

RECT rect_in(HWND outer, HWND inner) {
    RECT r{};
    GetWindowRect(inner, &r);
    MapWindowPoints(nullptr, outer, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int count_px(const image& img, RECT r, uint32_t px) {
    int n = 0;
    for (int y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, img.height); y++)
        for (int x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, img.width); x++)
            n += img.at(x, y) == px;
    return n;
}

HWND child_of_class(HWND parent, const wchar_t* class_name) {
    for (HWND c : children(parent))
        if (_wcsicmp(class_of(c).c_str(), class_name) == 0) return c;
    return nullptr;
}

bool is_checked(HWND dialog, int id) {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
    return state == BST_CHECKED;
}

} // namespace harness
