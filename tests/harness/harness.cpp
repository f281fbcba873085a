#include "harness/harness.h"
#include "harness/hooking.h"
#include "harness/dpi_awareness.h"
#include "harness/probe.h"

#include <algorithm>
#include <climits>
#include <stdio.h>
#include <filesystem>

namespace harness {

namespace fs = std::filesystem;

// The tests' agents live in <build>\tests, the programs in <build>\bin, in the build the test
// drives.
std::wstring program_path(const wchar_t* name) {
    return (fs::path(agent_dir()).parent_path() / L"bin" / (std::wstring(name) + L".exe"))
        .wstring();
}

std::wstring fixture_path(const wchar_t* name) {
    return (fs::path(agent_dir()) / L"fixtures" / (std::wstring(name) + L".exe")).wstring();
}

bool wait_until(const std::function<bool()>& ready, DWORD timeout_ms) {
    DWORD start = GetTickCount();
    for (;;) {
        if (ready()) return true;
        if (GetTickCount() - start > timeout_ms) return false;
        Sleep(20);
    }
}

void note_retry(const std::string& what) {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = driving_32bit() ? "e2e32" : "e2e";
    if (test) name = name + "." + test->test_suite_name() + "." + test->name();
    printf("retried: %s\n", what.c_str());
    // ./test names the list by its Linux path, which Wine shows as drive Z:.
    wchar_t path[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"SUITE_RETRY_LOG", path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    std::wstring file = path;
    if (file[0] == L'/') {
        std::replace(file.begin(), file.end(), L'/', L'\\');
        file = L"Z:" + file;
    }
    if (FILE* f = _wfopen(file.c_str(), L"a")) {
        fprintf(f, "%s\t%s\n", name.c_str(), what.c_str());
        fclose(f);
    }
}

// ---- app ----

app::~app() {
    kill();
    if (pi_.hProcess) CloseHandle(pi_.hProcess);
    if (pi_.hThread) CloseHandle(pi_.hThread);
    if (!dir_.empty()) {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
}

bool app::start(const std::wstring& exe, const std::wstring& args, int show) {
    static int counter;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    if (workdir.empty()) {
        dir_ = (fs::path(temp) / (L"run-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                  std::to_wstring(++counter)))
                   .wstring();
        std::error_code ec;
        fs::remove_all(dir_, ec);
        fs::create_directories(dir_, ec);
        if (prepare) prepare(dir_);
    }
    const std::wstring& cwd = workdir.empty() ? dir_ : workdir;

    std::wstring cmd = L"\"" + exe + L"\"";
    if (!args.empty()) cmd += L" " + args;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (show >= 0) {
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = WORD(show);
    }
    // Now and then Wine loses a new process before it has finished starting and reports an
    // internal error; such a start is tried again (and listed as a retry), any other failure
    // fails at once.
    for (int attempt = 1;; ++attempt) {
        if (CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           cwd.c_str(), &si, &pi_))
            break;
        const DWORD error = GetLastError();
        if (error != ERROR_INTERNAL_ERROR || attempt == 3) {
            ADD_FAILURE() << "cannot start " << fs::path(exe).string() << ", error " << error;
            return false;
        }
        note_retry("starting " + fs::path(exe).filename().string() + " failed with error " +
                   std::to_string(error) + " (a process Wine lost); started again");
        Sleep(200);
    }
    WaitForInputIdle(pi_.hProcess, 10000);
    return true;
}

struct window_search {
    DWORD pid;
    const wchar_t* class_name;
    HWND except;
    HWND found;
};

static BOOL CALLBACK match_window(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<window_search*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != s->pid || hwnd == s->except || !IsWindowVisible(hwnd)) return TRUE;
    if (_wcsicmp(class_of(hwnd).c_str(), s->class_name) != 0) return TRUE;
    s->found = hwnd;
    return FALSE;
}

static HWND find_window(DWORD pid, const wchar_t* class_name, HWND except, DWORD timeout_ms) {
    window_search s{pid, class_name, except, nullptr};
    wait_until(
        [&] {
            EnumWindows(match_window, reinterpret_cast<LPARAM>(&s));
            return s.found != nullptr;
        },
        timeout_ms);
    return s.found;
}

HWND app::wait_window(const wchar_t* class_name, DWORD timeout_ms) {
    HWND hwnd = find_window(pid(), class_name, nullptr, timeout_ms);
    if (hwnd && !window_) window_ = hwnd;
    return hwnd;
}

HWND app::wait_dialog(DWORD timeout_ms, HWND except) {
    return find_window(pid(), L"#32770", except, timeout_ms);
}

bool app::wait_exit(DWORD timeout_ms, DWORD* exit_code) {
    if (!pi_.hProcess || WaitForSingleObject(pi_.hProcess, timeout_ms) != WAIT_OBJECT_0)
        return false;
    GetExitCodeProcess(pi_.hProcess, exit_code);
    return true;
}

bool app::running() const {
    return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
}

void app::kill() {
    if (running()) {
        TerminateProcess(pi_.hProcess, 255);
        WaitForSingleObject(pi_.hProcess, 5000);
    }
}

// On a scaled screen (SUITE_DPI, given to the tests named "..._at_<dpi>_dpi"), the test measures
// with the fonts and metrics of that DPI, and the program must see the same DPI and be aware of
// the system DPI, as its manifest declares. Windows gives an unaware program 96 DPI and scales its
// window; Wine 8 gives every program the prefix's DPI and reports every process, manifest or none,
// per-monitor aware: where this test process, which declares nothing, is reported as aware as the
// program, the awareness tells nothing (the manifest itself is checked in the executables).
static void expect_scaled_screen(HWND hwnd) {
    wchar_t dpi[8];
    if (!GetEnvironmentVariableW(L"SUITE_DPI", dpi, 8)) return;
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(std::to_wstring(GetDeviceCaps(screen, LOGPIXELSY)), dpi) << "the test's DPI";
    ReleaseDC(nullptr, screen);
    const std::wstring answer = probe(hwnd, PROBE_DPI);
    const size_t tab = answer.find(L'\t');
    ASSERT_NE(tab, std::wstring::npos) << "no DPI came";
    EXPECT_EQ(answer.substr(0, tab), dpi) << "the program's DPI";
    const int aware = _wtoi(answer.c_str() + tab + 1), own = dpi_awareness();
    EXPECT_TRUE(aware == 1 || (aware == own && own > 0))
        << "the program's DPI awareness " << aware << ", this process's " << own;
}

HWND launch(app& a, const wchar_t* name, const std::wstring& args) {
    if (!a.start(program_path(name), args)) return nullptr;
    HWND hwnd = a.wait_window(name);
    EXPECT_NE(hwnd, nullptr) << "no window of class " << fs::path(name).string();
    if (hwnd) {
        SetForegroundWindow(hwnd);
        settle(hwnd);
        expect_scaled_screen(hwnd);
    }
    return hwnd;
}

// ---- Windows and texts ----

std::wstring text_of(HWND hwnd) {
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &len))
        return L"";
    std::wstring s(len + 1, L'\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, len + 1, reinterpret_cast<LPARAM>(s.data()),
                        SMTO_ABORTIFHUNG, 5000, &got);
    s.resize(got);
    return s;
}

std::wstring class_of(HWND hwnd) {
    wchar_t name[256] = L"";
    GetClassNameW(hwnd, name, 256);
    return name;
}

static BOOL CALLBACK collect_child(HWND hwnd, LPARAM lp) {
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
    return TRUE;
}

std::vector<HWND> children(HWND parent) {
    std::vector<HWND> v;
    EnumChildWindows(parent, collect_child, reinterpret_cast<LPARAM>(&v));
    return v;
}

RECT client_rect(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void sync(HWND hwnd) {
    DWORD_PTR r;
    SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &r);
}

void settle(HWND hwnd, int ms) {
    sync(hwnd);
    Sleep(ms);
    sync(hwnd);
}

void resize(HWND hwnd, int width, int height) {
    SetWindowPos(hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    settle(hwnd);
}

SIZE resize_client(HWND hwnd, int width, int height) {
    RECT outer, inner;
    GetWindowRect(hwnd, &outer);
    GetClientRect(hwnd, &inner);
    resize(hwnd, width + (outer.right - outer.left) - inner.right,
           height + (outer.bottom - outer.top) - inner.bottom);
    GetClientRect(hwnd, &inner);
    return SIZE{inner.right, inner.bottom};
}

void close(HWND hwnd) {
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
}

// ---- Message boxes ----

message_box wait_message_box(app& a, DWORD timeout_ms) {
    message_box box;
    box.hwnd = a.wait_dialog(timeout_ms);
    if (!box.hwnd) return box;
    settle(box.hwnd);
    box.caption = text_of(box.hwnd);
    if (HWND text = GetDlgItem(box.hwnd, 0xFFFF)) box.text = text_of(text);
    return box;
}

void press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

static long long difference(const image& a, const image& b) {
    long long d = 0;
    for (size_t i = 0; i < a.px.size() && i < b.px.size(); i++)
        for (int shift = 0; shift < 24; shift += 8)
            d += std::abs(int((a.px[i] >> shift) & 0xFF) - int((b.px[i] >> shift) & 0xFF));
    return d;
}

// The box's icon is a static control of style SS_ICON (present but empty in a box without an
// icon); a shown icon is compared with each standard icon drawn by the test on the same
// background, and the closest one wins.
box_icon icon_of(HWND box) {
    HWND icon_ctl = nullptr;
    for (HWND c : children(box))
        if (_wcsicmp(class_of(c).c_str(), L"Static") == 0 &&
            (GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(c))
            icon_ctl = c;
    DWORD_PTR icon = 0;
    if (icon_ctl) SendMessageTimeoutW(icon_ctl, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 5000, &icon);
    if (!icon) return box_icon::none;
    SetForegroundWindow(box);
    settle(box);
    RECT r;
    GetWindowRect(icon_ctl, &r);
    image shown = capture_screen(r);
    if (shown.width == 0) return box_icon::none;
    uint32_t bg = shown.at(0, 0);
    const struct {
        const wchar_t* id;
        box_icon kind;
    } icons[] = {{IDI_ERROR, box_icon::error},
                 {IDI_WARNING, box_icon::warning},
                 {IDI_INFORMATION, box_icon::information},
                 {IDI_QUESTION, box_icon::question}};
    box_icon best = box_icon::none;
    long long best_d = -1;
    for (const auto& i : icons) {
        image ref = render(shown.width, shown.height, [&](HDC dc) {
            HBRUSH b = CreateSolidBrush(RGB(bg >> 16, (bg >> 8) & 0xFF, bg & 0xFF));
            RECT all{0, 0, shown.width, shown.height};
            FillRect(dc, &all, b);
            DeleteObject(b);
            if (i.id) DrawIconEx(dc, 0, 0, LoadIconW(nullptr, i.id), 0, 0, 0, nullptr, DI_NORMAL);
        });
        long long d = difference(shown, ref);
        if (best_d < 0 || d < best_d) {
            best_d = d;
            best = i.kind;
        }
    }
    return best;
}

// ---- Common dialogs ----

HWND find_control(HWND parent, int id, const wchar_t* class_name) {
    for (HWND c : children(parent))
        if (GetDlgCtrlID(c) == id && _wcsicmp(class_of(c).c_str(), class_name) == 0) return c;
    return nullptr;
}

HWND answer_file_dialog(app& a, const std::wstring& path, DWORD timeout_ms) {
    HWND dlg = a.wait_dialog(timeout_ms);
    if (!dlg) return nullptr;
    settle(dlg);
    HWND edit = find_control(dlg, 1148, L"Edit");
    if (!edit) return nullptr;
    DWORD_PTR r;
    SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()),
                        SMTO_ABORTIFHUNG, 5000, &r);
    press(dlg, IDOK);
    return dlg;
}

// ---- Input ----

static LPARAM key_lparam(UINT vk, bool up) {
    UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    LPARAM lp = 1 | (LPARAM(scan) << 16);
    if (up) lp |= (LPARAM(1) << 30) | (LPARAM(1) << 31);
    return lp;
}

void post_key(HWND hwnd, UINT vk, int repeat) {
    for (int i = 0; i < repeat; i++) {
        PostMessageW(hwnd, WM_KEYDOWN, vk, key_lparam(vk, false));
        PostMessageW(hwnd, WM_KEYUP, vk, key_lparam(vk, true));
    }
    sync(hwnd);
}

void type_key(HWND hwnd, UINT vk, int repeat) {
    for (int i = 0; i < repeat; i++) {
        PostMessageW(hwnd, WM_KEYDOWN, vk, key_lparam(vk, false));
        drain(hwnd);
        PostMessageW(hwnd, WM_KEYUP, vk, key_lparam(vk, true));
        drain(hwnd);
    }
}

void post_chars(HWND hwnd, const std::wstring& text) {
    for (wchar_t c : text)
        PostMessageW(hwnd, WM_CHAR, c, 1);
    sync(hwnd);
}

void post_click(HWND hwnd, int x, int y, bool right) {
    LPARAM at = MAKELPARAM(x, y);
    PostMessageW(hwnd, WM_MOUSEMOVE, 0, at);
    PostMessageW(hwnd, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON,
                 at);
    PostMessageW(hwnd, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
    sync(hwnd);
}

void send_input_keys(HWND hwnd, const std::vector<WORD>& vks) {
    SetForegroundWindow(hwnd);
    settle(hwnd);
    std::vector<INPUT> in;
    for (WORD vk : vks) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = vk;
        in.push_back(i);
    }
    for (auto it = vks.rbegin(); it != vks.rend(); ++it) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = *it;
        i.ki.dwFlags = KEYEVENTF_KEYUP;
        in.push_back(i);
    }
    SendInput(UINT(in.size()), in.data(), sizeof(INPUT));
    settle(hwnd);
}

