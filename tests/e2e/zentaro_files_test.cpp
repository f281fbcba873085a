// Zentaro's text files: every encoding it recognises, made by the test or by iconv, opened
// through the real open dialog or the command line, checked in the edit control, saved, and the
// bytes on disk compared; and saves that fail without harming the file they would replace.
#include "e2e/editor_support.h"
#include "harness/peers.h"

using namespace editor_test;

namespace {

// What the system ANSI code page makes of these bytes (up to the first zero byte).
std::wstring through_ansi(const std::string& bytes) {
    std::string z = bytes.substr(0, bytes.find('\0'));
    int n = MultiByteToWideChar(CP_ACP, 0, z.data(), int(z.size()), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, z.data(), int(z.size()), w.data(), n);
    return w;
}

struct text_case {
    const wchar_t* name;
    std::string bytes;
    std::wstring shown;
};

// A file made by iconv from the test's UTF-16LE text: `mark` (printf escapes) then the text in
// `encoding`.
void iconv_file(const std::wstring& path, const std::wstring& text, const std::string& mark,
                const std::string& encoding) {
    std::wstring source = path + L".src";
    std::string le = utf16le_with_mark(text).substr(2);
    write_bytes(source, le);
    std::string src = unix_path_of(source), dst = unix_path_of(path);
    ASSERT_EQ(run_unix("printf '" + mark + "' > '" + dst + "' && iconv -f UTF-16LE -t " + encoding +
                       " '" + src + "' >> '" + dst + "'"),
              0);
    DeleteFileW(source.c_str());
}

void expect_opens_and_saves(app& a, HWND main, const std::wstring& path, const std::wstring& name,
                            const std::wstring& shown) {
    SCOPED_TRACE(std::string(name.begin(), name.end()));
    open_through_dialog(a, main, path, name);
    EXPECT_EQ(text_of(edit_of(main)), shown);
    EXPECT_EQ(send_command(main, 40003), 1) << "Save failed"; // Save
    EXPECT_EQ(read_bytes(path), utf16le_with_mark(shown));
}

// Each of these characters of the edit control's text is drawn on the screen with a glyph of its
// own: a font without them would show the same empty box for each.
void expect_distinct_glyphs(HWND edit, const std::wstring& text, const std::wstring& chars) {
    const image shown = capture_client(edit);
    std::vector<std::vector<uint32_t>> cells;
    for (wchar_t c : chars) {
        const size_t at = text.find(c);
        ASSERT_NE(at, std::wstring::npos);
        DWORD_PTR from = 0, to = 0;
        SendMessageTimeoutW(edit, EM_POSFROMCHAR, at, 0, SMTO_ABORTIFHUNG, 5000, &from);
        SendMessageTimeoutW(edit, EM_POSFROMCHAR, at + 1, 0, SMTO_ABORTIFHUNG, 5000, &to);
        const int x0 = short(LOWORD(from)), y0 = short(HIWORD(from)), x1 = short(LOWORD(to));
        ASSERT_GT(x1, x0) << "character " << int(c) << " has no width";
        std::vector<uint32_t> cell;
        bool ink = false;
        for (int y = y0; y < y0 + 16 && y < shown.height; y++)
            for (int x = x0; x < x1 && x < shown.width; x++) {
                cell.push_back(shown.at(x, y));
                ink |= shown.at(x, y) != shown.at(x0, y0);
            }
        EXPECT_TRUE(ink) << "character " << int(c) << " shows nothing";
        for (const auto& other : cells)
            EXPECT_NE(cell, other) << "character " << int(c) << " looks like an earlier one";
        cells.push_back(cell);
    }
}

} // namespace

