// Lumetra2: what the screen or any installed printer can do, as the graphics device interface
// reports it. The Device menu lists the screen and every local printer (rebuilt whenever system
// settings change); the Capabilities menu picks one of six reports, drawn as text lines in the
// system fixed font; Properties opens the chosen printer's own properties dialog.
#include "frame/frame.h"
#include "resource.h"

#include <winspool.h>

struct cap_row {
    int value; // a GetDeviceCaps index, or a bit mask
    const wchar_t* label;
};

struct cap_table {
    int index; // the GetDeviceCaps index whose bits the rows test
    const wchar_t* title;
    const cap_row* rows;
    int count;
};

static const cap_row basic_rows[] = {
    {HORZSIZE, L"HORZSIZE       Width in millimeters:"},
    {VERTSIZE, L"VERTSIZE       Height in millimeters:"},
    {HORZRES, L"HORZRES        Width in pixels:"},
    {VERTRES, L"VERTRES        Height in raster lines:"},
    {BITSPIXEL, L"BITSPIXEL      Color bits per pixel:"},
    {PLANES, L"PLANES         Number of color planes:"},
    {NUMBRUSHES, L"NUMBRUSHES     Number of device brushes:"},
    {NUMPENS, L"NUMPENS        Number of device pens:"},
    {NUMMARKERS, L"NUMMARKERS     Number of device markers:"},
    {NUMFONTS, L"NUMFONTS       Number of device fonts:"},
    {NUMCOLORS, L"NUMCOLORS      Number of device colors:"},
    {PDEVICESIZE, L"PDEVICESIZE    Size of device structure:"},
    {ASPECTX, L"ASPECTX        Relative width of pixel:"},
    {ASPECTY, L"ASPECTY        Relative height of pixel:"},
    {ASPECTXY, L"ASPECTXY       Relative diagonal of pixel:"},
    {LOGPIXELSX, L"LOGPIXELSX     Horizontal dots per inch:"},
    {LOGPIXELSY, L"LOGPIXELSY     Vertical dots per inch:"},
    {SIZEPALETTE, L"SIZEPALETTE    Number of palette entries:"},
    {NUMRESERVED, L"NUMRESERVED    Reserved palette entries:"},
    {COLORRES, L"COLORRES       Actual color resolution:"},
    {PHYSICALWIDTH, L"PHYSICALWIDTH   Printer page pixel width:"},
    {PHYSICALHEIGHT, L"PHYSICALHEIGHT  Printer page pixel height:"},
    {PHYSICALOFFSETX, L"PHYSICALOFFSETX Printer page x offset:"},
    {PHYSICALOFFSETY, L"PHYSICALOFFSETY Printer page y offset:"},
};

static const cap_row curve_rows[] = {
    {CC_CIRCLES, L"CC_CIRCLES    Can do circles:"},
    {CC_PIE, L"CC_PIE        Can do pie wedges:"},
    {CC_CHORD, L"CC_CHORD      Can do chord arcs:"},
    {CC_ELLIPSES, L"CC_ELLIPSES   Can do ellipses:"},
    {CC_WIDE, L"CC_WIDE       Can do wide borders:"},
    {CC_STYLED, L"CC_STYLED     Can do styled borders:"},
    {CC_WIDESTYLED, L"CC_WIDESTYLED Can do wide and styled borders:"},
    {CC_INTERIORS, L"CC_INTERIORS  Can do interiors:"},
};

static const cap_row line_rows[] = {
    {LC_POLYLINE, L"LC_POLYLINE   Can do polyline:"},
    {LC_MARKER, L"LC_MARKER     Can do markers:"},
    {LC_POLYMARKER, L"LC_POLYMARKER Can do polymarkers"},
    {LC_WIDE, L"LC_WIDE       Can do wide lines:"},
    {LC_STYLED, L"LC_STYLED     Can do styled lines:"},
    {LC_WIDESTYLED, L"LC_WIDESTYLED Can do wide and styled lines:"},
    {LC_INTERIORS, L"LC_INTERIORS  Can do interiors:"},
};

static const cap_row poly_rows[] = {
    {PC_POLYGON, L"PC_POLYGON     Can do alternate fill polygon:"},
    {PC_RECTANGLE, L"PC_RECTANGLE   Can do rectangle:"},
    {PC_WINDPOLYGON, L"PC_WINDPOLYGON Can do winding number fill polygon:"},
    {PC_SCANLINE, L"PC_SCANLINE    Can do scanlines:"},
    {PC_WIDE, L"PC_WIDE        Can do wide borders:"},
    {PC_STYLED, L"PC_STYLED      Can do styled borders:"},
    {PC_WIDESTYLED, L"PC_WIDESTYLED  Can do wide and styled borders:"},
    {PC_INTERIORS, L"PC_INTERIORS   Can do interiors:"},
};

