#include "controls/menu_demo.h"

void menu_help(const app_frame* f) {
    frame_message(f, L"Help not yet implemented!", MB_ICONWARNING);
}

void menu_about(const app_frame* f, const wchar_t* title) {
    const size_t start = rt.temp_top;
    temp_push_at(title, start);
    temp_push(L"\n");
    temp_push(L"A small demonstration of Windows menus");
    frame_message(f, temp_text(start), MB_ICONINFORMATION);
    rt.temp_top = start;
}

void background_init(background_choice* b, UINT first) {
    static const int stock[5] = {WHITE_BRUSH, LTGRAY_BRUSH, GRAY_BRUSH, DKGRAY_BRUSH, BLACK_BRUSH};
    b->first = first;
    b->checked = first;
    for (int i = 0; i < 5; i++)
        b->brush[i] = static_cast<HBRUSH>(GetStockObject(stock[i]));
}

void background_choose(background_choice* b, HWND hwnd, HMENU menu, UINT id) {
    CheckMenuItem(menu, b->checked, MF_UNCHECKED);
    CheckMenuItem(menu, id, MF_CHECKED);
    b->checked = id;
    // A stock brush: the class never owns it, so nothing is deleted when it changes again.
    SetClassLongPtrW(hwnd, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(b->brush[id - b->first]));
    InvalidateRect(hwnd, nullptr, TRUE);
}
