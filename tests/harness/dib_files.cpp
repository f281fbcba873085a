#include "harness/dib_files.h"
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace harness {

std::wstring widen(const std::string& s) {
    return std::wstring(s.begin(), s.end());
}

void write_bytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(fs::path(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    ASSERT_TRUE(out.good()) << "cannot write the test file";
}

std::vector<uint8_t> read_bytes(const std::wstring& path) {
    std::ifstream in(fs::path(path), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::wstring> files_in(const std::wstring& dir) {
    std::vector<std::wstring> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(fs::path(dir), ec))
        names.push_back(e.path().filename().wstring());
    std::sort(names.begin(), names.end());
    return names;
}

HWND launch_with_files(app& a, const wchar_t* name, const named_bytes& files, int width,
                       int height) {
    a.prepare = [files](const std::wstring& dir) {
        for (const auto& f : files)
            write_bytes(dir + L"\\" + widen(f.first), f.second);
    };
    HWND hwnd = launch(a, name);
    if (!hwnd) return nullptr;
    // At the desktop's corner, so that all of it is on screen for the captures.
    SetWindowPos(hwnd, nullptr, 0, 0, width, height, SWP_NOZORDER);
    settle(hwnd);
    return hwnd;
}

named_bytes named(const std::vector<bmp::file>& files) {
    named_bytes out;
    for (const bmp::file& f : files)
        out.emplace_back(f.name, f.bytes);
    return out;
}

bool choose_file(app& a, HWND hwnd, int command, const std::wstring& path) {
    PostMessageW(hwnd, WM_COMMAND, WPARAM(command), 0);
    HWND dialog = answer_file_dialog(a, path);
    if (!dialog) return false;
    wait_until([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 10000);
    DWORD_PTR r;
    SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &r);
    return true;
}

void command(HWND hwnd, int id) {
    DWORD_PTR r;
    SendMessageTimeoutW(hwnd, WM_COMMAND, WPARAM(id), 0, SMTO_NORMAL, 30000, &r);
}

message_box choose_file_for_message(app& a, HWND hwnd, int command, const std::wstring& path) {
    PostMessageW(hwnd, WM_COMMAND, WPARAM(command), 0);
    HWND dialog = answer_file_dialog(a, path);
    if (!dialog) return {};
    wait_until([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 10000);
    return wait_message_box(a);
}

void dismiss(const message_box& box) {
    if (!box.hwnd) return;
    press(box.hwnd, IDOK);
    wait_until([&] { return !IsWindow(box.hwnd); });
}

int differing(const image& shown, const bmp::picture& p, int x0, int y0, std::string* first) {
    int n = 0;
    for (int y = 0; y < p.height; y++)
        for (int x = 0; x < p.width; x++) {
            int sx = x0 + x, sy = y0 + y;
            if (sx < 0 || sy < 0 || sx >= shown.width || sy >= shown.height) continue;
            if (shown.at(sx, sy) == p.at(x, y)) continue;
            if (n++ == 0 && first) {
                char buf[128];
                snprintf(buf, sizeof buf, "(%d,%d) shows %06X, the picture has %06X", x, y,
                         unsigned(shown.at(sx, sy)), unsigned(p.at(x, y)));
                *first = buf;
            }
        }
    return n;
}

bool all_of(const image& shown, RECT r, uint32_t colour) {
    for (int y = std::max(0L, r.top); y < std::min(LONG(shown.height), r.bottom); y++)
        for (int x = std::max(0L, r.left); x < std::min(LONG(shown.width), r.right); x++)
            if (shown.at(x, y) != colour) return false;
    return true;
}

uint32_t window_colour() {
    COLORREF c = GetSysColor(COLOR_WINDOW);
    return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

} // namespace harness
