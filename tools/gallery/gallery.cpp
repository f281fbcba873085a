// gallery <scenes file> <shots folder> <program> [arguments]: starts one program where the build
// put it (with these arguments instead of its scene's, when given), plays its scene from the
// scenes file with the end-to-end harness's driving code, and saves <shots folder>\<program>.bmp:
// the program's windows (its main window and any dialog, message box or menu it shows) cut out of
// the screen, or for a program that ends without a window the page it printed. Prints for the
// caller:
//   shot <program> <kind> <left> <top> <right> <bottom>   the rectangle saved, on the screen
//   window <left> <top> <right> <bottom>                  each window in it (GetWindowRect)
//   frames <count> <milliseconds>                         frames of an animation saved as
//                                                         <program>.frame1.bmp ... and how long
//                                                         each is to be shown
// kind: "scene" (played its scene), "startup" (no scene: the window as it starts), "screen" (the
// whole screen), "printed" (the printed page). Exit code 0 when a shot was saved.
#include "harness/clip_peers.h"
#include "harness/dib_files.h"
#include "harness/harness.h"
#include "harness/hooking.h"
#include "harness/mouse_input.h"
#include "harness/peers.h"
#include "harness/printers.h"
#include "harness/tracing.h"

#include <stdio.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

using namespace harness;
namespace fs = std::filesystem;

namespace {

// The outer size a larger main window is given, at 96 DPI: on a scaled screen it grows with the
// screen's DPI, so that a window shows as much of what it draws as on an unscaled one.
const int gallery_width = 560, gallery_height = 420;

SIZE gallery_size() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return SIZE{MulDiv(gallery_width, dpi, 96), MulDiv(gallery_height, dpi, 96)};
}

struct scene_state {
    app program;
    HWND main = nullptr;
    HWND target = nullptr;     // where keys, characters and clicks go
    std::wstring files;        // where the scene's made files live
    std::wstring bin;          // where the programs (and the build's pictures) live
    bool whole_screen = false; // the shot is the whole screen
    WPARAM held = 0;           // the mouse buttons a scene holds down
    std::wstring frame_path;   // <shots>\<program>.frame, numbered and .bmp added
    int frames = 0;            // frames of the animation saved so far
    DWORD frame_delay = 500;   // how long each is shown
};

std::wstring trim(const std::wstring& s) {
    size_t a = s.find_first_not_of(L" \t\r\n"), b = s.find_last_not_of(L" \t\r\n");
    return a == std::wstring::npos ? L"" : s.substr(a, b - a + 1);
}

std::vector<std::wstring> split(const std::wstring& s, wchar_t sep) {
    std::vector<std::wstring> parts;
    std::wstring part;
    std::wistringstream in(s);
    while (std::getline(in, part, sep))
        parts.push_back(part);
    return parts;
}

// '_' stands for a space and '|' for a line break in texts of the scenes file.
std::wstring unescape(const std::wstring& s) {
    std::wstring out;
    for (wchar_t c : s)
        out += c == L'_' ? L' ' : c == L'|' ? L'\r' : c;
    return out;
}

long long number(const std::wstring& s) {
    return wcstoll(s.c_str(), nullptr, 0);
}

UINT key_code(const std::wstring& name) {
    static const struct {
        const wchar_t* name;
        UINT vk;
    } keys[] = {{L"LEFT", VK_LEFT},     {L"RIGHT", VK_RIGHT},     {L"UP", VK_UP},
                {L"DOWN", VK_DOWN},     {L"HOME", VK_HOME},       {L"END", VK_END},
                {L"PRIOR", VK_PRIOR},   {L"NEXT", VK_NEXT},       {L"RETURN", VK_RETURN},
                {L"SPACE", VK_SPACE},   {L"TAB", VK_TAB},         {L"ESCAPE", VK_ESCAPE},
                {L"DELETE", VK_DELETE}, {L"BACK", VK_BACK},       {L"INSERT", VK_INSERT},
                {L"SHIFT", VK_SHIFT},   {L"CONTROL", VK_CONTROL}, {L"MENU", VK_MENU},
                {L"F1", VK_F1},         {L"F4", VK_F4},           {L"F10", VK_F10}};
    for (const auto& k : keys)
        if (name == k.name) return k.vk;
    return name.size() == 1 ? UINT(towupper(name[0])) : 0;
}

