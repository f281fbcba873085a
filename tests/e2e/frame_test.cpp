// The frame's start-up failures and its loop, driven through small test-only programs.
#include "harness/checks.h"
#include "harness/harness.h"
#include "harness/hooks.h"

#include <filesystem>
#include <string>
#include <vector>

using namespace harness;

static void expect_failure_box(const wchar_t* fixture, const wchar_t* text) {
    app a;
    ASSERT_TRUE(a.start(fixture_path(fixture)));
    message_box box = wait_message_box(a);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.caption, fixture); // the class name
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(icon_of(box.hwnd), box_icon::error);
    // The box waits for the user, even after the refused window's WM_DESTROY posted the quit
    // message.
    settle(box.hwnd, 300);
    EXPECT_TRUE(IsWindowVisible(box.hwnd));
    press(box.hwnd, IDOK);
    expect_exits_with_0(a);
}

TEST(frame, class_already_registered_reports_and_exits_0) {
    expect_failure_box(L"frame_twice", L"Cannot register window class!");
}

TEST(frame, window_refused_reports_and_exits_0) {
    expect_failure_box(L"frame_refuse", L"Unable to create main window.");
}

TEST(frame, exit_code_is_the_quit_message_parameter) {
    app a;
    ASSERT_TRUE(a.start(fixture_path(L"frame_menu")));
    HWND hwnd = a.wait_window(L"frame_menu");
    ASSERT_NE(hwnd, nullptr);
    close(hwnd);
    DWORD code = 99;
    ASSERT_TRUE(a.wait_exit(10000, &code));
    EXPECT_EQ(code, 7u);
}

TEST(harness, menu_reader_sees_items_ids_and_states_inside_the_program) {
    app a;
    ASSERT_TRUE(a.start(fixture_path(L"frame_menu")));
    HWND hwnd = a.wait_window(L"frame_menu");
    ASSERT_NE(hwnd, nullptr);
    auto menu = read_menu(hwnd);
    ASSERT_EQ(menu.size(), 5u);
    EXPECT_EQ(menu[0].text, L"&File");
    EXPECT_EQ(menu[0].id, -1);
    EXPECT_EQ(menu[1].depth, 1);
    EXPECT_EQ(menu[1].text, L"&Open...");
    EXPECT_EQ(menu[1].id, 40001);
    EXPECT_TRUE(menu[2].state & MF_SEPARATOR);
    EXPECT_EQ(menu[3].id, 40002);
    EXPECT_TRUE(menu[3].state & MF_GRAYED);
    EXPECT_EQ(menu[4].depth, 0);
    EXPECT_TRUE(menu[4].state & MF_CHECKED);

    auto sys = read_menu(hwnd, true);
    EXPECT_FALSE(sys.empty());
    bool has_close = false;
    for (auto& it : sys)
        has_close |= it.id == SC_CLOSE;
    EXPECT_TRUE(has_close);
}

// ---- The loop forms, through frame_loops ----

static HWND start_loops(app& a, const wchar_t* form) {
    if (!a.start(fixture_path(L"frame_loops"), form)) return nullptr;
    HWND hwnd = a.wait_window(L"frame_loops");
    if (hwnd) settle(hwnd);
    return hwnd;
}

static HWND focus_of(HWND any_window_of_thread) {
    GUITHREADINFO gi{};
    gi.cbSize = sizeof gi;
    GetGUIThreadInfo(GetWindowThreadProcessId(any_window_of_thread, nullptr), &gi);
    return gi.hwndFocus;
}

TEST(frame, accelerator_loop_turns_keys_into_commands) {
    app a;
    HWND hwnd = start_loops(a, L"accelerators");
    ASSERT_NE(hwnd, nullptr);
    post_key(hwnd, VK_F5);
    EXPECT_TRUE(wait_until([&] { return text_of(hwnd) == L"command 40001"; }, 3000));
    PostMessageW(hwnd, WM_CHAR, 3, 1); // Ctrl+C as a character
    EXPECT_TRUE(wait_until([&] { return text_of(hwnd) == L"command 40002"; }, 3000));
    expect_closes_with_0(a, hwnd); // WM_QUIT ends each loop
}

TEST(frame, plain_loop_translates_no_accelerators) {
    app a;
    HWND hwnd = start_loops(a, L"plain");
    ASSERT_NE(hwnd, nullptr);
    post_key(hwnd, VK_F5);
    settle(hwnd);
    EXPECT_EQ(text_of(hwnd), L"Loops");
    expect_closes_with_0(a, hwnd);
}

// Tab moves the focus only when the loop hands the message to the dialog first.
static void expect_tab_moves_focus(HWND dlg) {
    SetForegroundWindow(dlg);
    settle(dlg);
    HWND first = GetDlgItem(dlg, 101), second = GetDlgItem(dlg, 102);
    ASSERT_TRUE(wait_until([&] { return focus_of(dlg) == first; }, 3000));
    post_key(first, VK_TAB);
    EXPECT_TRUE(wait_until([&] { return focus_of(dlg) == second; }, 3000));
}

