// bench_driver: the measurements of ./bench, taken under Wine by one process so that the suite's
// programs and their baselines are measured side by side, interleaved run by run. Each prints one
// line per program, "name<TAB>median milliseconds" ("name<TAB>-" when it never got there).
//
//   bench_driver startup RUNS EXE...       CreateProcess until the first visible window has painted
//   bench_driver open RUNS FILE EXE...     from OK in the program's open dialog (command 40001)
//                                          until its window has painted the file
//   bench_driver editor RUNS FILE EXE...   CreateProcess until the window shows the whole text of
//                                          FILE (named on the command line) in its edit control
//
// "Painted": the window and all its children have no update region left and the window's thread
// has answered a sent message.
#include <windows.h>
#include <algorithm>
#include <stdio.h>
#include <string>
#include <vector>

static double now_ms() {
    static LARGE_INTEGER f = [] {
        LARGE_INTEGER v;
        QueryPerformanceFrequency(&v);
        return v;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) * 1000.0 / double(f.QuadPart);
}

struct search {
    DWORD pid;
    const wchar_t* cls; // null: any class
    HWND found;
};

static BOOL CALLBACK match(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<search*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != s->pid || !IsWindowVisible(hwnd)) return TRUE;
    wchar_t name[64] = L"";
    GetClassNameW(hwnd, name, 64);
    if (s->cls && lstrcmpiW(name, s->cls) != 0) return TRUE;
    s->found = hwnd;
    return FALSE;
}

