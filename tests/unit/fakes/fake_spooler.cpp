// A stand-in for the spooler library: its GetDefaultPrinterW answers the way the environment
// variable FAKE_SPOOLER_MODE says, so that every answer the default-printer lookup can meet is
// reproducible.
//   name      the default printer is "Fake Printer" (the size first, then the name)
//   none      there is no default printer
//   sizeless  the size query itself succeeds
//   vanishing the size comes back, but the name can no longer be read
#include <windows.h>

static bool mode_is(const wchar_t* mode) {
    wchar_t value[32] = L"";
    GetEnvironmentVariableW(L"FAKE_SPOOLER_MODE", value, 32);
    return lstrcmpW(value, mode) == 0;
}

extern "C" __declspec(dllexport) BOOL WINAPI GetDefaultPrinterW(LPWSTR buffer, LPDWORD size) {
    static const wchar_t name[] = L"Fake Printer";
    const DWORD needed = sizeof name / sizeof name[0];
    if (mode_is(L"sizeless")) return TRUE;
    if (mode_is(L"none")) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    if (!buffer || *size < needed) {
        *size = needed;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    if (mode_is(L"vanishing")) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    lstrcpyW(buffer, name);
    *size = needed;
    return TRUE;
}
