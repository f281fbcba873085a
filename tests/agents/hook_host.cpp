// The hook host: sets and removes the probe's hooks for a 64-bit test whose program is a 32-bit
// one (see hook_host.h). Hooks live as long as the thread that set them, so this process stays up
// for the whole test and ends with it.
#include "agents/hook_host.h"

#include <stdlib.h>
#include <string.h>
#include <wchar.h>

static HMODULE probe;

static LRESULT CALLBACK host_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COPYDATA: {
        auto* cd = reinterpret_cast<const COPYDATASTRUCT*>(lp);
        if (cd->dwData != HOOK_HOST_SET || cd->cbData != sizeof(hook_request)) return 0;
        hook_request r;
        memcpy(&r, cd->lpData, sizeof r);
        r.proc[sizeof r.proc - 1] = '\0';
        auto proc =
            reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(probe, r.proc)));
        if (!proc) return 0;
        return reinterpret_cast<LRESULT>(SetWindowsHookExW(r.id, proc, probe, r.thread));
    }
    case HOOK_HOST_REMOVE: return UnhookWindowsHookEx(reinterpret_cast<HHOOK>(wp));
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR args, int) {
    const DWORD test = wcstoul(args, nullptr, 10);
    HANDLE test_process = OpenProcess(SYNCHRONIZE, FALSE, test);
    if (!test_process) return 1;

    // The probe lies beside this program.
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return 1;
    wchar_t* slash = wcsrchr(path, L'\\');
    if (!slash || size_t(slash + 1 - path) + 10 > MAX_PATH) return 1;
    wcscpy(slash + 1, L"probe.dll");
    probe = LoadLibraryW(path);
    if (!probe) return 1;

    WNDCLASSW wc{};
    wc.lpfnWndProc = host_proc;
    wc.hInstance = instance;
    wc.lpszClassName = HOOK_HOST_CLASS;
    if (!RegisterClassW(&wc)) return 1;
    if (!CreateWindowExW(0, HOOK_HOST_CLASS, args, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                         nullptr))
        return 1;

    for (;;) {
        DWORD w = MsgWaitForMultipleObjects(1, &test_process, FALSE, INFINITE, QS_ALLINPUT);
        if (w != WAIT_OBJECT_0 + 1) break; // the test has ended (or the wait failed)
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&m);
    }
    return 0;
}