// The visible top-level windows of a process, topmost first.
struct window_list {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK collect_window(HWND hwnd, LPARAM lp) {
    auto* w = reinterpret_cast<window_list*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == w->pid && IsWindowVisible(hwnd)) w->found.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> windows_of(DWORD pid) {
    window_list w{pid, {}};
    EnumWindows(collect_window, reinterpret_cast<LPARAM>(&w));
    return w.found;
}

// The main window: one of the program's own class (named after the program), else one with a
// caption that is not a dialog, or, for a program
// that only shows a dialog or a message box, that dialog once it has stayed a moment alone.
HWND wait_main(scene_state& s, const std::wstring& name) {
    HWND main = nullptr;
    DWORD dialog_since = 0;
    wait_until(
        [&] {
            HWND dialog = nullptr, other = nullptr;
            for (HWND w : windows_of(s.program.pid())) {
                std::wstring cls = class_of(w);
                if (_wcsicmp(cls.c_str(), name.c_str()) == 0) main = w;
                if (cls == L"#32770")
                    dialog = w;
                else if (GetWindowLongW(w, GWL_STYLE) & WS_CAPTION)
                    other = w;
            }
            // A program that shares another's window class (an editor built twice).
            if (!main) main = other;
            if (main) return true;
            if (!dialog) {
                dialog_since = 0;
                return !s.program.running();
            }
            if (!dialog_since) dialog_since = GetTickCount();
            if (GetTickCount() - dialog_since > 1000) main = dialog;
            return main != nullptr;
        },
        15000);
    return main;
}

// A file the scene names: one it made, else one the build put beside the programs.
std::wstring file_path(const scene_state& s, const std::wstring& name) {
    std::wstring made = s.files + L"\\" + name;
    return GetFileAttributesW(made.c_str()) != INVALID_FILE_ATTRIBUTES ? made
                                                                       : s.bin + L"\\" + name;
}

HWND newest_dialog(scene_state& s) {
    for (HWND w : windows_of(s.program.pid()))
        if (w != s.main && class_of(w) == L"#32770") return w;
    return nullptr;
}

void drag(HWND hwnd, int x1, int y1, int x2, int y2, bool right) {
    const UINT down = right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN,
               up = right ? WM_RBUTTONUP : WM_LBUTTONUP;
    const WPARAM held = right ? MK_RBUTTON : MK_LBUTTON;
    PostMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(x1, y1));
    PostMessageW(hwnd, down, held, MAKELPARAM(x1, y1));
    for (int i = 1; i <= 8; i++)
        PostMessageW(hwnd, WM_MOUSEMOVE, held,
                     MAKELPARAM(x1 + (x2 - x1) * i / 8, y1 + (y2 - y1) * i / 8));
    PostMessageW(hwnd, up, 0, MAKELPARAM(x2, y2));
    drain(hwnd);
}