static HWND visible_window(DWORD pid, const wchar_t* cls = nullptr) {
    search s{pid, cls, nullptr};
    EnumWindows(match, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

static BOOL CALLBACK child_dirty(HWND hwnd, LPARAM lp) {
    if (IsWindowVisible(hwnd) && GetUpdateRect(hwnd, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(lp) = true;
        return FALSE;
    }
    return TRUE;
}

static bool painted(HWND hwnd) {
    DWORD_PTR r;
    if (!SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &r)) return false;
    if (GetUpdateRect(hwnd, nullptr, FALSE)) return false;
    bool dirty = false;
    EnumChildWindows(hwnd, child_dirty, reinterpret_cast<LPARAM>(&dirty));
    return !dirty;
}

// Polls `done` until it holds or `limit_ms` passed; returns the time it held, or -1.
template <typename F> static double until(F done, double limit_ms = 30000) {
    const double start = now_ms();
    for (;;) {
        if (done()) return now_ms();
        if (now_ms() - start > limit_ms) return -1;
        Sleep(1);
    }
}

struct process {
    PROCESS_INFORMATION pi{};
    bool start(const std::wstring& exe, const std::wstring& args) {
        std::wstring cmd = L"\"" + exe + L"\"" + (args.empty() ? L"" : L" " + args);
        std::wstring dir = exe.substr(0, exe.find_last_of(L"\\/"));
        STARTUPINFOW si{};
        si.cb = sizeof si;
        // Wine now and then loses a new process before it has started (an internal error).
        for (int attempt = 1; attempt <= 3; ++attempt) {
            if (CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               dir.c_str(), &si, &pi))
                return true;
            if (GetLastError() != ERROR_INTERNAL_ERROR) return false;
            Sleep(200);
        }
        return false;
    }
    ~process() {
        if (!pi.hProcess) return;
        if (HWND w = visible_window(pi.dwProcessId)) PostMessageW(w, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(pi.hProcess, 3000) != WAIT_OBJECT_0)
            TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 5000);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
};

static double startup(const std::wstring& exe) {
    process p;
    const double t0 = now_ms();
    if (!p.start(exe, L"")) return -1;
    HWND hwnd = nullptr;
    const double t1 =
        until([&] { return (hwnd = visible_window(p.pi.dwProcessId)) != nullptr; }, 10000);
    if (t1 < 0) return -1;
    const double t2 = until([&] { return painted(hwnd); });
    return t2 < 0 ? -1 : t2 - t0;
}

static double open_file(const std::wstring& exe, const std::wstring& file) {
    process p;
    if (!p.start(exe, L"")) return -1;
    HWND hwnd = nullptr;
    if (until([&] { return (hwnd = visible_window(p.pi.dwProcessId)) != nullptr; }, 10000) < 0 ||
        until([&] { return painted(hwnd); }) < 0)
        return -1;
    PostMessageW(hwnd, WM_COMMAND, 40001, 0);
    HWND dialog = nullptr, edit = nullptr;
    if (until([&] { return (dialog = visible_window(p.pi.dwProcessId, L"#32770")) != nullptr; },
              10000) < 0)
        return -1;
    // The file-name field: control 1148, an edit inside a combo box of the same id.
    until([&] {
        for (HWND c = nullptr; (c = FindWindowExW(dialog, c, nullptr, nullptr));) {
            if (GetDlgCtrlID(c) != 1148) continue;
            edit = FindWindowExW(c, nullptr, L"ComboBox", nullptr);
            edit = FindWindowExW(edit ? edit : c, nullptr, L"Edit", nullptr);
            if (!edit) edit = c;
            return true;
        }
        return false;
    });
    DWORD_PTR r;
    SendMessageTimeoutW(edit, WM_SETTEXT, 0, LPARAM(file.c_str()), SMTO_ABORTIFHUNG, 5000, &r);
    const double t0 = now_ms();
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    const double t1 = until([&] { return !IsWindow(dialog) && painted(hwnd); });
    return t1 < 0 ? -1 : t1 - t0;
}

static HWND edit_of(HWND hwnd) {
    return FindWindowExW(hwnd, nullptr, L"Edit", nullptr);
}

static double editor(const std::wstring& exe, const std::wstring& file, LRESULT chars) {
    process p;
    const double t0 = now_ms();
    if (!p.start(exe, L"\"" + file + L"\"")) return -1;
    HWND hwnd = nullptr;
    const double t1 = until([&] {
        hwnd = visible_window(p.pi.dwProcessId);
        HWND edit = hwnd ? edit_of(hwnd) : nullptr;
        DWORD_PTR n = 0;
        return edit &&
               SendMessageTimeoutW(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &n) &&
               LRESULT(n) == chars && painted(hwnd);
    });
    return t1 < 0 ? -1 : t1 - t0;
}

// The number of UTF-16 units of the UTF-8 file's text after its mark.
static LRESULT utf16_length(const std::wstring& file) {
    HANDLE f = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE) return -1;
    DWORD size = GetFileSize(f, nullptr), got = 0;
    std::string bytes(size, '\0');
    ReadFile(f, bytes.data(), size, &got, nullptr);
    CloseHandle(f);
    const int skip = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    return MultiByteToWideChar(CP_UTF8, 0, bytes.data() + skip, int(got) - skip, nullptr, 0);
}

static std::wstring name_of(const std::wstring& exe) {
    std::wstring n = exe.substr(exe.find_last_of(L"\\/") + 1);
    return n.substr(0, n.rfind(L'.'));
}

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        fwprintf(stderr, L"usage: bench_driver startup|open|editor RUNS [FILE] EXE...\n");
        return 2;
    }
    const std::wstring what = argv[1];
    const int runs = _wtoi(argv[2]);
    const bool with_file = what != L"startup";
    const std::wstring file = with_file ? argv[3] : L"";
    const int first = with_file ? 4 : 3;
    const LRESULT chars = what == L"editor" ? utf16_length(file) : 0;
    std::vector<std::vector<double>> times(argc - first);
    for (int r = 0; r < runs; r++)
        for (int i = first; i < argc; i++) {
            double t = what == L"startup" ? startup(argv[i])
                       : what == L"open"  ? open_file(argv[i], file)
                                          : editor(argv[i], file, chars);
            if (t >= 0) times[i - first].push_back(t);
        }
    for (int i = first; i < argc; i++) {
        auto& v = times[i - first];
        std::sort(v.begin(), v.end());
        if (v.size() * 2 < size_t(runs) || v.empty())
            wprintf(L"%ls\t-\n", name_of(argv[i]).c_str());
        else
            wprintf(L"%ls\t%.1f\n", name_of(argv[i]).c_str(), v[v.size() / 2]);
        fflush(stdout);
    }
    return 0;
}