TEST(zentaro, files_of_every_encoding_open_and_save_as_utf16le_with_mark) {
    app a;
    HWND main = launch(a, L"zentaro");
    ASSERT_NE(main, nullptr);
    const std::string high = "caf\xE9 \x80\x9F\xA0\xFF!";
    std::vector<text_case> cases = {
        {L"empty.txt", "", L""},
        {L"mark-only.txt", "\xFF\xFE", L""},
        {L"big-endian.txt", std::string("\xFE\xFF\x00\x41\x00\x42", 6), L"AB"},
        {L"little-nul.txt", std::string("\xFF\xFEX\x00\r\x00\n\x00\x00\x00Y\x00", 12), L"X\r\n"},
        {L"ansi-high.txt", high, through_ansi(high)},
        {L"ansi-nul.txt",
         std::string("ab\x00"
                     "cd",
                     5),
         L"ab"},
        {L"utf16-no-mark.txt",
         std::string("A\x00"
                     "B\x00",
                     4),
         L"A"},
        {L"lines.txt", "one\r\ntwo\r\n\r\nfour", L"one\r\ntwo\r\n\r\nfour"},
    };
    for (auto& c : cases) {
        std::wstring path = path_in(a, c.name);
        write_bytes(path, c.bytes);
        expect_opens_and_saves(a, main, path, c.name, c.shown);
    }
    // The system code page is what maps the high bytes; check it against iconv when that knows it.
    std::string cp = "CP" + std::to_string(GetACP()), out;
    if (run_unix("printf 'caf\\351' | iconv -f " + cp + " -t UTF-16LE", &out) == 0) {
        EXPECT_EQ(out, utf16le_with_mark(L"caf\u00E9").substr(2));
    }
}

TEST(zentaro, iconv_files_open_and_save_without_losing_characters) {
    app a;
    HWND main = launch(a, L"zentaro");
    ASSERT_NE(main, nullptr);
    const std::wstring text = L"Gr\u00FC\u00DFe \u20AC 5\r\nna\u00EFve \u4E2D\u6587\r\n"
                              L"\u041F\u0440\u0438\u0432\u0435\u0442 \u3053\u3093\r\nend";
    struct {
        const wchar_t* name;
        const char* mark;
        const char* encoding;
    } files[] = {
        {L"iconv-be.txt", "\\376\\377", "UTF-16BE"},
        {L"iconv-le.txt", "\\377\\376", "UTF-16LE"},
        {L"iconv-utf8-mark.txt", "\\357\\273\\277", "UTF-8"},
    };
    for (auto& f : files) {
        std::wstring path = path_in(a, f.name);
        iconv_file(path, text, f.mark, f.encoding);
        expect_opens_and_saves(a, main, path, f.name, text);
        // And the saved file reads back through iconv as the same text.
        std::string back;
        run_unix("iconv -f UTF-16 -t UTF-16LE '" + unix_path_of(path) + "'", &back);
        EXPECT_EQ(back, utf16le_with_mark(text).substr(2));
    }
    // Without a mark, as most text files are written, UTF-8 is known by its form: it opens with
    // every character, and what Save writes converts back to the very bytes it was opened from.
    std::wstring path = path_in(a, L"iconv-utf8.txt");
    iconv_file(path, text, "", "UTF-8");
    const std::string raw = read_bytes(path);
    ASSERT_EQ(raw.compare(0, 4, "Gr\xC3\xBC"), 0);
    expect_opens_and_saves(a, main, path, L"iconv-utf8.txt", text);
    std::string back;
    run_unix("iconv -f UTF-16 -t UTF-8 '" + unix_path_of(path) + "'", &back);
    EXPECT_EQ(back, raw);
    expect_distinct_glyphs(edit_of(main), text, L"\u4E2D\u6587\u3053\u3093\u041F\u0440");
}

// A folder of the test's own outside the program's working directory.
struct scratch_dir {
    std::wstring path;
    scratch_dir() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path = std::wstring(temp) + L"zentaro-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(GetTickCount());
        std::filesystem::create_directories(path);
    }
    ~scratch_dir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

TEST(zentaro, file_named_on_the_command_line_opens_at_start) {
    scratch_dir d;
    std::wstring path = d.path + L"\\my notes.txt";
    write_bytes(path, std::string("\xFE\xFF\x00H\x00i", 6));
    app a;
    HWND main = launch(a, L"zentaro", L"\"" + path + L"\"");
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(wait_caption(main, L"zentaro - my notes.txt"));
    EXPECT_EQ(text_of(edit_of(main)), L"Hi");
    EXPECT_EQ(a.wait_dialog(200), nullptr);
    // Saved where it came from, as UTF-16LE.
    EXPECT_EQ(send_command(main, 40003), 1);
    EXPECT_EQ(read_bytes(path), utf16le_with_mark(L"Hi"));
    EXPECT_FALSE(asks_to_save(a, main)); // saved: closing asks nothing
}