RECT screen_rect() {
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// One frame of the animation of a program whose technique is movement: its main window as the
// screen shows it now (the whole screen for a program without a window).
bool save_frame(scene_state& s, std::wstring& error) {
    RECT r = screen_rect();
    if (s.main && !s.whole_screen) {
        RECT w;
        GetWindowRect(s.main, &w);
        IntersectRect(&r, &r, &w);
    }
    image frame = capture_screen(r);
    if (frame.width == 0) return error = L"no frame captured", false;
    save_bmp(frame, s.frame_path + std::to_wstring(++s.frames) + L".bmp");
    return true;
}

// One step of a scene ("verb:argument"); false with a message when it cannot be done.
bool play(scene_state& s, const std::wstring& step, std::wstring& error) {
    size_t colon = step.find(L':');
    std::wstring verb = step.substr(0, colon);
    std::wstring arg = colon == std::wstring::npos ? L"" : step.substr(colon + 1);
    std::vector<std::wstring> a = split(arg, L',');
    auto need = [&](size_t n) {
        if (a.size() >= n) return true;
        error = L"'" + step + L"' needs " + std::to_wstring(n) + L" values";
        return false;
    };
    HWND t = s.target ? s.target : s.main;
    if (verb == L"size") {
        std::vector<std::wstring> wh = split(arg, L'x');
        if (wh.size() != 2) return error = L"size:WxH", false;
        resize_client(s.main, int(number(wh[0])), int(number(wh[1])));
    } else if (verb == L"clip") {
        if (!set_clipboard_text(unescape(arg)))
            return error = L"the clipboard stayed closed", false;
        drain(s.main);
    } else if (verb == L"choose") {
        // choose:ID,TEXT picks the item of a dialog's combo box that begins with TEXT, as a
        // click in its list would (the dialog is told of the new selection)
        if (!need(2)) return false;
        HWND d = newest_dialog(s);
        HWND combo = d ? find_control(d, int(number(a[0])), L"ComboBox") : nullptr;
        if (!combo) return error = L"no combo box " + a[0] + L" in a dialog", false;
        std::wstring text = unescape(arg.substr(arg.find(L',') + 1));
        DWORD_PTR r = DWORD_PTR(CB_ERR);
        SendMessageTimeoutW(combo, CB_SELECTSTRING, WPARAM(-1),
                            reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 5000, &r);
        if (r == DWORD_PTR(CB_ERR)) return error = L"no item " + text + L" in " + a[0], false;
        PostMessageW(d, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
        drain(s.main);
    } else if (verb == L"settext") {
        // settext:ID,TEXT into a control of the newest dialog (a combo box takes it in its edit)
        if (!need(2)) return false;
        HWND d = newest_dialog(s), ctl = nullptr;
        for (HWND c : d ? children(d) : std::vector<HWND>{})
            if (GetDlgCtrlID(c) == number(a[0]) && !ctl) ctl = c;
        if (!ctl) return error = L"no control " + a[0] + L" in a dialog", false;
        std::wstring text = unescape(arg.substr(arg.find(L',') + 1));
        DWORD_PTR r;
        SendMessageTimeoutW(ctl, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                            SMTO_ABORTIFHUNG, 5000, &r);
    } else if (verb == L"cmd") {
        PostMessageW(s.main, WM_COMMAND, WPARAM(number(arg)), 0);
        drain(s.main);
    } else if (verb == L"sys") {
        // sys:ID or sys:ID,LPARAM (SC_KEYMENU with a letter opens that menu)
        PostMessageW(s.main, WM_SYSCOMMAND, WPARAM(number(a[0])),
                     a.size() > 1
                         ? LPARAM(a[1].size() == 1 && !iswdigit(a[1][0]) ? a[1][0] : number(a[1]))
                         : 0);
        drain(s.main);
    } else if (verb == L"open") {
        if (!need(2)) return false;
        if (!choose_file(s.program, s.main, int(number(a[0])), file_path(s, a[1])))
            return error = L"no file dialog came for " + a[0], false;
    } else if (verb == L"dialog") {
        HWND d = nullptr;
        wait_until([&] { return (d = newest_dialog(s)) != nullptr; }, 10000);
        if (!d) return error = L"no dialog came", false;
        settle(d);
    } else if (verb == L"target") {
        if (arg == L"main") {
            s.target = s.main;
        } else if (arg == L"dialog") {
            s.target = newest_dialog(s);
        } else if (arg.rfind(L"dialog/", 0) == 0) {
            HWND d = newest_dialog(s);
            s.target = d ? GetDlgItem(d, number(arg.substr(7))) : nullptr;
        } else if (iswdigit(arg[0])) {
            s.target = GetDlgItem(s.main, number(arg));
        } else {
            // CLASS or CLASS#N: the first (or n-th) child of that class
            std::vector<std::wstring> cn = split(arg, L'#');
            long long n = cn.size() > 1 ? number(cn[1]) : 1;
            s.target = nullptr;
            for (HWND c : children(s.main))
                if (_wcsicmp(class_of(c).c_str(), cn[0].c_str()) == 0 && --n == 0) s.target = c;
        }
        if (!s.target) return error = L"no window for target:" + arg, false;
    } else if (verb == L"key") {
        // key:NAME or key:NAME*count
        std::vector<std::wstring> k = split(arg, L'*');
        UINT vk = key_code(k[0]);
        if (!vk) return error = L"no key named " + k[0], false;
        type_key(t, vk, k.size() > 1 ? int(number(k[1])) : 1);
    } else if (verb == L"input") {
        // input:CONTROL+O, real keystrokes to the foreground window
        std::vector<WORD> vks;
        for (const auto& k : split(arg, L'+'))
            if (UINT vk = key_code(k)) vks.push_back(WORD(vk));
        send_input_keys(t, vks);
    } else if (verb == L"chars") {
        post_chars(t, unescape(arg));
        drain(t);
    } else if (verb == L"click" || verb == L"rclick") {
        // As the mouse would: to the child window under the point, if there is one.
        if (!need(2)) return false;
        POINT p{LONG(number(a[0])), LONG(number(a[1]))};
        HWND under = t;
        for (HWND c; (c = ChildWindowFromPointEx(under, p, CWP_SKIPINVISIBLE)) && c != under;) {
            MapWindowPoints(under, c, &p, 1);
            under = c;
        }
        post_click(under, p.x, p.y, verb == L"rclick");
        drain(t);
    } else if (verb == L"ldown" || verb == L"rdown" || verb == L"lup" || verb == L"rup" ||
               verb == L"move") {
        // The mouse a step at a time, for what takes buttons held together.
        if (!need(2)) return false;
        const LPARAM at = MAKELPARAM(int(number(a[0])), int(number(a[1])));
        const UINT msg = verb == L"ldown"   ? WM_LBUTTONDOWN
                         : verb == L"rdown" ? WM_RBUTTONDOWN
                         : verb == L"lup"   ? WM_LBUTTONUP
                         : verb == L"rup"   ? WM_RBUTTONUP
                                            : WM_MOUSEMOVE;
        if (verb == L"ldown") s.held |= MK_LBUTTON;
        if (verb == L"rdown") s.held |= MK_RBUTTON;
        if (verb == L"lup") s.held &= ~MK_LBUTTON;
        if (verb == L"rup") s.held &= ~MK_RBUTTON;
        PostMessageW(t, msg, s.held, at);
        drain(t);
    } else if (verb == L"cursor") {
        // The mouse cursor itself moved there, as a user moves it: for programs that read where
        // it is, so that the scene does not depend on where the one before left it.
        if (!need(2)) return false;
        mouse_move_to(t, POINT{LONG(number(a[0])), LONG(number(a[1]))});
        drain(t);
    } else if (verb == L"drag" || verb == L"rdrag") {
        if (!need(4)) return false;
        drag(t, int(number(a[0])), int(number(a[1])), int(number(a[2])), int(number(a[3])),
             verb == L"rdrag");
    } else if (verb == L"msg") {
        // msg:MESSAGE,WPARAM,LPARAM posted to the target
        if (!need(3)) return false;
        PostMessageW(t, UINT(number(a[0])), WPARAM(number(a[1])), LPARAM(number(a[2])));
        drain(s.main);
    } else if (verb == L"press") {
        HWND d = newest_dialog(s);
        if (!d) return error = L"no dialog to press " + arg + L" in", false;
        press(d, int(number(arg)));
        drain(s.main);
    } else if (verb == L"wait") {
        Sleep(DWORD(number(arg)));
    } else if (verb == L"frame") {
        if (s.main) drain(s.main);
        return save_frame(s, error);
    } else if (verb == L"frames") {
        // frames:N,MS: N frames, MS apart, shown MS apart
        if (!need(2)) return false;
        s.frame_delay = DWORD(number(a[1]));
        for (long long i = 0; i < number(a[0]); i++) {
            if (i > 0) Sleep(s.frame_delay);
            if (!save_frame(s, error)) return false;
        }
    } else if (verb == L"screen") {
        s.whole_screen = true;
    } else if (verb == L"nowindow" || verb == L"backdrop") {
        // taken before the program starts
    } else {
        return error = L"unknown step '" + step + L"'", false;
    }
    return true;
}

// Files a scene makes before the program starts: pic:NAME,BITS,WxH (a bitmap of coloured
// blocks), text:NAME,TEXT.
bool make_file(scene_state& s, const std::wstring& step, std::wstring& error) {
    size_t colon = step.find(L':');
    std::wstring verb = step.substr(0, colon);
    std::vector<std::wstring> a = split(step.substr(colon + 1), L',');
    CreateDirectoryW(s.files.c_str(), nullptr);
    if (verb == L"pic" && a.size() == 3) {
        std::vector<std::wstring> wh = split(a[2], L'x');
        bmp::format f;
        f.bits = int(number(a[1]));
        f.blocks = true;
        f.width = wh.size() == 2 ? int(number(wh[0])) : 64;
        f.height = wh.size() == 2 ? int(number(wh[1])) : 64;
        std::string name(a[0].begin(), a[0].end());
        write_bytes(s.files + L"\\" + a[0], bmp::make(name, f).bytes);
        return true;
    }
    if (verb == L"text" && a.size() >= 2) {
        std::wstring text = unescape(step.substr(step.find(L',') + 1));
        std::string utf8;
        for (wchar_t c : text) {
            if (c == L'\r')
                utf8 += "\r\n";
            else
                utf8 += char(c);
        }
        write_bytes(s.files + L"\\" + a[0], std::vector<uint8_t>(utf8.begin(), utf8.end()));
        return true;
    }
    error = L"cannot make '" + step + L"'";
    return false;
}

// The scene of `name`: its steps, or none (found = false) when the file has no line for it.
std::vector<std::wstring> scene_of(const std::wstring& file, const std::wstring& name, bool& found,
                                   std::wstring& args) {
    std::vector<std::wstring> steps;
    found = false;
    std::ifstream in(fs::path(file), std::ios::binary);
    std::string raw;
    while (std::getline(in, raw)) {
        std::wstring line(raw.begin(), raw.end());
        line = trim(line.substr(0, line.find(L'#')));
        if (line.empty()) continue;
        std::wistringstream words(line);
        std::wstring first, word;
        words >> first;
        if (first != name) continue;
        found = true;
        while (words >> word) {
            if (word.rfind(L"args:", 0) == 0) {
                args = unescape(word.substr(5));
            } else {
                steps.push_back(word);
            }
        }
    }
    return steps;
}

// The program ended without a window: its shot is the page it printed, if it printed one.
int printed_shot(size_t printed_before, const std::wstring& name, const std::wstring& out) {
    std::wstring pdf = wait_printed(printed_before, 20000);
    if (pdf.empty()) {
        fwprintf(stderr, L"%ls showed no window and printed nothing\n", name.c_str());
        return 1;
    }
    image page = render_pdf_page(pdf, 30);
    if (page.width == 0) {
        fwprintf(stderr, L"%ls: the printed page could not be rendered\n", name.c_str());
        return 1;
    }
    // A thin gray edge shows where the paper ends, a blank page included.
    for (int x = 0; x < page.width; x++)
        page.px[x] = page.px[size_t(page.height - 1) * page.width + x] = 0x808080;
    for (int y = 0; y < page.height; y++)
        page.px[size_t(y) * page.width] = page.px[size_t(y) * page.width + page.width - 1] =
            0x808080;
    save_bmp(page, out);
    wprintf(L"shot %ls printed 0 0 %d %d\n", name.c_str(), page.width, page.height);
    return 0;
}

// A program without a window: its steps (waits) are played and the screen is saved as it is.
int screen_scene(scene_state& s, const std::wstring& name, const std::vector<std::wstring>& actions,
                 const std::wstring& out) {
    std::wstring error;
    for (const auto& step : actions)
        if ((step.rfind(L"wait:", 0) == 0 || step.rfind(L"frame", 0) == 0) && !play(s, step, error))
            break;
    if (!error.empty()) {
        fwprintf(stderr, L"%ls: %ls\n", name.c_str(), error.c_str());
        return 1;
    }
    if (!s.program.running()) {
        fwprintf(stderr, L"%ls ended before its shot\n", name.c_str());
        return 1;
    }
    const RECT screen = screen_rect();
    save_bmp(capture_screen(screen), out);
    wprintf(L"shot %ls screen 0 0 %ld %ld\n", name.c_str(), screen.right, screen.bottom);
    if (s.frames) wprintf(L"frames %d %lu\n", s.frames, s.frame_delay);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        fwprintf(stderr,
                 L"usage: gallery <scenes file> <shots folder> <program> [its arguments]\n");
        return 2;
    }
    const std::wstring scenes = argv[1], shots = argv[2], name = argv[3];
    const std::wstring out = shots + L"\\" + name + L".bmp";
    DeleteFileW(out.c_str());

    scene_state s;
    s.bin = fs::path(program_path(name.c_str())).parent_path().wstring();
    s.files = shots + L"\\files";
    s.frame_path = shots + L"\\" + name + L".frame";
    bool has_scene = false;
    std::wstring args, error;
    std::vector<std::wstring> steps = scene_of(scenes, name, has_scene, args);
    // Arguments given here take the place of the scene's, and the program is shown as they leave
    // it: of the scene, only the window's size and how the shot is taken still count.
    const bool own_args = argc > 4;
    if (own_args) args.clear();
    for (int i = 4; i < argc; i++)
        args += (i > 4 ? L" " : L"") + std::wstring(argv[i]);
    std::vector<std::wstring> actions;
    for (const auto& step : steps) {
        if (own_args && step.rfind(L"size:", 0) != 0 && step.rfind(L"backdrop:", 0) != 0 &&
            step != L"nowindow" && step != L"screen")
            continue;
        if (step.rfind(L"pic:", 0) == 0 || step.rfind(L"text:", 0) == 0) {
            if (!make_file(s, step, error)) break;
        } else {
            actions.push_back(step);
        }
    }
    if (!error.empty()) {
        fwprintf(stderr, L"%ls: %ls\n", name.c_str(), error.c_str());
        return 1;
    }

    // backdrop:NAME starts another program first, for a scene that works on what the screen
    // shows; nowindow: the program shows no window, its scene is played on the screen.
    app backdrop;
    bool no_window = false;
    for (const auto& step : actions) {
        if (step.rfind(L"backdrop:", 0) == 0) {
            backdrop.workdir = s.bin;
            std::wstring other = step.substr(9);
            if (!backdrop.start(program_path(other.c_str())) ||
                !backdrop.wait_window(other.c_str())) {
                fwprintf(stderr, L"%ls: its backdrop %ls did not start\n", name.c_str(),
                         other.c_str());
                return 1;
            }
            capture_client(backdrop.window());
        }
        if (step == L"nowindow") no_window = true;
    }

    // ./run --trace: the program records its messages from its first window on, into the file
    // that SUITE_TRACE_FILE names (tools/trace). The program does not inherit the variable.
    std::unique_ptr<trace_messages> tracing;
    wchar_t trace_file[MAX_PATH] = L"";
    if (GetEnvironmentVariableW(L"SUITE_TRACE_FILE", trace_file, MAX_PATH)) {
        SetEnvironmentVariableW(L"SUITE_TRACE_FILE", nullptr);
        tracing = std::make_unique<trace_messages>(name + L".exe", trace_file);
        if (!tracing->ok()) {
            fwprintf(stderr, L"cannot trace %ls\n", name.c_str());
            return 1;
        }
    }

    const size_t printed_before = printed_files().size();
    s.program.workdir = s.bin;
    if (!s.program.start(program_path(name.c_str()), args)) return 1;
    if (no_window) return screen_scene(s, name, actions, out);
    s.main = wait_main(s, name);
    if (!s.main) {
        if (s.program.running()) {
            fwprintf(stderr, L"%ls showed no window\n", name.c_str());
            return 1;
        }
        return printed_shot(printed_before, name, out);
    }
    // A window that reaches past the screen is moved into it, so that all of it shows; a large
    // one is made the gallery's size, so that what it draws still shows on the contact sheet.
    RECT wr;
    GetWindowRect(s.main, &wr);
    const RECT screen = screen_rect();
    if (wr.right > screen.right || wr.bottom > screen.bottom)
        SetWindowPos(s.main, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const SIZE largest = gallery_size();
    if (class_of(s.main) != L"#32770" &&
        (wr.right - wr.left > largest.cx || wr.bottom - wr.top > largest.cy))
        resize(s.main, std::min(int(wr.right - wr.left), int(largest.cx)),
               std::min(int(wr.bottom - wr.top), int(largest.cy)));
    SetForegroundWindow(s.main);
    settle(s.main);

    for (const auto& step : actions) {
        if (!s.program.running()) {
            error = L"the program ended before '" + step + L"'";
            break;
        }
        if (!play(s, step, error)) break;
    }
    if (!error.empty()) {
        fwprintf(stderr, L"%ls: %ls\n", name.c_str(), error.c_str());
        return 1;
    }

    // Everything taken and painted: the main window through the harness's capture (which waits
    // for both), then every other window of the program.
    if (IsWindow(s.main) && class_of(s.main) != L"#32770") capture_client(s.main);
    std::vector<HWND> shown = windows_of(s.program.pid());
    // The program's other windows (a modeless dialog, an open menu) above the main window, in
    // the order they had.
    for (auto it = shown.rbegin(); it != shown.rend(); ++it)
        if (*it != s.main)
            SetWindowPos(*it, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (shown.empty()) {
        fwprintf(stderr, L"%ls: no window left to show\n", name.c_str());
        return 1;
    }
    RECT crop{};
    for (HWND w : shown) {
        settle(w);
        RECT r;
        GetWindowRect(w, &r);
        UnionRect(&crop, &crop, &r);
    }
    IntersectRect(&crop, &crop, &screen);
    if (s.whole_screen) crop = screen;
    image shot = capture_screen(crop);
    if (shot.width == 0) {
        fwprintf(stderr, L"%ls: nothing to capture\n", name.c_str());
        return 1;
    }
    save_bmp(shot, out);
    const wchar_t* kind = s.whole_screen ? L"screen" : has_scene ? L"scene" : L"startup";
    wprintf(L"shot %ls %ls %ld %ld %ld %ld\n", name.c_str(), kind, crop.left, crop.top, crop.right,
            crop.bottom);
    for (HWND w : shown) {
        RECT r;
        GetWindowRect(w, &r);
        wprintf(L"window %ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    }
    if (s.frames) wprintf(L"frames %d %lu\n", s.frames, s.frame_delay);
    fflush(stdout);
    return 0;
}