static const cap_row text_rows[] = {
    {TC_OP_CHARACTER, L"TC_OP_CHARACTER Can do character output precision:"},
    {TC_OP_STROKE, L"TC_OP_STROKE    Can do stroke output precision:"},
    {TC_CP_STROKE, L"TC_CP_STROKE    Can do stroke clip precision:"},
    {TC_CR_90, L"TC_CP_90        Can do 90 degree character rotation:"},
    {TC_CR_ANY, L"TC_CR_ANY       Can do any character rotation:"},
    {TC_SF_X_YINDEP, L"TC_SF_X_YINDEP  Can do scaling independent of X and Y:"},
    {TC_SA_DOUBLE, L"TC_SA_DOUBLE    Can do doubled character for scaling:"},
    {TC_SA_INTEGER, L"TC_SA_INTEGER   Can do integer multiples for scaling:"},
    {TC_SA_CONTIN, L"TC_SA_CONTIN    Can do any multiples for exact scaling:"},
    {TC_EA_DOUBLE, L"TC_EA_DOUBLE    Can do double weight characters:"},
    {TC_IA_ABLE, L"TC_IA_ABLE      Can do italicizing:"},
    {TC_UA_ABLE, L"TC_UA_ABLE      Can do underlining:"},
    {TC_SO_ABLE, L"TC_SO_ABLE      Can do strikeouts:"},
    {TC_RA_ABLE, L"TC_RA_ABLE      Can do raster fonts:"},
    {TC_VA_ABLE, L"TC_VA_ABLE      Can do vector fonts:"},
};

static const cap_row raster_rows[] = {
    {RC_BITBLT, L"RC_BITBLT       Capable of simple BitBlt:"},
    {RC_BANDING, L"RC_BANDING      Requires banding support:"},
    {RC_SCALING, L"RC_SCALING      Requires scaling support:"},
    {RC_BITMAP64, L"RC_BITMAP64     Supports bitmaps >64K:"},
    {RC_GDI20_OUTPUT, L"RC_GDI20_OUTPUT Has 2.0 output calls:"},
    {RC_DI_BITMAP, L"RC_DI_BITMAP    Supports DIB to memory:"},
    {RC_PALETTE, L"RC_PALETTE      Supports a palette:"},
    {RC_DIBTODEV, L"RC_DIBTODEV     Supports bitmap conversion:"},
    {RC_BIGFONT, L"RC_BIGFONT      Supports fonts >64K:"},
    {RC_STRETCHBLT, L"RC_STRETCHBLT   Supports StretchBlt:"},
    {RC_FLOODFILL, L"RC_FLOODFILL    Supports FloodFill:"},
    {RC_STRETCHDIB, L"RC_STRETCHDIB   Supports StretchDIBits:"},
};

static const cap_row clip_rows[] = {
    {CP_RECTANGLE, L"CP_RECTANGLE    Can Clip To Rectangle:"},
};

#define TABLE(index, title, rows)                                                                  \
    { index, title, rows, int(sizeof rows / sizeof rows[0]) }
static const cap_table capability_tables[] = {
    TABLE(CURVECAPS, L"CURVCAPS(Curve Capabilities)", curve_rows),
    TABLE(LINECAPS, L"LINECAPS(Line Capabilities)", line_rows),
    TABLE(POLYGONALCAPS, L"POLYGONALCAPS(Polygonal Capabilities)", poly_rows),
    TABLE(TEXTCAPS, L"TEXTCAPS(Text Capabilities)", text_rows),
};
static const cap_table raster_table =
    TABLE(RASTERCAPS, L"RASTERCAPS(Raster capabilities)", raster_rows);
static const cap_table clip_table = TABLE(CLIPCAPS, L"CLIPCAPS(Clipping capabilities)", clip_rows);
#undef TABLE

static const wchar_t* const technologies[] = {
    L"DT_PLOTTER(Vector plotter)",      L"DT_RASDISPLAY(Raster display)",
    L"DT_RASPRINTER(Raster printer)",   L"DT_RASCAMERA(Raster camera)",
    L"DT_CHARSTREAM(Character stream)", L"DT_METAFILE(Metafile)",
    L"DT_DISPFILE(Display file)",
};

enum { NAME_CHARS = 300, FIRST_PRINTER = 1, LAST_PRINTER = IDM_PROPERTIES - 1 };

