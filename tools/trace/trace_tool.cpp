// trace [--groups LIST] [--fold] RAW: a message trace recorded by the probe, as text on standard
// output (UTF-8), one message a line. LIST names message groups separated by commas (keyboard,
// mouse, paint, timer, command, window, clipboard, palette, dialog, other, all).
// trace [--groups LIST] --run RAW TEXT PROGRAM [ARGS]: starts the program in its folder, recording
// its messages into RAW, and writes them to TEXT as its windows receive them, until it ends.
#include "harness/tracing.h"
#include "trace_format.h"
#include "trace_records.h"

#include <windows.h>
#include <stdio.h>
#include <string.h>

namespace {

void print(const std::vector<std::string>& lines, FILE* to = stdout) {
    for (const auto& l : lines) {
        fwrite(l.data(), 1, l.size(), to);
        fputc('\n', to);
    }
    fflush(to);
}

bool read_all(const std::wstring& path, std::vector<char>& bytes) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    trace_file_head head{};
    DWORD got = 0;
    bool ok = ReadFile(f, &head, sizeof head, &got, nullptr) && got == sizeof head;
    if (ok) {
        bytes.resize(sizeof head + std::min(head.used, head.capacity));
        DWORD rest = 0;
        ok = bytes.size() == sizeof head ||
             ReadFile(f, bytes.data() + sizeof head, DWORD(bytes.size() - sizeof head), &rest,
                      nullptr);
        memcpy(bytes.data(), &head, sizeof head);
        bytes.resize(sizeof head + rest);
    }
    CloseHandle(f);
    return ok;
}

// Writes the messages as they are recorded until the program ends (or, when it has not started
// after a minute, gives up).
int follow(const std::wstring& path, const trace::options& o, FILE* to) {
    trace::reader r;
    trace::formatter fm(r, o);
    std::vector<char> bytes;
    size_t offset = 0;
    HANDLE process = nullptr;
    for (DWORD waited = 0;; Sleep(50), waited += 50) {
        if (!read_all(path, bytes) || bytes.size() < sizeof(trace_file_head)) {
            if (waited > 60000) return 1;
            continue;
        }
        if (!process) {
            trace_file_head head;
            memcpy(&head, bytes.data(), sizeof head);
            process = OpenProcess(SYNCHRONIZE, FALSE, DWORD(head.pid));
        }
        std::vector<trace::event> events;
        if (!r.read(bytes, offset, events)) return 1;
        std::vector<trace::line> lines;
        for (const auto& e : events)
            fm.add(e, lines);
        print(trace::texts(lines), to);
        const bool gone = !process || WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
        if (r.ended || gone) {
            // What came after the last read.
            if (read_all(path, bytes)) {
                events.clear();
                r.read(bytes, offset, events);
                lines.clear();
                for (const auto& e : events)
                    fm.add(e, lines);
            }
            fm.finish(lines);
            print(trace::texts(lines), to);
            return 0;
        }
    }
}

// Starts the program with the probe's tracing hook on the desktop, so that it records from its
// first window on, and follows it.
int run(const std::wstring& raw, const std::wstring& text, const std::wstring& exe,
        const std::wstring& args, const trace::options& o) {
    FILE* to = _wfopen(text.c_str(), L"wb");
    if (!to) {
        fprintf(stderr, "trace: cannot write the trace\n");
        return 1;
    }
    const size_t slash = exe.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"." : exe.substr(0, slash);
    harness::trace_messages hook(exe.substr(slash + 1), raw);
    if (!hook.ok()) {
        fprintf(stderr, "trace: cannot set the probe's hook\n");
        return 1;
    }
    std::wstring command = L"\"" + exe + L"\" " + args;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &si, &pi)) {
        fprintf(stderr, "trace: cannot start the program (error %lu)\n", GetLastError());
        return 1;
    }
    CloseHandle(pi.hThread);
    const int status = follow(raw, o, to);
    WaitForSingleObject(pi.hProcess, INFINITE);
    CloseHandle(pi.hProcess);
    fclose(to);
    return status;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    trace::options o;
    std::wstring path;
    for (int i = 1; i < argc; i++) {
        const std::wstring a = argv[i];
        if (a == L"--fold") {
            o.fold = true;
        } else if (a == L"--run" && i + 3 < argc) {
            std::wstring args;
            for (int k = i + 4; k < argc; k++)
                args += (k > i + 4 ? L" " : L"") + std::wstring(argv[k]);
            return run(argv[i + 1], argv[i + 2], argv[i + 3], args, o);
        } else if (a == L"--groups" && i + 1 < argc) {
            std::string list;
            for (const wchar_t* c = argv[++i]; *c; c++)
                list += char(*c);
            o.groups = trace::group_bits(list);
            if (!o.groups) {
                fprintf(stderr, "trace: unknown message group in '%s'\n", list.c_str());
                return 2;
            }
        } else if (path.empty()) {
            path = a;
        } else {
            path.clear();
            break;
        }
    }
    if (path.empty()) {
        fprintf(stderr, "usage: trace [--groups LIST] [--fold] RAW\n"
                        "       trace [--groups LIST] --run RAW TEXT PROGRAM [ARGS]\n");
        return 2;
    }
    std::string error;
    std::vector<std::string> lines = trace::format_file(path, o, &error);
    if (!error.empty()) {
        fprintf(stderr, "trace: %s\n", error.c_str());
        return 1;
    }
    print(lines);
    return 0;
}
