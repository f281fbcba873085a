#include "harness/hooking.h"
#include "agents/hook_host.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <string.h>

namespace harness {

namespace fs = std::filesystem;

bool driving_32bit() {
    static const bool is = [] {
        wchar_t target[16] = L"";
        return GetEnvironmentVariableW(L"SUITE_TARGET", target, 16) > 0 &&
               wcscmp(target, L"i686") == 0;
    }();
    return is;
}

// The test runs from <root>\x86_64\tests; the 32-bit build is <root>\i686.
std::wstring agent_dir() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    fs::path tests = fs::path(path).parent_path();
    if (!driving_32bit()) return tests.wstring();
    return (tests.parent_path().parent_path() / L"i686" / L"tests").wstring();
}

// ---- 64-bit programs: the test sets the hook itself ----

static HHOOK set_own(int id, const char* proc, DWORD thread) {
    static HMODULE dll = LoadLibraryW((fs::path(agent_dir()) / L"probe.dll").c_str());
    if (!dll) return nullptr;
    auto p = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(dll, proc)));
    return p ? SetWindowsHookExW(id, p, dll, thread) : nullptr;
}

// ---- 32-bit programs: the hook host sets it ----

// The host of this test process, started on first use; it ends when the test does.
static HWND host() {
    static HWND window;
    if (window && IsWindow(window)) return window;
    const std::wstring pid = std::to_wstring(GetCurrentProcessId());
    const std::wstring exe = (fs::path(agent_dir()) / L"hook_host.exe").wstring();
    std::wstring cmd = L"\"" + exe + L"\" " + pid;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        ADD_FAILURE() << "cannot start the 32-bit hook host, error " << GetLastError();
        return nullptr;
    }
    CloseHandle(pi.hThread);
    for (DWORD start = GetTickCount(); GetTickCount() - start < 10000;) {
        window = FindWindowExW(HWND_MESSAGE, nullptr, HOOK_HOST_CLASS, pid.c_str());
        if (window) break;
        if (WaitForSingleObject(pi.hProcess, 20) == WAIT_OBJECT_0) break;
    }
    CloseHandle(pi.hProcess);
    if (!window) ADD_FAILURE() << "the 32-bit hook host did not come up";
    return window;
}

static HHOOK set_by_host(int id, const char* proc, DWORD thread) {
    HWND h = host();
    if (!h) return nullptr;
    hook_request r{};
    r.id = id;
    r.thread = thread;
    strncpy(r.proc, proc, sizeof r.proc - 1);
    COPYDATASTRUCT cd{};
    cd.dwData = HOOK_HOST_SET;
    cd.cbData = sizeof r;
    cd.lpData = &r;
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(h, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cd), SMTO_ABORTIFHUNG,
                             5000, &answer))
        return nullptr;
    // A handle from a 32-bit process: its 32 bits are the whole handle.
    return reinterpret_cast<HHOOK>(uintptr_t(uint32_t(answer)));
}

HHOOK set_probe_hook(int id, const char* proc, DWORD thread) {
    return driving_32bit() ? set_by_host(id, proc, thread) : set_own(id, proc, thread);
}

void remove_probe_hook(HHOOK hook) {
    if (!hook) return;
    if (!driving_32bit()) {
        UnhookWindowsHookEx(hook);
        return;
    }
    if (HWND h = host())
        SendMessageTimeoutW(h, HOOK_HOST_REMOVE, reinterpret_cast<WPARAM>(hook), 0,
                            SMTO_ABORTIFHUNG, 5000, nullptr);
}

} // namespace harness
