// launcher <program.exe> [arguments]: starts a program, waits until it shows a window and has
// painted, prints the window's caption and returns, leaving the program running (so that a
// screenshot can be taken of it). Exit code 1 when the program shows no window in time.
#include <windows.h>
#include <stdio.h>

static DWORD target_pid;

static BOOL CALLBACK find_visible(HWND hwnd, LPARAM lp) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == target_pid && IsWindowVisible(hwnd)) {
        *reinterpret_cast<HWND*>(lp) = hwnd;
        return FALSE;
    }
    return TRUE;
}

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        fwprintf(stderr, L"usage: launcher program.exe [arguments]\n");
        return 2;
    }
    // The program's own command line is everything after our first argument.
    const wchar_t* cmd = GetCommandLineW();
    bool quoted = false;
    for (; *cmd && (quoted || (*cmd != L' ' && *cmd != L'\t')); cmd++)
        if (*cmd == L'"') quoted = !quoted;
    while (*cmd == L' ' || *cmd == L'\t')
        cmd++;
    wchar_t line[4096];
    lstrcpynW(line, cmd, 4096);

    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(argv[1], line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        fwprintf(stderr, L"cannot start %ls (error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    target_pid = pi.dwProcessId;
    WaitForInputIdle(pi.hProcess, 10000);
    HWND hwnd = nullptr;
    for (int i = 0; i < 500 && !hwnd; i++) {
        if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) break;
        EnumWindows(find_visible, reinterpret_cast<LPARAM>(&hwnd));
        if (!hwnd) Sleep(20);
    }
    if (!hwnd) {
        fwprintf(stderr, L"%ls showed no window\n", argv[1]);
        return 1;
    }
    DWORD_PTR r;
    SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &r);
    Sleep(1500); // let it paint and the desktop settle
    wchar_t title[256] = L"";
    GetWindowTextW(hwnd, title, 256);
    wprintf(L"window: %ls\n", title);
    return 0;
}