// ---- Pixels ----

struct dib {
    HDC dc = nullptr;
    HBITMAP bmp = nullptr;
    HGDIOBJ old = nullptr;
    uint32_t* bits = nullptr;
    dib(int w, int h) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h; // top-down
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        dc = CreateCompatibleDC(nullptr);
        void* p = nullptr;
        bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
        bits = static_cast<uint32_t*>(p);
        old = SelectObject(dc, bmp);
    }
    ~dib() {
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
    image take(int w, int h) const {
        GdiFlush();
        image img;
        img.width = w;
        img.height = h;
        img.px.assign(bits, bits + size_t(w) * h);
        for (auto& p : img.px)
            p &= 0xFFFFFF;
        return img;
    }
};

image capture_screen(const RECT& r) {
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return {};
    dib d(w, h);
    HDC screen = GetDC(nullptr);
    BitBlt(d.dc, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return d.take(w, h);
}

// Waits until the program has taken everything posted to it (the probe round trip) and has
// painted, then captures until two captures a moment apart agree.
static BOOL CALLBACK child_needs_paint(HWND child, LPARAM lp) {
    if (!IsWindowVisible(child) || !GetUpdateRect(child, nullptr, FALSE)) return TRUE;
    *reinterpret_cast<bool*>(lp) = true;
    return FALSE;
}

// No part of the window or of its children waits to be painted.
static bool painted(HWND hwnd) {
    if (GetUpdateRect(hwnd, nullptr, FALSE)) return false;
    bool pending = false;
    EnumChildWindows(hwnd, child_needs_paint, reinterpret_cast<LPARAM>(&pending));
    return !pending;
}

image capture_settled(HWND hwnd, const RECT& r) {
    drain(hwnd);
    wait_until([&] { return painted(hwnd); }, 10000);
    settle(hwnd);
    image last = capture_screen(r);
    for (int i = 0; i < 20; i++) {
        settle(hwnd, 40);
        wait_until([&] { return painted(hwnd); }, 10000);
        image now = capture_screen(r);
        if (now == last) return now;
        last = now;
    }
    return last;
}

static image capture_settled(HWND hwnd) {
    return capture_settled(hwnd, client_rect(hwnd));
}

image capture_client(HWND hwnd) {
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return capture_settled(hwnd);
}

image capture_repainted(HWND hwnd) {
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    InvalidateRect(hwnd, nullptr, TRUE);
    return capture_settled(hwnd);
}

image render(int width, int height, const std::function<void(HDC)>& draw) {
    dib d(width, height);
    RECT all{0, 0, width, height};
    FillRect(d.dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    draw(d.dc);
    return d.take(width, height);
}

RECT bounds(const image& img, const std::function<bool(uint32_t)>& ink) {
    RECT r{img.width, img.height, 0, 0};
    for (int y = 0; y < img.height; y++)
        for (int x = 0; x < img.width; x++)
            if (ink(img.at(x, y))) {
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1);
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    if (r.right == 0) r = RECT{0, 0, 0, 0};
    return r;
}

uint32_t px_of(COLORREF c) {
    return (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}

bool is_dark(uint32_t px) {
    return ((px >> 16) & 0xFF) + ((px >> 8) & 0xFF) + (px & 0xFF) < 3 * 128;
}

void save_bmp(const image& img, const std::wstring& path) {
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = img.width;
    ih.biHeight = -img.height;
    ih.biPlanes = 1;
    ih.biBitCount = 32;
    DWORD bytes = DWORD(img.px.size() * 4);
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + bytes;
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD done;
    WriteFile(f, &fh, sizeof fh, &done, nullptr);
    WriteFile(f, &ih, sizeof ih, &done, nullptr);
    WriteFile(f, img.px.data(), bytes, &done, nullptr);
    CloseHandle(f);
}

// ---- Clipboard ----

std::wstring clipboard_text() {
    std::wstring s;
    if (!wait_until([] { return OpenClipboard(nullptr) != FALSE; }, 3000)) return s;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
            s = p;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return s;
}

// ---- The probe ----

struct probe_reply {
    bool done = false;
    std::wstring text;
};

static LRESULT CALLBACK reply_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COPYDATA) {
        auto* r = reinterpret_cast<probe_reply*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        auto* cd = reinterpret_cast<const COPYDATASTRUCT*>(lp);
        if (r && cd->cbData >= sizeof(wchar_t)) {
            r->text.assign(static_cast<const wchar_t*>(cd->lpData),
                           cd->cbData / sizeof(wchar_t) - 1);
            r->done = true;
        }
        return TRUE;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

std::wstring probe(HWND target, int query, const std::function<void()>& after_hooking) {
    static UINT message = RegisterWindowMessageW(PROBE_MESSAGE_NAME);
    static ATOM cls = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = reply_proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"HarnessProbeReply";
        return RegisterClassW(&wc);
    }();
    probe_reply reply;
    if (!cls) {
        ADD_FAILURE() << "the probe's reply class is missing";
        return reply.text;
    }
    DWORD tid = GetWindowThreadProcessId(target, nullptr);
    HWND sink = CreateWindowExW(0, L"HarnessProbeReply", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(sink, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&reply));
    HHOOK hook = set_probe_hook(WH_GETMESSAGE, "probe_hook", tid);
    if (!hook) ADD_FAILURE() << "cannot hook the program's thread, error " << GetLastError();
    if (hook && after_hooking) after_hooking();
    DWORD start = GetTickCount();
    DWORD last_post = 0;
    while (hook && !reply.done && GetTickCount() - start < 10000) {
        // The first question may arrive before the DLL is in place; ask again until answered.
        if (GetTickCount() - last_post > 1000 || last_post == 0) {
            PostMessageW(target, message, WPARAM(query), reinterpret_cast<LPARAM>(sink));
            last_post = GetTickCount();
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&m);
    }
    remove_probe_hook(hook);
    DestroyWindow(sink);
    EXPECT_TRUE(reply.done) << "the probe did not answer";
    return reply.text;
}

static std::vector<menu_item> parse_menu(const std::wstring& text);

std::vector<menu_item> read_menu(HWND hwnd, bool system_menu) {
    return parse_menu(probe(hwnd, system_menu ? PROBE_SYSTEM_MENU : PROBE_MENU));
}

std::vector<menu_item> read_menu_opened(HWND hwnd, int popup) {
    return parse_menu(probe(hwnd, PROBE_MENU_AFTER_POPUP + popup));
}

static std::vector<menu_item> parse_menu(const std::wstring& text) {
    std::vector<menu_item> items;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find(L'\n', pos);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(pos, end - pos);
        pos = end + 1;
        size_t t1 = line.find(L'\t'), t2 = line.find(L'\t', t1 + 1), t3 = line.find(L'\t', t2 + 1);
        if (t3 == std::wstring::npos) continue;
        menu_item it;
        it.depth = std::stoi(line.substr(0, t1));
        it.id = std::stoi(line.substr(t1 + 1, t2 - t1 - 1));
        it.state = UINT(std::stoul(line.substr(t2 + 1, t3 - t2 - 1)));
        it.text = line.substr(t3 + 1);
        items.push_back(it);
    }
    return items;
}

const menu_item* find_item(const std::vector<menu_item>& menu, const std::wstring& text) {
    for (const auto& it : menu)
        if (it.text == text) return &it;
    return nullptr;
}

scroll_state read_scroll(HWND hwnd, int bar) {
    const int query = bar == SB_HORZ  ? PROBE_HSCROLL
                      : bar == SB_CTL ? PROBE_CTL_SCROLL
                                      : PROBE_VSCROLL;
    std::wstring text = probe(hwnd, query);
    scroll_state s;
    s.present = swscanf(text.c_str(), L"%d\t%d\t%d\t%d\t%d", &s.min, &s.max, &s.page, &s.pos,
                        &s.track) == 5;
    return s;
}

int beeps(HWND hwnd) {
    return _wtoi(probe(hwnd, PROBE_BEEPS).c_str());
}

std::vector<unsigned> numbers_of_lines(const std::wstring& text) {
    std::vector<unsigned> numbers;
    for (size_t at = 0; at < text.size();) {
        numbers.push_back(unsigned(wcstoul(text.c_str() + at, nullptr, 10)));
        const size_t end = text.find(L'\n', at);
        if (end == std::wstring::npos) break; // the last line, without its newline
        at = end + 1;
    }
    return numbers;
}

std::vector<unsigned> beep_types(HWND hwnd) {
    return numbers_of_lines(probe(hwnd, PROBE_BEEP_TYPES));
}

int gdi_net(HWND hwnd) {
    const std::wstring net = probe(hwnd, PROBE_GDI_NET);
    if (net.empty()) {
        ADD_FAILURE() << "no count of drawing objects came from inside the program";
        return INT_MIN;
    }
    return _wtoi(net.c_str());
}

void drain(HWND hwnd) {
    probe(hwnd, PROBE_PING);
    sync(hwnd);
}

} // namespace harness