TEST(zentaro, unreadable_file_on_the_command_line_is_reported_and_left_untitled) {
    app a;
    ASSERT_TRUE(a.start(program_path(L"zentaro"), L"missing.txt"));
    message_box box = wait_message_box(a);
    EXPECT_EQ(box.caption, L"zentaro");
    EXPECT_EQ(box.text, L"Could not read file missing.txt!");
    EXPECT_EQ(icon_of(box.hwnd), box_icon::warning);
    press(box.hwnd, IDOK);
    HWND main = a.wait_window(L"zentaro");
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(wait_caption(main, L"zentaro - (untitled)"));
    EXPECT_EQ(text_of(edit_of(main)), L"");
}

namespace {

// A file system of 16 KiB mounted for one test: the place where a save runs out of space.
struct small_disk {
    std::string unix_dir;
    bool mounted = false;
    explicit small_disk(const std::wstring& windows_dir) {
        unix_dir = unix_path_of(windows_dir);
        mounted = run_unix("mkdir -p '" + unix_dir + "' && mount -t tmpfs -o size=16k tmpfs '" +
                           unix_dir + "'") == 0;
    }
    ~small_disk() {
        if (mounted) run_unix("umount '" + unix_dir + "'");
    }
};

std::vector<std::wstring> files_in(const std::wstring& dir) {
    std::vector<std::wstring> names;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        names.push_back(e.path().filename().wstring());
    return names;
}

// Save fails with the message, the file on disk is untouched and the document is still modified.
void expect_failed_save(app& a, HWND main, const std::wstring& path, const std::string& original) {
    command(main, 40003);
    message_box box = wait_message_box(a, 15000);
    ASSERT_NE(box.hwnd, nullptr) << "the failed save was not reported";
    EXPECT_EQ(box.caption, L"zentaro");
    EXPECT_EQ(box.text, L"Could not write file doc.txt");
    EXPECT_EQ(icon_of(box.hwnd), box_icon::warning);
    press(box.hwnd, IDOK);
    ASSERT_TRUE(wait_until([&] { return !IsWindow(box.hwnd); }));
    EXPECT_EQ(read_bytes(path), original);
    std::wstring question;
    EXPECT_TRUE(asks_to_save(a, main, &question));
    EXPECT_EQ(question, L"Save current changes in doc.txt?");
}

} // namespace

TEST(zentaro, save_that_runs_out_of_space_leaves_the_old_file_whole) {
    app a;
    HWND main = launch(a, L"zentaro");
    ASSERT_NE(main, nullptr);
    std::wstring dir = path_in(a, L"small");
    small_disk disk(dir);
    if (!disk.mounted) GTEST_SKIP() << "no small file system can be mounted here";
    std::wstring path = dir + L"\\doc.txt";
    const std::string original = utf16le_with_mark(L"the original text\r\n");
    write_bytes(path, original);
    open_through_dialog(a, main, path, L"doc.txt");
    // 40 000 bytes of text do not fit in what is left.
    set_text(edit_of(main), std::wstring(20000, L'x'));
    type(main, L"y");
    expect_failed_save(a, main, path, original);
    // Nothing is left behind beside it.
    EXPECT_EQ(files_in(dir), std::vector<std::wstring>{L"doc.txt"});
    // A text that fits is saved over it.
    set_text(edit_of(main), L"short");
    EXPECT_EQ(send_command(main, 40003), 1);
    EXPECT_EQ(read_bytes(path), utf16le_with_mark(L"short"));
}

// A save puts a new file in the old one's place, which keeps what the old one was (here: hidden).
TEST(zentaro, save_over_a_file_another_program_holds_keeps_it_and_retries_later) {
    app a;
    HWND main = launch(a, L"zentaro");
    ASSERT_NE(main, nullptr);
    std::wstring path = path_in(a, L"doc.txt");
    const std::string original = utf16le_with_mark(L"kept");
    write_bytes(path, original);
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    open_through_dialog(a, main, path, L"doc.txt");
    type(main, L"new ");
    // Another program reads and writes the file but does not let it be replaced.
    HANDLE held =
        CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    expect_failed_save(a, main, path, original);
    CloseHandle(held);
    EXPECT_EQ(send_command(main, 40003), 1);
    EXPECT_EQ(read_bytes(path), utf16le_with_mark(L"new kept"));
    EXPECT_EQ(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_HIDDEN,
              DWORD(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_FALSE(asks_to_save(a, main));
}
