// Drecko: menus whose items are bitmaps. The menu bar shows three pictured words, stretched to
// the system font's size; the Font pop-up shows each face name drawn in its own face; the system
// menu gains a pictured help item in a column of its own. The window owns every one of these
// bitmaps and deletes them when it goes.
#include "controls/menu_demo.h"
#include "resource.h"

static const wchar_t* const faces[3] = {L"Courier New", L"Arial", L"Times New Roman"};

static struct {
    app_frame frame;
    UINT font_checked; // the check-marked font item
} g;

// A bitmap resource stretched by the dialog base units (a unit is a quarter of the average
// character width and an eighth of the character height); the source is deleted. The stretched
// copy keeps the source's format; if it cannot be made, the source itself is kept.
static HBITMAP stretch_bitmap(HBITMAP source) {
    BITMAP from, to;
    if (!source || !GetObjectW(source, sizeof from, &from)) return source;
    const LONG units = GetDialogBaseUnits();
    to = from;
    to.bmWidth = LOWORD(units) * from.bmWidth / 4;
    to.bmHeight = HIWORD(units) * from.bmHeight / 8;
    to.bmWidthBytes = ((to.bmWidth + 15) / 16) * 2;
    to.bmBits = nullptr;
    HBITMAP stretched = CreateBitmapIndirect(&to);
    if (!stretched) return source;
    HDC info = CreateICW(L"DISPLAY", nullptr, nullptr, nullptr);
    HDC src_dc = CreateCompatibleDC(info);
    HDC dst_dc = CreateCompatibleDC(info);
    DeleteDC(info);
    HGDIOBJ old_src = SelectObject(src_dc, source);
    HGDIOBJ old_dst = SelectObject(dst_dc, stretched);
    StretchBlt(dst_dc, 0, 0, to.bmWidth, to.bmHeight, src_dc, 0, 0, from.bmWidth, from.bmHeight,
               SRCCOPY);
    SelectObject(src_dc, old_src);
    SelectObject(dst_dc, old_dst);
    DeleteDC(src_dc);
    DeleteDC(dst_dc);
    DeleteObject(source);
    return stretched;
}

static HBITMAP load_stretched(const wchar_t* name) {
    return stretch_bitmap(LoadBitmapW(rt.module, name));
}

// The face name drawn in its own face, twice the display font's height, on a monochrome bitmap of
// exactly the text's size.
static HBITMAP face_bitmap(const wchar_t* face) {
    HDC info = CreateICW(L"DISPLAY", nullptr, nullptr, nullptr);
    TEXTMETRICW tm;
    GetTextMetricsW(info, &tm);
    HDC dc = CreateCompatibleDC(info);
    HFONT font = CreateFontW(2 * tm.tmHeight, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, face);
    HGDIOBJ old_font = SelectObject(dc, font);
    const int length = lstrlenW(face);
    SIZE size = {0, 0};
    GetTextExtentPoint32W(dc, face, length, &size);
    HBITMAP bitmap = CreateBitmap(size.cx, size.cy, 1, 1, nullptr);
    HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
    TextOutW(dc, 0, 0, face, length);
    SelectObject(dc, old_bitmap);
    SelectObject(dc, old_font);
    DeleteObject(font);
    DeleteDC(dc);
    DeleteDC(info);
    return bitmap;
}

static const wchar_t* as_item(HBITMAP bitmap) {
    return reinterpret_cast<const wchar_t*>(bitmap);
}

static LRESULT on_create(HWND hwnd) {
    AppendMenuW(GetSystemMenu(hwnd, FALSE), MF_BITMAP | MF_MENUBARBREAK, IDM_HELP,
                as_item(load_stretched(L"BitmapHelp")));
    HMENU bar = CreateMenu();
    HMENU file = LoadMenuW(rt.module, L"MenuFile");
    HMENU edit = LoadMenuW(rt.module, L"MenuEdit");
    HMENU fonts = CreatePopupMenu();
    if (!bar || !file || !edit || !fonts) return -1;
    AppendMenuW(bar, MF_BITMAP | MF_POPUP, reinterpret_cast<UINT_PTR>(file),
                as_item(load_stretched(L"BitmapFile")));
    AppendMenuW(bar, MF_BITMAP | MF_POPUP, reinterpret_cast<UINT_PTR>(edit),
                as_item(load_stretched(L"BitmapEdit")));
    for (int i = 0; i < 3; i++)
        AppendMenuW(fonts, MF_BITMAP, IDM_FONT_COUR + i, as_item(face_bitmap(faces[i])));
    AppendMenuW(bar, MF_BITMAP | MF_POPUP, reinterpret_cast<UINT_PTR>(fonts),
                as_item(load_stretched(L"BitmapFont")));
    SetMenu(hwnd, bar);
    g.font_checked = IDM_FONT_COUR;
    CheckMenuItem(bar, g.font_checked, MF_CHECKED);
    return 0;
}

static void choose_font(HWND hwnd, UINT id) {
    HMENU bar = GetMenu(hwnd);
    CheckMenuItem(bar, g.font_checked, MF_UNCHECKED);
    g.font_checked = id;
    CheckMenuItem(bar, g.font_checked, MF_CHECKED);
}

static bool on_command(HWND hwnd, UINT id) {
    if (id >= IDM_EDIT_UNDO && id <= IDM_FILE_SAVE_AS) {
        MessageBeep(0);
        return true;
    }
    if (id >= IDM_FONT_COUR && id <= IDM_FONT_TIMES) {
        choose_font(hwnd, id);
        return true;
    }
    return false;
}

// The bitmaps of a menu's items and of all its pop-ups' items. Only items that are bitmaps own
// one; the item record is sized for this build, so that the 64-bit handles come back whole.
static void delete_item_bitmaps(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; i++) {
        MENUITEMINFOW item;
        zero_memory(&item, sizeof item);
        item.cbSize = sizeof item;
        item.fMask = MIIM_SUBMENU | MIIM_FTYPE | MIIM_BITMAP;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item)) continue;
        if ((item.fType & MFT_BITMAP) && item.hbmpItem) DeleteObject(item.hbmpItem);
        if (item.hSubMenu) delete_item_bitmaps(item.hSubMenu);
    }
}

static void on_destroy(HWND hwnd) {
    MENUITEMINFOW item;
    zero_memory(&item, sizeof item);
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_BITMAP;
    if (GetMenuItemInfoW(GetSystemMenu(hwnd, FALSE), IDM_HELP, FALSE, &item) &&
        (item.fType & MFT_BITMAP) && item.hbmpItem)
        DeleteObject(item.hbmpItem);
    delete_item_bitmaps(GetMenu(hwnd));
    PostQuitMessage(0);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: return on_create(hwnd);
    case WM_SYSCOMMAND:
        // Compared whole: the system's own commands use the low four bits themselves.
        if (LOWORD(wp) != IDM_HELP) break;
        frame_message(&g.frame, L"Help not yet implemented!", MB_ICONEXCLAMATION);
        return 0;
    case WM_COMMAND:
        if (on_command(hwnd, LOWORD(wp))) return 0;
        break;
    case WM_DESTROY: on_destroy(hwnd); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"drecko", L"Bitmap Menu Demonstration", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
