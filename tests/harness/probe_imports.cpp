#include <windows.h>
#include <string.h>
#include "probe_imports.h"

static bool imports_function(BYTE* base, const IMAGE_THUNK_DATA* name, ULONG_PTR address,
                             FARPROC real, const char* function) {
    if (reinterpret_cast<FARPROC>(address) == real) return true;
    if (!name || IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) return false;
    auto* by_name = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
    return strcmp(reinterpret_cast<const char*>(by_name->Name), function) == 0;
}

void* redirect_import(const char* dll, const char* function, void* replacement) {
    HMODULE module = GetModuleHandleA(dll);
    FARPROC real = module ? GetProcAddress(module, function) : nullptr;
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress) return nullptr;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name;
         d++) {
        if (_stricmp(reinterpret_cast<const char*>(base + d->Name), dll) != 0) continue;
        auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
        auto* name = d->OriginalFirstThunk
                         ? reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk)
                         : nullptr;
        for (; slot->u1.Function; slot++, name = name ? name + 1 : nullptr) {
            if (!imports_function(base, name, slot->u1.Function, real, function)) continue;
            HMODULE self;
            GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                   GET_MODULE_HANDLE_EX_FLAG_PIN,
                               reinterpret_cast<LPCWSTR>(&redirect_import), &self);
            void* before = reinterpret_cast<void*>(slot->u1.Function);
            DWORD old;
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &old);
            slot->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, old, &old);
            return before;
        }
    }
    return nullptr;
}
