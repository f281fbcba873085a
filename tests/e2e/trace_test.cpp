// The messages a program's windows receive, as ./run --trace shows them: recorded inside the
// program by the probe, decoded outside it.
#include "harness/harness.h"
#include "harness/tracing.h"

#include "trace_format.h"

#include <dlgs.h>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace harness;

namespace {

// One decoded line: "   time  <2 spaces per level>NAME params  [window] ... → result".
struct traced {
    int depth = -1;
    std::string name, text;
};

std::vector<traced> parse(const std::vector<std::string>& lines) {
    std::vector<traced> out;
    for (const auto& l : lines) {
        traced t;
        t.text = l;
        const size_t start = l.find_first_not_of(' ', 11);
        if (l.size() < 11 || start == std::string::npos) continue;
        t.depth = int(start - 11) / 2;
        t.name = l.substr(start, l.find(' ', start) - start);
        out.push_back(t);
    }
    return out;
}

// The first line at or after `from` naming `name` for a window whose label begins with
// `window` (its class, then "#id", a caption or the end) and holding `part`; -1 when none.
int find(const std::vector<traced>& t, const std::string& name, const std::string& window,
         int from = 0, const std::string& part = "") {
    for (int i = std::max(from, 0); i < int(t.size()); i++) {
        const size_t at = t[i].text.find("[" + window);
        const char after = at == std::string::npos ? 0 : t[i].text[at + 1 + window.size()];
        if (t[i].name == name && (after == ' ' || after == ']' || after == ',' || after == '#') &&
            t[i].text.find(part) != std::string::npos)
            return i;
    }
    return -1;
}

std::string file_text(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

std::string dump(const std::vector<traced>& t) {
    std::string s;
    for (const auto& l : t)
        s += l.text + "\n";
    return s;
}

} // namespace

// The window's life in order, from its creation to its end, each message of quenlor's own
// procedure; a message sent while another is handled shown inside it, with both results.
TEST(trace, quenlor_window_life_in_order_with_nested_results) {
    trace_messages tracing(L"quenlor.exe");
    ASSERT_TRUE(tracing.ok());
    app a;
    HWND w = launch(a, L"quenlor");
    ASSERT_NE(w, nullptr);
    settle(w);
    close(w);
    DWORD code = 0;
    ASSERT_TRUE(a.wait_exit(10000, &code));
    const auto t = parse(tracing.lines());
    ASSERT_GT(t.size(), 10u) << dump(t);

    const char* life[] = {"WM_GETMINMAXINFO", "WM_NCCREATE", "WM_NCCALCSIZE", "WM_CREATE",
                          "WM_SHOWWINDOW",    "WM_ACTIVATE", "WM_SIZE",       "WM_PAINT",
                          "WM_CLOSE",         "WM_DESTROY",  "WM_NCDESTROY"};
    int at = -1;
    for (const char* name : life) {
        const int next = find(t, name, "quenlor", at + 1);
        ASSERT_GT(next, at) << name << " missing or out of order:\n" << dump(t);
        at = next;
    }
    // Its own procedure's messages are not marked as the system's; the creation is decoded.
    const traced& create = t[find(t, "WM_CREATE", "quenlor")];
    EXPECT_EQ(create.text.find(", system]"), std::string::npos) << create.text;
    EXPECT_NE(create.text.find("style=0x00cf0000"), std::string::npos) << create.text;
    EXPECT_NE(create.text.find("\"The Hello Program\"  [quenlor] → 0"), std::string::npos)
        << create.text;
    EXPECT_NE(t[find(t, "WM_CLOSE", "quenlor")].text.find("] posted"), std::string::npos);

    // Activation sets the focus from inside the default procedure: shown one level deeper, and
    // the activation's own result on a line of its own after it, at its level.
    const int activate = find(t, "WM_ACTIVATE", "quenlor", 0, "WA_ACTIVE");
    const int focus = find(t, "WM_SETFOCUS", "quenlor", activate);
    ASSERT_GT(focus, activate) << dump(t);
    EXPECT_EQ(t[focus].depth, t[activate].depth + 1) << t[activate].text << "\n" << t[focus].text;
    EXPECT_NE(t[focus].text.find("→ 0"), std::string::npos) << t[focus].text;
    int end = focus + 1;
    while (end < int(t.size()) && t[end].depth > t[activate].depth)
        end++;
    ASSERT_LT(end, int(t.size())) << dump(t);
    EXPECT_EQ(t[end].name, "←") << dump(t);
    EXPECT_NE(t[end].text.find("← WM_ACTIVATE → 0"), std::string::npos) << t[end].text;
    // The non-client activation returns TRUE around the caption text it reads.
    EXPECT_NE(dump(t).find("  ← WM_NCACTIVATE → 1\n"), std::string::npos) << dump(t);
}

// Input and commands decoded, in the editor, one instance: a real key press as down, character
// and up to the edit control (the system's procedure); a menu command with its id; the find
// dialog's registered message by its registered name, with what it asks; what the loops of a
// message box and of a modal dialog take, shown inside the message that opened them.
TEST(trace, zentaro_keys_commands_and_registered_message_decoded) {
    trace_messages tracing(L"zentaro.exe");
    ASSERT_TRUE(tracing.ok());
    app a;
    HWND main = launch(a, L"zentaro");
    ASSERT_NE(main, nullptr);
    HWND edit = find_control(main, 1, L"Edit");
    ASSERT_NE(edit, nullptr);
    send_input_keys(main, {'K'});
    PostMessageW(main, WM_COMMAND, 40013, 0); // Find...
    HWND dlg = a.wait_dialog();
    ASSERT_NE(dlg, nullptr);
    settle(dlg);
    SetWindowTextW(GetDlgItem(dlg, edt1), L"k");
    press(dlg, IDOK); // nothing after the caret: a message box says so
    HWND box = a.wait_dialog(10000, dlg);
    ASSERT_NE(box, nullptr);
    settle(box);
    press(box, IDOK);
    press(dlg, IDCANCEL);
    settle(main);
    PostMessageW(main, WM_COMMAND, 40018, 0); // About...
    HWND about = a.wait_dialog(10000, dlg);
    ASSERT_NE(about, nullptr);
    settle(about);
    press(about, IDOK);
    settle(main);
    send_input_keys(main, {'Q'});
    settle(main);
    const auto t = parse(tracing.lines());

    const int down = find(t, "WM_KEYDOWN", "Edit#1");
    const int ch = find(t, "WM_CHAR", "Edit#1", down);
    const int up = find(t, "WM_KEYUP", "Edit#1", ch);
    ASSERT_TRUE(down >= 0 && ch > down && up > ch) << dump(t);
    EXPECT_NE(t[down].text.find("WM_KEYDOWN 'K' repeat=1"), std::string::npos) << t[down].text;
    EXPECT_NE(t[down].text.find(", system] posted"), std::string::npos) << t[down].text;
    EXPECT_NE(t[ch].text.find("WM_CHAR 'k' (0x6b) repeat=1"), std::string::npos) << t[ch].text;
    EXPECT_NE(t[up].text.find("WM_KEYUP 'K' repeat=1"), std::string::npos) << t[up].text;
    EXPECT_NE(t[up].text.find("released"), std::string::npos) << t[up].text;

    // The edit control is created without a name, and its creation shows none.
    for (const char* creation : {"WM_NCCREATE", "WM_CREATE"}) {
        const int at = find(t, creation, "Edit#1");
        ASSERT_GE(at, 0) << creation << "\n" << dump(t);
        EXPECT_NE(t[at].text.find(" \"\"  [Edit#1, system]"), std::string::npos) << t[at].text;
    }

    const int command = find(t, "WM_COMMAND", "zentaro", 0, "id=40013");
    ASSERT_GE(command, 0) << dump(t);
    EXPECT_NE(
        t[command].text.find("WM_COMMAND id=40013 menu  [zentaro \"zentaro - (untitled)\"] posted"),
        std::string::npos)
        << t[command].text;
    // The edit control's notification, named by the kind of control that sent it.
    EXPECT_GE(find(t, "WM_COMMAND", "zentaro", 0, "id=1 EN_SETFOCUS ctl=Edit#1"), 0) << dump(t);

    // The dialog is the system's; what it sends its owner is named as registered.
    const int found = find(t, "commdlg_FindReplace", "zentaro");
    ASSERT_GE(found, 0) << dump(t);
    EXPECT_NE(t[found].text.find("find=\"k\""), std::string::npos) << t[found].text;
    // The message box's loop runs inside the handling of the message: what it takes is shown
    // inside it. So is what an About box takes inside the menu command that opened it; after
    // it, the main loop's messages are back at the command's level.
    const int box_paint = find(t, "WM_PAINT", "Static#65535", found, "Text not found");
    ASSERT_GT(box_paint, found) << dump(t);
    EXPECT_EQ(t[box_paint].depth, t[found].depth + 1) << t[found].text << "\n" << t[box_paint].text;
    const int about_command = find(t, "WM_COMMAND", "zentaro", found, "id=40018");
    const int about_paint = find(t, "WM_PAINT", "Static#65535", about_command, "Zentaro");
    const int about_ok = find(t, "WM_COMMAND", "#32770", about_command, "id=1 BN_CLICKED");
    const int q = find(t, "WM_KEYDOWN", "Edit#1", about_ok, "'Q'");
    ASSERT_TRUE(about_command > 0 && about_paint > 0 && about_ok > 0 && q > 0) << dump(t);
    EXPECT_EQ(t[about_command].depth, 0) << t[about_command].text;
    EXPECT_EQ(t[about_paint].depth, 1) << t[about_paint].text;
    EXPECT_EQ(t[about_ok].depth, 1) << t[about_ok].text;
    EXPECT_EQ(t[q].depth, 0) << t[q].text;
    EXPECT_GE(find(t, "WM_INITDIALOG", "#32770"), 0) << dump(t);
    EXPECT_NE(t[find(t, "WM_INITDIALOG", "#32770")].text.find(", system]"), std::string::npos);
}

// ./run --trace with a display: trace.exe starts the program and writes its messages to a text
// file as they come, while the program runs; once it has ended, the saved records give the same
// lines. A program ended from outside leaves what it recorded until then.
TEST(trace, streamed_while_it_runs_saved_alike_and_kept_when_killed) {
    wchar_t self[MAX_PATH] = L"", temp[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    GetTempPathW(MAX_PATH, temp);
    const std::wstring tag = std::to_wstring(GetCurrentProcessId());
    const std::wstring raw = temp + (L"stream-" + tag + L".bin");
    const std::wstring text = temp + (L"stream-" + tag + L".txt");
    app tracer; // trace.exe is a 64-bit program; it drives either build's programs
    ASSERT_TRUE(tracer.start(std::filesystem::path(self).parent_path() / L"trace.exe",
                             L"--run \"" + raw + L"\" \"" + text + L"\" \"" +
                                 program_path(L"quenlor") + L"\""));
    HWND w = nullptr;
    ASSERT_TRUE(wait_until([&] { return (w = FindWindowW(L"quenlor", nullptr)) != nullptr; }));
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    HANDLE program = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    ASSERT_NE(program, nullptr);
    struct ended {
        HANDLE h;
        ~ended() {
            if (WaitForSingleObject(h, 0) != WAIT_OBJECT_0) TerminateProcess(h, 1);
            CloseHandle(h);
        }
    } end_of_program{program};
    EXPECT_TRUE(wait_until([&] { return file_text(text).find(" WM_PAINT ") != std::string::npos; }))
        << "nothing streamed while it runs: " << file_text(text);
    close(w);
    DWORD code = 1;
    ASSERT_TRUE(tracer.wait_exit(15000, &code));
    EXPECT_EQ(code, 0u);
    const std::string streamed = file_text(text);
    std::string saved;
    for (const auto& l : trace::format_file(raw, trace::options{}))
        saved += l + "\n";
    EXPECT_NE(streamed.find("WM_NCDESTROY  [quenlor"), std::string::npos) << streamed;
    EXPECT_EQ(streamed, saved);
    DeleteFileW(raw.c_str());
    DeleteFileW(text.c_str());

    trace_messages tracing(L"quenlor.exe");
    ASSERT_TRUE(tracing.ok());
    app a;
    HWND killed = launch(a, L"quenlor");
    ASSERT_NE(killed, nullptr);
    settle(killed);
    a.kill();
    const auto t = parse(tracing.lines());
    EXPECT_GE(find(t, "WM_PAINT", "quenlor"), 0) << dump(t);
    EXPECT_LT(find(t, "WM_DESTROY", "quenlor"), 0) << dump(t);
}
