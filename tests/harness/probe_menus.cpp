// Probe answers for the menu and list programs: the environment the program sees, the pop-up menu
// it is showing, the bitmaps of its menu items, and whether closing the window deletes them.
#include <windows.h>
#include <string>
#include <vector>
#include "probe.h"
#include "mono_bits.h"

// "depth\tid\tstate\ttype\tbitmap\n" per item, pop-ups (id -1) followed by their items; bitmap is
// mono_bits_text of the item's bitmap, or "-" for an item that has none.
static void dump_bitmap_items(HMENU menu, int depth, std::wstring& out) {
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; i++) {
        MENUITEMINFOW mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_FTYPE | MIIM_BITMAP | MIIM_SUBMENU | MIIM_ID;
        GetMenuItemInfoW(menu, UINT(i), TRUE, &mi);
        const int id = mi.hSubMenu ? -1 : int(mi.wID);
        out += std::to_wstring(depth) + L"\t" + std::to_wstring(id) + L"\t" +
               std::to_wstring(GetMenuState(menu, UINT(i), MF_BYPOSITION)) + L"\t" +
               std::to_wstring(mi.fType) + L"\t" +
               ((mi.fType & MFT_BITMAP) ? mono_bits_text(mi.hbmpItem) : L"-") + L"\n";
        if (mi.hSubMenu) dump_bitmap_items(mi.hSubMenu, depth + 1, out);
    }
}

static void collect_bitmaps(HMENU menu, std::vector<HBITMAP>& found) {
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; i++) {
        MENUITEMINFOW mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_FTYPE | MIIM_BITMAP | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(menu, UINT(i), TRUE, &mi)) continue;
        if ((mi.fType & MFT_BITMAP) && mi.hbmpItem) found.push_back(mi.hbmpItem);
        if (mi.hSubMenu) collect_bitmaps(mi.hSubMenu, found);
    }
}

// Closes the window from inside its own thread, so that its WM_DESTROY has run when this returns,
// and answers "still alive\tof" for the bitmaps its menus held.
static void close_counting_bitmaps(HWND hwnd, std::wstring& out) {
    std::vector<HBITMAP> bitmaps;
    collect_bitmaps(GetMenu(hwnd), bitmaps);
    collect_bitmaps(GetSystemMenu(hwnd, FALSE), bitmaps);
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    int alive = 0;
    for (HBITMAP b : bitmaps)
        if (GetObjectType(b) != 0) alive++;
    out = std::to_wstring(alive) + L"\t" + std::to_wstring(bitmaps.size());
}

struct popup_search {
    HWND found;
};

static BOOL CALLBACK find_popup(HWND hwnd, LPARAM lp) {
    wchar_t cls[16] = L"";
    GetClassNameW(hwnd, cls, 16);
    if (IsWindowVisible(hwnd) && lstrcmpW(cls, L"#32768") == 0) {
        reinterpret_cast<popup_search*>(lp)->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The menu of the pop-up window the thread shows: "left\ttop\n" of the window, then its items as
// the menu answers give them.
static void dump_popup(std::wstring& out) {
    popup_search s{nullptr};
    EnumThreadWindows(GetCurrentThreadId(), find_popup, reinterpret_cast<LPARAM>(&s));
    if (!s.found) return;
    RECT r;
    GetWindowRect(s.found, &r);
    out = std::to_wstring(r.left) + L"\t" + std::to_wstring(r.top) + L"\n";
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(s.found, MN_GETHMENU, 0, 0));
    const int n = menu ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < n; i++) {
        wchar_t text[256] = L"";
        GetMenuStringW(menu, UINT(i), text, 256, MF_BYPOSITION);
        HMENU sub = GetSubMenu(menu, i);
        out += L"0\t" + std::to_wstring(sub ? -1 : int(GetMenuItemID(menu, i))) + L"\t" +
               std::to_wstring(GetMenuState(menu, UINT(i), MF_BYPOSITION)) + L"\t" + text + L"\n";
        const int m = sub ? GetMenuItemCount(sub) : 0;
        for (int j = 0; j < m; j++) {
            GetMenuStringW(sub, UINT(j), text, 256, MF_BYPOSITION);
            out += L"1\t" + std::to_wstring(int(GetMenuItemID(sub, j))) + L"\t" +
                   std::to_wstring(GetMenuState(sub, UINT(j), MF_BYPOSITION)) + L"\t" + text +
                   L"\n";
        }
    }
}

// The environment block as the program sees it, one string a line.
static void dump_environment(std::wstring& out) {
    wchar_t* block = GetEnvironmentStringsW();
    if (!block) return;
    for (const wchar_t* s = block; *s; s += lstrlenW(s) + 1)
        out += std::wstring(s) + L"\n";
    FreeEnvironmentStringsW(block);
}

void probe_menus_answer(HWND hwnd, WPARAM query, std::wstring& out) {
    switch (query) {
    case PROBE_ENVIRONMENT: dump_environment(out); break;
    case PROBE_POPUP_MENU: dump_popup(out); break;
    case PROBE_MENU_BITMAPS:
        if (HMENU bar = GetMenu(hwnd)) dump_bitmap_items(bar, 0, out);
        out += L"system\n";
        if (HMENU sys = GetSystemMenu(hwnd, FALSE)) dump_bitmap_items(sys, 0, out);
        break;
    case PROBE_CLOSE_COUNTING_BITMAPS: close_counting_bitmaps(hwnd, out); break;
    }
}
