#include "print/printer_dc.h"

#include <winspool.h>

const printer_platform system_printer_platform = {
    GetVersionExW, EnumPrintersW,   GetProfileStringW,
    CreateDCW,     L"winspool.drv", L"GetDefaultPrinterW",
};

printer_way choose_printer_way(const OSVERSIONINFOW& version) {
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) return WAY_ENUMERATION;
    if (version.dwMajorVersion < 5) return WAY_PROFILE;
    return WAY_SPOOLER;
}

// A context is only asked for under a name: an empty name would not be the default printer.
static HDC create_printer_dc(const printer_platform& p, const wchar_t* name) {
    if (!name || !name[0]) return nullptr;
    return p.create_dc(nullptr, name, nullptr, nullptr);
}

HDC printer_dc_by_enumeration(const printer_platform& p) {
    DWORD needed = 0, returned = 0;
    if (p.enum_printers(PRINTER_ENUM_DEFAULT, nullptr, 2, nullptr, 0, &needed, &returned) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0 || needed > INT32_MAX)
        return nullptr;
    BYTE* buffer = static_cast<BYTE*>(block_alloc(int32_t(needed)));
    if (!buffer) return nullptr;
    HDC dc = nullptr;
    // A record is only read when the spooler says it wrote one.
    if (p.enum_printers(PRINTER_ENUM_DEFAULT, nullptr, 2, buffer, needed, &needed, &returned) &&
        returned > 0 && needed >= sizeof(PRINTER_INFO_2W))
        dc = create_printer_dc(p, reinterpret_cast<PRINTER_INFO_2W*>(buffer)->pPrinterName);
    block_free(buffer);
    return dc;
}

HDC printer_dc_by_profile(const printer_platform& p) {
    enum { PROFILE_CHARS = 500 };
    wchar_t* value = static_cast<wchar_t*>(block_alloc(PROFILE_CHARS * sizeof(wchar_t)));
    if (!value) return nullptr;
    HDC dc = nullptr;
    // The value reads "device name,driver,port"; the name ends at the first comma.
    if (p.get_profile_string(L"windows", L"device", L",,,", value, PROFILE_CHARS) > 0) {
        value[PROFILE_CHARS - 1] = 0;
        for (wchar_t* c = value; *c; c++)
            if (*c == L',') {
                *c = 0;
                break;
            }
        // The name lives in the buffer: the context is made before the buffer goes.
        dc = create_printer_dc(p, value);
    }
    block_free(value);
    return dc;
}

typedef BOOL(WINAPI* default_printer_fn)(LPWSTR, LPDWORD);

HDC printer_dc_by_spooler(const printer_platform& p) {
    const library_id spooler = load_library(p.spooler_library);
    if (!spooler) return nullptr;
    auto query = reinterpret_cast<default_printer_fn>(
        reinterpret_cast<void*>(get_procedure(spooler, p.default_printer_fn)));
    DWORD size = 0;
    // The first call only asks for the size; success there means there is no name to read.
    if (!query || query(nullptr, &size) || size == 0 || size > INT32_MAX / sizeof(wchar_t)) {
        release_library(spooler);
        return nullptr;
    }
    wchar_t* name = static_cast<wchar_t*>(block_alloc(int32_t(size * sizeof(wchar_t))));
    DWORD chars = size;
    const BOOL found = name && query(name, &chars);
    release_library(spooler);
    HDC dc = nullptr;
    if (found) {
        name[size - 1] = 0;
        dc = create_printer_dc(p, name);
    }
    if (name) block_free(name);
    return dc;
}

HDC default_printer_dc_with(const printer_platform& p) {
    OSVERSIONINFOW version;
    zero_memory(&version, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    if (!p.get_version(&version)) return nullptr;
    switch (choose_printer_way(version)) {
    case WAY_ENUMERATION: return printer_dc_by_enumeration(p);
    case WAY_PROFILE: return printer_dc_by_profile(p);
    case WAY_SPOOLER: break;
    }
    return printer_dc_by_spooler(p);
}

HDC get_default_printer_dc() {
    return default_printer_dc_with(system_printer_platform);
}
