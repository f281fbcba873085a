// What the menu programs share: the Help and About answers, and the background choice that
// oskevar's menu bar and rulvane's popup both offer.
#pragma once

#include "frame/frame.h"

// "Help not yet implemented!" with the warning icon.
void menu_help(const app_frame* f);
// An about box: the title line, a line break and the credit line, with the information icon.
void menu_about(const app_frame* f, const wchar_t* title);

// The five background items, in order, from `first` (White) to first + 4 (Black).
struct background_choice {
    UINT first;
    UINT checked;    // the check-marked item
    HBRUSH brush[5]; // stock brushes: white, light gray, gray, dark gray, black
};
void background_init(background_choice* b, UINT first);
// The item `id` of `menu` becomes the checked one and its brush the class background; the whole
// client area is repainted in it.
void background_choose(background_choice* b, HWND hwnd, HMENU menu, UINT id);