static struct {
    app_frame frame;
    int device; // the chosen Device command: IDM_SCREEN or a printer's item
    int report; // the chosen Capabilities command
    int cx, cy; // character width and line height of the system fixed font
    wchar_t device_name[NAME_CHARS];
} g;

// Draws the text built in the temporary area from `start` at (x, y) and empties the area back.
static void out_line(HDC dc, int x, int y, size_t start) {
    TextOutW(dc, x, y, temp_text(start), int((rt.temp_top - start) / sizeof(wchar_t)));
    rt.temp_top = start;
}

// A value's decimal or hexadecimal text right-aligned in `width` characters of `fill`.
static void push_aligned_number(int value, bool hex, int width, const wchar_t* fill) {
    const size_t at = rt.temp_top;
    if (hex)
        temp_push_hex(uint32_t(value), INT32_KIND, at);
    else
        temp_push_dec(value, at);
    wchar_t digits[32];
    str_copy_to_field(digits, 32, temp_text(at));
    rt.temp_top = at;
    temp_push_right_aligned(digits, width, fill, at);
}

static void push_yes_no(bool yes) {
    temp_push(L" ");
    pad_left_spaces(yes ? L"Yes" : L"No", 3, rt.temp_top);
}

static void show_basic(HDC dc, HDC info) {
    for (int r = 0; r < int(sizeof basic_rows / sizeof basic_rows[0]); r++) {
        const size_t start = rt.temp_top;
        pad_right_spaces(basic_rows[r].label, 45, start);
        push_aligned_number(GetDeviceCaps(info, basic_rows[r].value), false, 8, nullptr);
        out_line(dc, g.cx, g.cy * (r + 1), start);
    }
}

static void show_flag_rows(HDC dc, HDC info, const cap_table& t, int x, int first_line, int width) {
    const int bits = GetDeviceCaps(info, t.index);
    for (int r = 0; r < t.count; r++) {
        const size_t start = rt.temp_top;
        pad_right_spaces(t.rows[r].label, width, start);
        push_yes_no(bits & t.rows[r].value);
        out_line(dc, x, g.cy * (first_line + r), start);
    }
}

static void show_title(HDC dc, const wchar_t* title, int line) {
    const size_t start = rt.temp_top;
    temp_push(title);
    out_line(dc, g.cx, g.cy * line, start);
}

static void show_other(HDC dc, HDC info) {
    size_t start = rt.temp_top;
    pad_right_spaces(L"DRIVERVERSION:", 24, start);
    push_aligned_number(GetDeviceCaps(info, DRIVERVERSION), true, 4, L"0");
    out_line(dc, g.cx, g.cy, start);

    // A technology without a name in the table shows no name.
    const int technology = GetDeviceCaps(info, TECHNOLOGY);
    const bool named =
        technology >= 0 && technology < int(sizeof technologies / sizeof technologies[0]);
    start = rt.temp_top;
    pad_right_spaces(L"TECHNOLOGY:", 24, start);
    pad_right_spaces(named ? technologies[technology] : nullptr, 40, rt.temp_top);
    out_line(dc, g.cx, 2 * g.cy, start);

    show_title(dc, clip_table.title, 4);
    show_flag_rows(dc, info, clip_table, 9 * g.cx, 6, 45);
    show_title(dc, raster_table.title, 8);
    show_flag_rows(dc, info, raster_table, 9 * g.cx, 10, 45);
}

static void show_report(HDC dc, HDC info) {
    switch (g.report) {
    case IDM_BASIC: show_basic(dc, info); return;
    case IDM_OTHER: show_other(dc, info); return;
    }
    const cap_table& t = capability_tables[g.report - IDM_CURVE];
    show_title(dc, t.title, 1);
    show_flag_rows(dc, info, t, g.cx, 3, 55);
}

static void on_paint(HWND hwnd) {
    HDC info;
    if (g.device == IDM_SCREEN) {
        str_copy_to_field(g.device_name, NAME_CHARS, L"DISPLAY");
        info = CreateICW(L"DISPLAY", nullptr, nullptr, nullptr);
    } else {
        GetMenuStringW(GetMenu(hwnd), UINT(g.device), g.device_name, NAME_CHARS, MF_BYCOMMAND);
        info = CreateICW(nullptr, g.device_name, nullptr, nullptr);
    }
    const size_t start = rt.temp_top;
    temp_push(L"Device Capabilities: ");
    temp_push(g.device_name);
    SetWindowTextW(hwnd, temp_text(start));
    rt.temp_top = start;

    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
    if (info) {
        show_report(dc, info);
        DeleteDC(info);
    }
    EndPaint(hwnd, &ps);
}

static HMENU device_menu(HWND hwnd) {
    return GetSubMenu(GetMenu(hwnd), 0);
}