TEST(frame, find_loop_serves_the_dialog_then_the_accelerators) {
    app a;
    HWND hwnd = start_loops(a, L"find");
    ASSERT_NE(hwnd, nullptr);
    HWND dlg = a.wait_dialog();
    ASSERT_NE(dlg, nullptr);
    expect_tab_moves_focus(dlg);
    post_key(hwnd, VK_F5);
    EXPECT_TRUE(wait_until([&] { return text_of(hwnd) == L"command 40001"; }, 3000));
    expect_closes_with_0(a, hwnd);
}

TEST(frame, modeless_loop_creates_an_owned_dialog_that_takes_tab) {
    app a;
    HWND hwnd = start_loops(a, L"modeless");
    ASSERT_NE(hwnd, nullptr);
    HWND dlg = a.wait_dialog();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(GetWindow(dlg, GW_OWNER), hwnd);
    EXPECT_EQ(text_of(dlg), L"Fields");
    expect_tab_moves_focus(dlg);
    expect_closes_with_0(a, hwnd);
}

TEST(frame, idle_loop_runs_the_idle_step_between_messages) {
    app a;
    HWND hwnd = start_loops(a, L"idle");
    ASSERT_NE(hwnd, nullptr);
    ASSERT_TRUE(wait_until([&] { return text_of(hwnd).rfind(L"idle ", 0) == 0; }));
    int first = std::stoi(text_of(hwnd).substr(5));
    EXPECT_TRUE(wait_until([&] { return std::stoi(text_of(hwnd).substr(5)) > first; }));
    close(hwnd); // WM_QUIT still ends the loop
    expect_exits_with_0(a);
}

TEST(frame, dialog_template_makes_the_main_window) {
    app a;
    HWND hwnd = start_loops(a, L"dialog");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Dialog Window");
    HWND seven = GetDlgItem(hwnd, 55);
    ASSERT_NE(seven, nullptr);
    EXPECT_EQ(text_of(seven), L"Seven");
    PostMessageW(seven, BM_CLICK, 0, 0);
    EXPECT_TRUE(wait_until([&] { return text_of(hwnd) == L"command 55"; }, 3000));
}

// Refused by the system before any message reaches it, the window leaves no quit message behind:
// the program still ends once the box is answered, rather than waiting in a loop with no window.
TEST(frame, window_refused_before_it_exists_reports_and_exits_0) {
    refuse_windows refuse(L"frame_menu");
    ASSERT_TRUE(refuse.ok());
    expect_failure_box(L"frame_menu", L"Unable to create main window.");
}

// Every program carries one manifest, resource 1 of type RT_MANIFEST (the one Windows reads for a
// process), declaring it aware of the system DPI and not per-monitor aware, read back from the
// executables the build made. Each is read from a copy under a name of its own: Wine loads its
// own program of the same name (clock.exe) in place of a file named like one.
TEST(frame, every_program_declares_system_dpi_awareness) {
    const std::string aware =
        "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>";
    const std::string awareness = "<dpiAwareness "
                                  "xmlns=\"http://schemas.microsoft.com/SMI/2016/"
                                  "WindowsSettings\">system</dpiAwareness>";
    int programs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(
             std::filesystem::path(program_path(L"quenlor")).parent_path())) {
        if (entry.path().extension() != L".exe") continue;
        SCOPED_TRACE(entry.path().filename().string());
        const std::filesystem::path copy =
            std::filesystem::temp_directory_path() /
            (L"manifest-" + std::to_wstring(GetCurrentProcessId()) + L".exe");
        ASSERT_TRUE(CopyFileW(entry.path().c_str(), copy.c_str(), FALSE));
        HMODULE exe = LoadLibraryExW(copy.c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(exe, nullptr);
        std::vector<ULONG_PTR> names;
        EnumResourceNamesW(
            exe, RT_MANIFEST,
            [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR list) -> BOOL {
                reinterpret_cast<std::vector<ULONG_PTR>*>(list)->push_back(ULONG_PTR(name));
                return TRUE;
            },
            reinterpret_cast<LONG_PTR>(&names));
        EXPECT_EQ(names, std::vector<ULONG_PTR>{1}) << "one manifest, resource 1";
        HRSRC res = FindResourceW(exe, MAKEINTRESOURCEW(1), RT_MANIFEST);
        HGLOBAL data = res ? LoadResource(exe, res) : nullptr;
        const char* bytes = data ? static_cast<const char*>(LockResource(data)) : nullptr;
        const std::string manifest = bytes ? std::string(bytes, SizeofResource(exe, res)) : "";
        EXPECT_NE(manifest.find(aware), std::string::npos);
        EXPECT_NE(manifest.find(awareness), std::string::npos);
        EXPECT_EQ(manifest.find("PerMonitor"), std::string::npos);
        FreeLibrary(exe);
        DeleteFileW(copy.c_str());
        programs++;
    }
    EXPECT_GE(programs, 81);
}
