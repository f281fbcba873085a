#include "harness/peers.h"
#include "harness/harness.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace harness {

namespace fs = std::filesystem;

std::string unix_path_of(const std::wstring& windows_path) {
    using to_unix = char*(CDECL*)(const wchar_t*);
    static auto convert = reinterpret_cast<to_unix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    std::string out;
    if (char* p = convert ? convert(windows_path.c_str()) : nullptr) {
        out = p;
        HeapFree(GetProcessHeap(), 0, p);
    }
    return out;
}

std::wstring windows_path_of(const std::string& unix_path) {
    std::wstring w = L"Z:";
    for (char c : unix_path)
        w += c == '/' ? L'\\' : wchar_t(static_cast<unsigned char>(c));
    return w;
}

static std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Wine starts a Linux program without a process handle that follows it, so completion is told by
// a status file the script writes last.
int run_unix(const std::string& script, std::string* output, DWORD timeout_ms) {
    static int counter;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    fs::path base = fs::path(temp) / (L"sh-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                      std::to_wstring(++counter));
    fs::path script_file = base.wstring() + L".sh", out_file = base.wstring() + L".out",
             status_file = base.wstring() + L".status";
    std::string u_out = unix_path_of(out_file), u_status = unix_path_of(status_file);
    {
        std::ofstream s(script_file, std::ios::binary);
        s << "( " << script << "\n) > '" << u_out << "' 2>&1\necho $? > '" << u_status
          << ".tmp'\nmv '" << u_status << ".tmp' '" << u_status << "'\n";
    }
    std::wstring cmd = L"sh " + windows_path_of(unix_path_of(script_file)).substr(2);
    for (auto& c : cmd)
        if (c == L'\\') c = L'/';
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(L"Z:\\bin\\sh", cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &si, &pi))
        return -1;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    int status = -1;
    if (wait_until([&] { return fs::exists(status_file); }, timeout_ms)) {
        status = std::atoi(slurp(status_file).c_str());
        if (output) *output = slurp(out_file);
    }
    std::error_code ec;
    for (const fs::path& p : {script_file, out_file, status_file})
        fs::remove(p, ec);
    return status;
}

std::wstring printed_dir() {
    wchar_t dir[MAX_PATH] = L"";
    if (!GetEnvironmentVariableW(L"SUITE_PDF_DIR", dir, MAX_PATH)) return L"";
    std::string u;
    for (wchar_t* p = dir; *p; p++)
        u += char(*p);
    return windows_path_of(u);
}

std::vector<std::wstring> printed_files() {
    std::vector<std::pair<fs::file_time_type, std::wstring>> found;
    std::error_code ec;
    std::wstring dir = printed_dir();
    if (!dir.empty())
        for (const auto& e : fs::directory_iterator(dir, ec))
            if (e.path().extension() == L".pdf")
                found.push_back({e.last_write_time(), e.path().wstring()});
    std::sort(found.begin(), found.end());
    std::vector<std::wstring> files;
    for (auto& f : found)
        files.push_back(f.second);
    return files;
}

std::wstring wait_printed(size_t known, DWORD timeout_ms) {
    std::wstring file;
    wait_until(
        [&] {
            auto files = printed_files();
            if (files.size() <= known) return false;
            // Complete once the job has left the queue (the PDF writer has finished the file;
            // a file still being written may already read as a page without its content) and
            // pdfinfo can read it.
            std::string queued;
            if (run_unix("lpstat -o", &queued) != 0 || !queued.empty()) return false;
            if (pdf_pages(files.back()) <= 0) return false;
            file = files.back();
            return true;
        },
        timeout_ms);
    return file;
}

std::string pdf_text(const std::wstring& pdf) {
    std::string out;
    run_unix("pdftotext -layout '" + unix_path_of(pdf) + "' -", &out);
    return out;
}

int pdf_pages(const std::wstring& pdf) {
    std::string out;
    if (run_unix("pdfinfo '" + unix_path_of(pdf) + "' | sed -n 's/^Pages: *//p'", &out) != 0)
        return -1;
    return std::atoi(out.c_str());
}

} // namespace harness