// The screen, one item per local printer (a new column every sixteenth), then Properties.
static void rebuild_device_menu(HWND hwnd) {
    HMENU menu = device_menu(hwnd);
    while (GetMenuItemCount(menu) > 1)
        DeleteMenu(menu, 1, MF_BYPOSITION);

    const DWORD level = (GetVersion() & 0x80000000) ? 5 : 4;
    DWORD needed = 0, returned = 0;
    EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, level, nullptr, 0, &needed, &returned);
    BYTE* buffer = needed <= INT32_MAX ? static_cast<BYTE*>(block_alloc(int32_t(needed))) : nullptr;
    if (buffer &&
        EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, level, buffer, needed, &needed, &returned)) {
        // Printer items take the identifiers below Properties.
        for (DWORD i = 0; i < returned && i + FIRST_PRINTER <= LAST_PRINTER; i++) {
            const wchar_t* name = level == 4
                                      ? reinterpret_cast<PRINTER_INFO_4W*>(buffer)[i].pPrinterName
                                      : reinterpret_cast<PRINTER_INFO_5W*>(buffer)[i].pPrinterName;
            AppendMenuW(menu, MF_STRING | (i % 16 == 15 ? MF_MENUBARBREAK : 0), i + FIRST_PRINTER,
                        name);
        }
    }
    if (buffer) block_free(buffer);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, IDM_PROPERTIES, L"Properties");
}

static void show_properties(HWND hwnd) {
    wchar_t name[NAME_CHARS];
    if (!GetMenuStringW(GetMenu(hwnd), UINT(g.device), name, NAME_CHARS, MF_BYCOMMAND)) return;
    HANDLE printer;
    if (OpenPrinterW(name, &printer, nullptr)) {
        PrinterProperties(hwnd, printer);
        ClosePrinter(printer);
    }
}

static void on_command(HWND hwnd, int id) {
    HMENU menu = GetMenu(hwnd);
    if (id == IDM_SCREEN || id < IDM_PROPERTIES) {
        CheckMenuItem(menu, UINT(g.device), MF_UNCHECKED);
        g.device = id;
        CheckMenuItem(menu, UINT(g.device), MF_CHECKED);
    } else if (id == IDM_PROPERTIES) {
        show_properties(hwnd);
    } else if (id >= IDM_BASIC && id <= IDM_TEXT) {
        CheckMenuItem(menu, UINT(g.report), MF_UNCHECKED);
        g.report = id;
        CheckMenuItem(menu, UINT(g.report), MF_CHECKED);
    }
    InvalidateRect(hwnd, nullptr, TRUE);
}

// Windows sends setting changes often, for reasons that have nothing to do with printers: the
// menu is built afresh, and the chosen printer stays chosen as long as it is still installed.
static void on_setting_change(HWND hwnd) {
    wchar_t chosen[NAME_CHARS] = L"";
    if (g.device != IDM_SCREEN)
        GetMenuStringW(GetMenu(hwnd), UINT(g.device), chosen, NAME_CHARS, MF_BYCOMMAND);
    rebuild_device_menu(hwnd);
    int device = IDM_SCREEN;
    wchar_t name[NAME_CHARS];
    for (int id = FIRST_PRINTER; chosen[0] && id <= LAST_PRINTER; id++) {
        if (!GetMenuStringW(GetMenu(hwnd), UINT(id), name, NAME_CHARS, MF_BYCOMMAND)) break;
        if (lstrcmpW(name, chosen) == 0) {
            device = id;
            break;
        }
    }
    on_command(hwnd, device);
}

static void on_create(HWND hwnd) {
    HDC dc = GetDC(hwnd);
    SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    ReleaseDC(hwnd, dc);
    g.cx = tm.tmAveCharWidth;
    g.cy = tm.tmHeight + tm.tmExternalLeading;
    on_setting_change(hwnd);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: on_create(hwnd); return 0;
    case WM_SETTINGCHANGE: on_setting_change(hwnd); return 0;
    case WM_COMMAND: on_command(hwnd, LOWORD(wp)); return 0;
    case WM_INITMENUPOPUP:
        // Properties belongs to printers only.
        if (lp == 0)
            EnableMenuItem(reinterpret_cast<HMENU>(wp), IDM_PROPERTIES,
                           g.device == IDM_SCREEN ? MF_GRAYED : MF_ENABLED);
        return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, USES_BLOCKS);
    g.device = IDM_SCREEN;
    g.report = IDM_BASIC;
    frame_init(&g.frame, L"lumetra2", L"Device Capabilities", wnd_proc);
    frame_use_class_menu(&g.frame);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
