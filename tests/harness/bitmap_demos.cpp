#include "harness/bitmap_demos.h"
#include "harness/dib_files.h"
#include "harness/probe.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace harness {

namespace fs = std::filesystem;

HWND launch_placed(app& a, const wchar_t* name, int width, int height, const std::wstring& exe,
                   int x, int y) {
    if (!a.start(exe.empty() ? program_path(name) : exe)) return nullptr;
    HWND hwnd = a.wait_window(name);
    EXPECT_NE(hwnd, nullptr) << "no window of class " << fs::path(name).string();
    if (!hwnd) return nullptr;
    SetForegroundWindow(hwnd);
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    resize_client(hwnd, width, height);
    return hwnd;
}

int differing_pixels(const image& shown, const image& expected, std::string* first) {
    if (shown.width != expected.width || shown.height != expected.height) {
        if (first)
            *first = "size " + std::to_string(shown.width) + "x" + std::to_string(shown.height) +
                     " instead of " + std::to_string(expected.width) + "x" +
                     std::to_string(expected.height);
        return int(std::max(shown.px.size(), expected.px.size()));
    }
    int n = 0;
    for (int y = 0; y < shown.height; y++)
        for (int x = 0; x < shown.width; x++)
            if (shown.at(x, y) != expected.at(x, y) && n++ == 0 && first) {
                char text[96];
                snprintf(text, sizeof text, "(%d,%d) is %06X instead of %06X", x, y,
                         unsigned(shown.at(x, y)), unsigned(expected.at(x, y)));
                *first = text;
            }
    return n;
}

// Rows from the top, the leftmost pixel in the most significant bit, 1 = white.
static const uint8_t brick_rows[8] = {0xFF, 0x0C, 0x0C, 0x0C, 0xFF, 0xC0, 0xC0, 0xC0};

image brick_wall(int width, int height, int phase_x, int phase_y) {
    image wall;
    wall.width = width;
    wall.height = height;
    wall.px.resize(size_t(width) * height);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            const int bx = ((x - phase_x) % 8 + 8) % 8, by = ((y - phase_y) % 8 + 8) % 8;
            wall.px[size_t(y) * width + x] = brick_rows[by] & (0x80 >> bx) ? 0xFFFFFF : 0x000000;
        }
    return wall;
}

bool brick_phase(const image& shown, POINT* phase) {
    for (int py = 0; py < 8; py++)
        for (int px = 0; px < 8; px++)
            if (differing_pixels(shown, brick_wall(shown.width, shown.height, px, py)) == 0) {
                *phase = POINT{px, py};
                return true;
            }
    return false;
}

SIZE corner_size() {
    return SIZE{2 * GetSystemMetrics(SM_CXSIZEFRAME) + GetSystemMetrics(SM_CXSMICON),
                GetSystemMetrics(SM_CYSIZEFRAME) + GetSystemMetrics(SM_CYCAPTION)};
}

image window_corner(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    const SIZE s = corner_size();
    return capture_screen(RECT{r.left, r.top, r.left + s.cx, r.top + s.cy});
}

std::wstring class_standard_icon(HWND hwnd) {
    return probe(hwnd, PROBE_CLASS_STANDARD_ICON);
}

std::vector<uint8_t> resource_bytes(const wchar_t* program, const wchar_t* type,
                                    const wchar_t* name) {
    std::vector<uint8_t> bytes;
    HMODULE module =
        LoadLibraryExW(program_path(program).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return bytes;
    if (HRSRC found = FindResourceW(module, name, type))
        if (HGLOBAL loaded = LoadResource(module, found)) {
            const uint8_t* p = static_cast<const uint8_t*>(LockResource(loaded));
            if (p) bytes.assign(p, p + SizeofResource(module, found));
        }
    FreeLibrary(module);
    return bytes;
}

program_without_resource::program_without_resource(const wchar_t* program, const wchar_t* type,
                                                   const wchar_t* name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static int counter;
    dir_ = (fs::path(temp) / (L"stripped-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++counter)))
               .wstring();
    std::error_code ec;
    fs::create_directories(dir_, ec);
    path_ = (fs::path(dir_) / (std::wstring(program) + L".exe")).wstring();

    // A resource name is stored in the resource directory as its length in 16 bits followed by
    // its UTF-16 characters; changing its last character in the copy leaves the rest of the file
    // as it was. (Wine's resource-update calls did not manage to remove it from these files.)
    std::vector<uint8_t> bytes = read_bytes(program_path(program));
    std::vector<uint8_t> stored{uint8_t(wcslen(name)), 0};
    for (const wchar_t* c = name; *c; c++)
        stored.insert(stored.end(), {uint8_t(*c), uint8_t(*c >> 8)});
    auto at = std::search(bytes.begin(), bytes.end(), stored.begin(), stored.end());
    if (at == bytes.end() || wcslen(name) == 0) return;
    at[stored.size() - 2] = '~';
    write_bytes(path_, bytes);

    // What the copy holds now: the name no longer found, everything else still there.
    if (HMODULE m = LoadLibraryExW(path_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
        removed_ = FindResourceW(m, name, type) == nullptr;
        FreeLibrary(m);
    }
}

program_without_resource::~program_without_resource() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
}

} // namespace harness
