// The default printer's device context, shared by the printing programs.
//
// The default printer's name is found in one of three ways, chosen by the platform version: the
// spooler's enumeration of the default printer (the Windows 9x family), the "device" entry of the
// "windows" profile section (NT before version 5), or GetDefaultPrinterW, bound at run time from
// the spooler library (version 5 and later). Each way is callable on its own with the platform
// calls it makes passed in, so that all three and their failures can be driven from tests.
#pragma once

#include "runtime/runtime.h"

// The platform calls the lookup makes.
struct printer_platform {
    BOOL(WINAPI* get_version)(OSVERSIONINFOW*);
    BOOL(WINAPI* enum_printers)(DWORD, LPWSTR, DWORD, LPBYTE, DWORD, LPDWORD, LPDWORD);
    DWORD(WINAPI* get_profile_string)(LPCWSTR, LPCWSTR, LPCWSTR, LPWSTR, DWORD);
    HDC(WINAPI* create_dc)(LPCWSTR, LPCWSTR, LPCWSTR, const DEVMODEW*);
    const wchar_t* spooler_library;    // "winspool.drv"
    const wchar_t* default_printer_fn; // "GetDefaultPrinterW"
};
extern const printer_platform system_printer_platform;

enum printer_way { WAY_ENUMERATION, WAY_PROFILE, WAY_SPOOLER };
printer_way choose_printer_way(const OSVERSIONINFOW& version);

// Each returns the context, or null; none leaves a buffer allocated or a library loaded.
HDC printer_dc_by_enumeration(const printer_platform& p);
HDC printer_dc_by_profile(const printer_platform& p);
HDC printer_dc_by_spooler(const printer_platform& p);
HDC default_printer_dc_with(const printer_platform& p);

// The default printer's context or null; the caller deletes it with DeleteDC. Needs the block
// heap and the library table (USES_BLOCKS | USES_LIBRARIES).
HDC get_default_printer_dc();
