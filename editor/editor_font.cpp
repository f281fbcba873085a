#include "editor/editor_font.h"
#include "runtime/runtime.h"

#include <commdlg.h>

static struct {
    LOGFONTW logfont; // edited in place by the dialog
    HFONT font;       // the font the edit control has now
} ft;

void font_init(HWND edit) {
    GetObjectW(GetStockObject(SYSTEM_FONT), sizeof ft.logfont, &ft.logfont);
    ft.font = CreateFontIndirectW(&ft.logfont);
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(ft.font), 0);
}

bool choose_editor_font(HWND main_window) {
    CHOOSEFONTW cf;
    zero_memory(&cf, sizeof cf);
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = main_window;
    cf.lpLogFont = &ft.logfont;
    // The effects part offers a colour too; the edit control keeps its own.
    cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
    return ChooseFontW(&cf) != FALSE;
}

void apply_editor_font(HWND edit) {
    HFONT font = CreateFontIndirectW(&ft.logfont);
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    if (ft.font) DeleteObject(ft.font);
    ft.font = font;
    InvalidateRect(edit, nullptr, TRUE);
}

void font_cleanup() {
    if (ft.font) DeleteObject(ft.font);
    ft.font = nullptr;
}
