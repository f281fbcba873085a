// Loaded into a program's process by the harness's message hook; answers questions that only that
// process can answer.
#include <windows.h>
#include <string.h>
#include <string>
#include "probe.h"

static void dump_menu(HMENU menu, int depth, std::wstring& out) {
    int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; i++) {
        wchar_t text[256] = L"";
        GetMenuStringW(menu, i, text, 256, MF_BYPOSITION);
        UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        HMENU sub = GetSubMenu(menu, i);
        int id = sub ? -1 : int(GetMenuItemID(menu, i));
        out += std::to_wstring(depth) + L"\t" + std::to_wstring(id) + L"\t" +
               std::to_wstring(state) + L"\t" + text + L"\n";
        if (sub) dump_menu(sub, depth + 1, out);
    }
}

// The cursor display count: ShowCursor returns the count it leaves, so one step up and one back
// read it without changing it.
static int cursor_display_count() {
    int count = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    return count;
}

// MessageBeep makes no sound that a test could hear here, so the program's own import of it is
// routed through a counter that then calls the real function. The probe stays loaded from then on
// (pinned), since the program's import table now points into it.
static LONG beep_calls = -1;
static BOOL(WINAPI* real_message_beep)(UINT);

static BOOL WINAPI counted_message_beep(UINT type) {
    InterlockedIncrement(&beep_calls);
    return real_message_beep(type);
}

static bool is_message_beep(BYTE* base, const IMAGE_THUNK_DATA* name, ULONG_PTR address,
                            void* real) {
    if (reinterpret_cast<void*>(address) == real) return true;
    if (!name || IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) return false;
    auto* by_name = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
    return strcmp(reinterpret_cast<const char*>(by_name->Name), "MessageBeep") == 0;
}

static void count_beeps() {
    if (beep_calls >= 0) return;
    void* real =
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "MessageBeep"));
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!real || !dir.VirtualAddress) return;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name;
         d++) {
        if (_stricmp(reinterpret_cast<const char*>(base + d->Name), "user32.dll") != 0) continue;
        auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
        auto* name = d->OriginalFirstThunk
                         ? reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk)
                         : nullptr;
        for (; slot->u1.Function; slot++, name = name ? name + 1 : nullptr) {
            if (!is_message_beep(base, name, slot->u1.Function, real)) continue;
            HMODULE self;
            GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                   GET_MODULE_HANDLE_EX_FLAG_PIN,
                               reinterpret_cast<LPCWSTR>(&counted_message_beep), &self);
            real_message_beep = reinterpret_cast<BOOL(WINAPI*)(UINT)>(real);
            DWORD old;
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &old);
            slot->u1.Function = reinterpret_cast<ULONG_PTR>(&counted_message_beep);
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, old, &old);
            beep_calls = 0;
            return;
        }
    }
}

static void answer(const MSG* m) {
    std::wstring out;
    switch (m->wParam) {
    case PROBE_MENU:
        if (HMENU menu = GetMenu(m->hwnd)) dump_menu(menu, 0, out);
        break;
    case PROBE_SYSTEM_MENU:
        if (HMENU menu = GetSystemMenu(m->hwnd, FALSE)) dump_menu(menu, 0, out);
        break;
    case PROBE_CURSOR_COUNT: out = std::to_wstring(cursor_display_count()); break;
    case PROBE_BEEPS:
        count_beeps();
        out = std::to_wstring(beep_calls); // -1: the program imports no MessageBeep
        break;
    }
    COPYDATASTRUCT cd{};
    cd.dwData = m->wParam;
    cd.cbData = DWORD((out.size() + 1) * sizeof(wchar_t));
    cd.lpData = const_cast<wchar_t*>(out.c_str());
    SendMessageTimeoutW(reinterpret_cast<HWND>(m->lParam), WM_COPYDATA,
                        reinterpret_cast<WPARAM>(m->hwnd), reinterpret_cast<LPARAM>(&cd),
                        SMTO_ABORTIFHUNG, 5000, nullptr);
}

extern "C" __declspec(dllexport) LRESULT CALLBACK probe_hook(int code, WPARAM wp, LPARAM lp) {
    static UINT probe_message = RegisterWindowMessageW(PROBE_MESSAGE_NAME);
    if (code == HC_ACTION && wp == PM_REMOVE) {
        MSG* m = reinterpret_cast<MSG*>(lp);
        if (m->message == probe_message) {
            answer(m);
            m->message = WM_NULL; // the program never sees the question
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}
