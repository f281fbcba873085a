// Inside the program: device facts that belong to its own process.
#include <windows.h>
#include <commdlg.h>
#include <winspool.h>
#include <algorithm>
#include <stdio.h>
#include <string>
#include <vector>
#include "dpi_awareness.h"
#include "probe.h"
#include "probe_imports.h"

static void add_device_size(const wchar_t* driver, const wchar_t* device, const wchar_t* name,
                            std::wstring& out) {
    HDC info = CreateICW(driver, device, nullptr, nullptr);
    if (!info) return;
    out += std::wstring(name) + L"\t" + std::to_wstring(GetDeviceCaps(info, PDEVICESIZE)) + L"\n";
    DeleteDC(info);
}

static void device_sizes(std::wstring& out) {
    add_device_size(L"DISPLAY", nullptr, L"DISPLAY", out);
    DWORD needed = 0, count = 0;
    EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 4, nullptr, 0, &needed, &count);
    std::vector<BYTE> buf(needed + 1);
    if (!EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 4, buf.data(), needed, &needed, &count)) return;
    const auto* printers = reinterpret_cast<const PRINTER_INFO_4W*>(buf.data());
    for (DWORD i = 0; i < count; i++)
        add_device_size(nullptr, printers[i].pPrinterName, printers[i].pPrinterName, out);
}

static void system_palette(std::wstring& out) {
    PALETTEENTRY entries[256] = {};
    HDC screen = GetDC(nullptr);
    const UINT n = GetSystemPaletteEntries(screen, 0, 256, entries);
    ReleaseDC(nullptr, screen);
    for (UINT i = 0; i < n; i++) {
        wchar_t line[8];
        swprintf(line, 8, L"%02X%02X%02X", entries[i].peRed, entries[i].peGreen, entries[i].peBlue);
        out += line;
        out += L"\n";
    }
}

// The device-setting blocks the program's print dialogs handed back, through a recorder in
// place of the program's own import of PrintDlgW; a freed block's handle has no size.
static std::vector<HGLOBAL> print_blocks;
static BOOL(WINAPI* real_print_dlg)(PRINTDLGW*);

static BOOL WINAPI recorded_print_dlg(PRINTDLGW* pd) {
    const BOOL chosen = real_print_dlg(pd);
    for (HGLOBAL block : {pd->hDevMode, pd->hDevNames})
        if (block &&
            std::find(print_blocks.begin(), print_blocks.end(), block) == print_blocks.end())
            print_blocks.push_back(block);
    return chosen;
}

static void print_blocks_alive(std::wstring& out) {
    if (!real_print_dlg)
        real_print_dlg = reinterpret_cast<decltype(real_print_dlg)>(redirect_import(
            "comdlg32.dll", "PrintDlgW", reinterpret_cast<void*>(&recorded_print_dlg)));
    int alive = 0;
    for (HGLOBAL block : print_blocks)
        alive += GlobalSize(block) != 0;
    out = real_print_dlg ? std::to_wstring(alive) : L"-1";
}

static void dpi(std::wstring& out) {
    HDC screen = GetDC(nullptr);
    out = std::to_wstring(GetDeviceCaps(screen, LOGPIXELSY)) + L"\t" +
          std::to_wstring(dpi_awareness());
    ReleaseDC(nullptr, screen);
}

bool probe_device_answer(WPARAM query, std::wstring& out) {
    switch (query) {
    case PROBE_PRINT_BLOCKS: print_blocks_alive(out); return true;
    case PROBE_DEVICE_SIZES: device_sizes(out); return true;
    case PROBE_SYSTEM_PALETTE: system_palette(out); return true;
    case PROBE_DPI: dpi(out); return true;
    }
    return false;
}
