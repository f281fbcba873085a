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

// Points the program's import of a function of gdi32 at `stand_in`, once; `real` keeps the
// function.
template <typename F> static void redirect_once(F*& real, const char* name, F* stand_in) {
    if (!real)
        real = reinterpret_cast<F*>(
            redirect_import("gdi32.dll", name, reinterpret_cast<void*>(stand_in)));
}

// The technology the program's GetDeviceCaps reports instead of the device's own, through a
// stand-in for its import; none while `faked_technology` is NO_FAKE.
static const int NO_FAKE = -1000;
static int faked_technology = NO_FAKE;
static int(WINAPI* real_get_device_caps)(HDC, int);

static int WINAPI device_caps_with_technology(HDC dc, int index) {
    if (index == TECHNOLOGY && faked_technology != NO_FAKE) return faked_technology;
    return real_get_device_caps(dc, index);
}

static void fake_technology(int technology, std::wstring& out) {
    redirect_once(real_get_device_caps, "GetDeviceCaps", &device_caps_with_technology);
    faked_technology = technology;
    out = real_get_device_caps ? L"1" : L"0";
}

// The printing step that answers 0 once made (1 StartDocW ... 4 EndDoc; 0 none), through
// stand-ins for the program's imports of the four.
static int failing_step;
static int(WINAPI* real_start_doc)(HDC, const DOCINFOW*);
static int(WINAPI* real_start_page)(HDC);
static int(WINAPI* real_end_page)(HDC);
static int(WINAPI* real_end_doc)(HDC);

static int answer_of(int step, int made) {
    return failing_step == step ? 0 : made;
}
static int WINAPI start_doc_answering(HDC dc, const DOCINFOW* doc) {
    return answer_of(1, real_start_doc(dc, doc));
}
static int WINAPI start_page_answering(HDC dc) {
    return answer_of(2, real_start_page(dc));
}
static int WINAPI end_page_answering(HDC dc) {
    return answer_of(3, real_end_page(dc));
}
static int WINAPI end_doc_answering(HDC dc) {
    return answer_of(4, real_end_doc(dc));
}

static void fail_print_step(int step, std::wstring& out) {
    redirect_once(real_start_doc, "StartDocW", &start_doc_answering);
    redirect_once(real_start_page, "StartPage", &start_page_answering);
    redirect_once(real_end_page, "EndPage", &end_page_answering);
    redirect_once(real_end_doc, "EndDoc", &end_doc_answering);
    failing_step = step;
    out = real_start_doc && real_start_page && real_end_page && real_end_doc ? L"1" : L"0";
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
    if (query >= PROBE_TECHNOLOGY_OWN && query <= PROBE_TECHNOLOGY_AS + 8) {
        fake_technology(query == PROBE_TECHNOLOGY_OWN ? NO_FAKE : int(query) - PROBE_TECHNOLOGY_AS,
                        out);
        return true;
    }
    if (query >= PROBE_PRINT_STEP_FAILS && query <= PROBE_PRINT_STEP_FAILS_LAST) {
        fail_print_step(int(query) - PROBE_PRINT_STEP_FAILS, out);
        return true;
    }
    return false;
}
