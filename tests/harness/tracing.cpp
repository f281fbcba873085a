#include "harness/tracing.h"

#include "trace_format.h"
#include "trace_records.h"

#include <windows.h>

namespace harness {

trace_messages::trace_messages(const std::wstring& exe, const std::wstring& file)
    : desktop_probe_hook(WH_CBT, "probe_trace_hook"), file_(file), temporary_(file.empty()) {
    if (temporary_) {
        wchar_t dir[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, dir);
        file_ = std::wstring(dir) + L"trace-" + std::to_wstring(GetCurrentProcessId()) + L".bin";
    }
    DeleteFileW(file_.c_str());
    if (exe.size() >= 260 || file_.size() >= 260) return;
    request_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                  sizeof(trace_request), TRACE_REQUEST_NAME);
    auto* r = request_ ? static_cast<trace_request*>(
                             MapViewOfFile(request_, FILE_MAP_WRITE, 0, 0, sizeof(trace_request)))
                       : nullptr;
    if (!r) {
        if (request_) CloseHandle(request_);
        request_ = nullptr;
        return;
    }
    exe.copy(r->exe, exe.size());
    r->exe[exe.size()] = 0;
    file_.copy(r->file, file_.size());
    r->file[file_.size()] = 0;
    UnmapViewOfFile(r);
}

trace_messages::~trace_messages() {
    if (request_) CloseHandle(request_);
    // The program may still hold the file mapped; then it is left to the temporary folder.
    if (temporary_) DeleteFileW(file_.c_str());
}

std::vector<std::string> trace_messages::lines() const {
    return trace::format_file(file_, trace::options{});
}

} // namespace harness
