#include "harness/tracing.h"

#include "trace_format.h"

#include <windows.h>

namespace harness {

trace_messages::trace_messages(const std::wstring& exe)
    : desktop_probe_hook(WH_CBT, "probe_trace_hook") {
    wchar_t dir[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, dir);
    file_ = std::wstring(dir) + L"trace-" + std::to_wstring(GetCurrentProcessId()) + L".bin";
    DeleteFileW(file_.c_str());
    SetEnvironmentVariableW(L"SUITE_TRACE_FILE", file_.c_str());
    SetEnvironmentVariableW(L"SUITE_TRACE_EXE", exe.c_str());
}

trace_messages::~trace_messages() {
    SetEnvironmentVariableW(L"SUITE_TRACE_FILE", nullptr);
    SetEnvironmentVariableW(L"SUITE_TRACE_EXE", nullptr);
    // The program may still hold the file mapped; then it is left to the temporary folder.
    DeleteFileW(file_.c_str());
}

std::vector<std::string> trace_messages::lines() const {
    return trace::format_file(file_, trace::options{});
}

} // namespace harness
