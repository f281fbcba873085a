// Shared steps of the editor tests: files made by the test, the editor's edit control, its
// commands, its dialogs and its save question.
#pragma once

#include "harness/harness.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace editor_test {

using namespace harness;

inline std::wstring path_in(app& a, const std::wstring& name) {
    return a.dir() + L"\\" + name;
}

inline void write_bytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream f(std::filesystem::path(path), std::ios::binary);
    f << bytes;
}

inline std::string read_bytes(const std::wstring& path) {
    std::ifstream f(std::filesystem::path(path), std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

// The bytes a save must give for this text: FF FE, then UTF-16LE, nothing more.
inline std::string utf16le_with_mark(const std::wstring& text) {
    std::string out = "\xFF\xFE";
    for (wchar_t c : text) {
        out += char(c & 0xFF);
        out += char(c >> 8);
    }
    return out;
}

inline HWND edit_of(HWND main) {
    return find_control(main, 1, L"Edit");
}

inline void command(HWND main, int id) {
    PostMessageW(main, WM_COMMAND, id, 0);
}

// A command that shows nothing, sent and waited for; returns what the window returned.
inline LRESULT send_command(HWND main, int id) {
    DWORD_PTR r = 0;
    SendMessageTimeoutW(main, WM_COMMAND, id, 0, SMTO_ABORTIFHUNG, 10000, &r);
    return LRESULT(r);
}

inline void set_text(HWND edit, const std::wstring& text) {
    DWORD_PTR r;
    SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, 5000, &r);
}

// The edit control's selection (start, end), read with the pointer-free form of EM_GETSEL.
inline std::pair<int, int> selection(HWND edit) {
    DWORD_PTR r = 0;
    SendMessageTimeoutW(edit, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &r);
    return {int(LOWORD(r)), int(HIWORD(r))};
}

inline void set_selection(HWND edit, int start, int end) {
    DWORD_PTR r;
    SendMessageTimeoutW(edit, EM_SETSEL, start, end, SMTO_ABORTIFHUNG, 5000, &r);
}

inline bool wait_caption(HWND main, const std::wstring& caption, DWORD timeout_ms = 5000) {
    return wait_until([&] { return text_of(main) == caption; }, timeout_ms);
}

// Answers the open or save dialog with `path` and waits until it is gone.
inline bool choose_file(app& a, const std::wstring& path) {
    HWND dlg = answer_file_dialog(a, path);
    return dlg && wait_until([&] { return !IsWindow(dlg) || !IsWindowVisible(dlg); });
}

// Opens `path` through File Open and the real open dialog; waits for the caption that names it.
inline void open_through_dialog(app& a, HWND main, const std::wstring& path,
                                const std::wstring& title) {
    command(main, 40002);
    ASSERT_NE(answer_file_dialog(a, path), nullptr) << "no open dialog";
    ASSERT_TRUE(wait_caption(main, L"zentaro - " + title)) << "caption " << text_of(main).size();
    settle(main);
}

// Types text as the user would (the edit control then reports a change), and waits until the
// edit control has taken every character: a message posted after them clears the control's own
// modified mark, which was set before, so the mark reads clear once the queue got that far.
inline void type(HWND main, const std::wstring& text) {
    HWND edit = edit_of(main);
    DWORD_PTR r = 0;
    SendMessageTimeoutW(edit, EM_SETMODIFY, TRUE, 0, SMTO_ABORTIFHUNG, 5000, &r);
    for (wchar_t c : text)
        PostMessageW(edit, WM_CHAR, c, 1);
    PostMessageW(edit, EM_SETMODIFY, FALSE, 0);
    wait_until([&] {
        DWORD_PTR modified = 1;
        SendMessageTimeoutW(edit, EM_GETMODIFY, 0, 0, SMTO_ABORTIFHUNG, 5000, &modified);
        return modified == 0;
    });
    settle(main);
}

// Whether the document counts as modified: closing then asks the save question, which this
// answers with Cancel so the window stays. (An unmodified window closes.)
inline bool asks_to_save(app& a, HWND main, std::wstring* question = nullptr) {
    close(main);
    message_box box = wait_message_box(a, 2000);
    if (!box.hwnd) return false;
    if (question) *question = box.text;
    press(box.hwnd, IDCANCEL);
    wait_until([&] { return !IsWindow(box.hwnd); });
    return true;
}

} // namespace editor_test
