// Probe answers for the text-output programs: the scroll bars' state and a log of the texts a
// program draws with TextOutW, both read inside the program's process.
#include <windows.h>
#include <string.h>
#include <string>
#include "probe.h"

static std::wstring text_log;
static BOOL(WINAPI* real_text_out)(HDC, int, int, LPCWSTR, int);

static BOOL WINAPI logged_text_out(HDC dc, int x, int y, LPCWSTR s, int n) {
    text_log += std::to_wstring(x) + L"\t" + std::to_wstring(y) + L"\t" +
                std::to_wstring(GetTextAlign(dc)) + L"\t" + std::wstring(s, size_t(n > 0 ? n : 0)) +
                L"\n";
    return real_text_out(dc, x, y, s, n);
}

// Points the program's import of TextOutW at the logger. Kept for the life of the process: the
// probe DLL pins itself so the patched slot never points into an unloaded module.
static bool patch_text_out() {
    if (real_text_out) return true;
    HMODULE self;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCWSTR>(&logged_text_out), &self);
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress) return false;
    const FARPROC target = GetProcAddress(GetModuleHandleW(L"gdi32.dll"), "TextOutW");
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
         imp->Name; imp++) {
        if (_stricmp(reinterpret_cast<char*>(base + imp->Name), "gdi32.dll") != 0) continue;
        auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        auto* name = imp->OriginalFirstThunk
                         ? reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk)
                         : nullptr;
        for (; slot->u1.Function; slot++) {
            bool match = reinterpret_cast<FARPROC>(slot->u1.Function) == target;
            if (name) {
                if (!IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) {
                    auto* by_name =
                        reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
                    match =
                        match || strcmp(reinterpret_cast<char*>(by_name->Name), "TextOutW") == 0;
                }
                name++;
            }
            if (!match) continue;
            DWORD old;
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &old);
            real_text_out = reinterpret_cast<decltype(real_text_out)>(slot->u1.Function);
            slot->u1.Function = reinterpret_cast<ULONG_PTR>(&logged_text_out);
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, old, &old);
            return true;
        }
    }
    return false;
}

bool probe_text_answer(WPARAM query, HWND hwnd, std::wstring& out) {
    switch (query) {
    case PROBE_TEXT_LOG_START:
        text_log.clear();
        out = patch_text_out() ? L"1" : L"0";
        return true;
    case PROBE_TEXT_LOG: out = text_log; return true;
    case PROBE_WHEEL_LINES_0:
    case PROBE_WHEEL_LINES_1:
    case PROBE_WHEEL_LINES_3:
    case PROBE_WHEEL_PAGE: {
        const UINT lines[] = {0, 1, 3, WHEEL_PAGESCROLL};
        out = SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, lines[query - PROBE_WHEEL_LINES_0],
                                    nullptr, 0)
                  ? L"1"
                  : L"0";
        return true;
    }
    }
    return false;
}
