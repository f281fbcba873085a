// Zentaro's printing on the test run's PDF printer through the real print dialog: pages, copies
// and collation as they come out of the spooler; and zentaro3, which cannot print.
#include "e2e/editor_support.h"
#include "harness/peers.h"
#include "harness/probe.h"

#include <dlgs.h>

#include <sstream>

using namespace editor_test;

namespace {

// Lines of the default font that fit on one page of the default printer.
int lines_per_page() {
    wchar_t name[256];
    DWORD n = 256;
    if (!GetDefaultPrinterW(name, &n)) return 0;
    HDC dc = CreateDCW(nullptr, name, nullptr, nullptr);
    if (!dc) return 0;
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    int lines = GetDeviceCaps(dc, VERTRES) / (tm.tmHeight + tm.tmExternalLeading);
    DeleteDC(dc);
    return lines;
}

std::wstring numbered_lines(int count) {
    std::wstring text;
    for (int i = 1; i <= count; i++) {
        if (i > 1) text += L"\r\n";
        text += L"Line " + std::to_wstring(i);
    }
    return text;
}

// The first word after "Line " on each page of the PDF (0 for a page without one).
std::vector<int> first_line_of_each_page(const std::string& text) {
    std::vector<int> firsts;
    std::stringstream pages(text);
    std::string page;
    while (std::getline(pages, page, '\f')) {
        size_t at = page.find("Line ");
        firsts.push_back(at == std::string::npos ? 0 : std::atoi(page.c_str() + at + 5));
    }
    if (!firsts.empty() && firsts.back() == 0 && text.size() && text.back() == '\f')
        firsts.pop_back(); // pdftotext ends the last page with a form feed too
    return firsts;
}

// Print through the dialog with this many copies, collated or not; returns the PDF made. With
// `during`, the thread's windows as they are while the job spools.
std::wstring print(app& a, HWND main, int copies, bool collate, std::wstring* during = nullptr) {
    size_t before = printed_files().size();
    command(main, 40005);
    HWND dlg = a.wait_dialog();
    EXPECT_NE(dlg, nullptr) << "no print dialog";
    if (!dlg) return L"";
    // The dialog may still be taking messages it posted to itself while it sets up (a slower
    // process lost the choice of the Collate box now and then): let it take them all first, and
    // check that the choice holds.
    drain(dlg);
    set_text(GetDlgItem(dlg, edt3), std::to_wstring(copies));
    DWORD_PTR r;
    SendMessageTimeoutW(GetDlgItem(dlg, chx2), BM_SETCHECK, collate ? BST_CHECKED : BST_UNCHECKED,
                        0, SMTO_ABORTIFHUNG, 5000, &r);
    drain(dlg);
    EXPECT_EQ(SendMessageW(GetDlgItem(dlg, chx2), BM_GETCHECK, 0, 0),
              collate ? BST_CHECKED : BST_UNCHECKED)
        << "the Collate box keeps the choice";
    if (during)
        *during = probe(main, PROBE_THREAD_WINDOWS, [&] { press(dlg, IDOK); });
    else
        press(dlg, IDOK);
    std::wstring pdf = wait_printed(before, 60000);
    EXPECT_FALSE(pdf.empty()) << "nothing was printed";
    EXPECT_EQ(a.wait_dialog(300), nullptr) << "printing reported a failure";
    return pdf;
}

// zentaro3's window has the class "zentaro".
HWND launch_zentaro3(app& a) {
    if (!a.start(program_path(L"zentaro3"))) return nullptr;
    HWND main = a.wait_window(L"zentaro");
    if (main) {
        SetForegroundWindow(main);
        settle(main);
    }
    return main;
}

} // namespace

TEST(zentaro, two_pages_three_copies_collated_and_not) {
    ASSERT_FALSE(printed_dir().empty()) << "the test run has no printer";
    int per_page = lines_per_page();
    ASSERT_GT(per_page, 10);
    app a;
    HWND main = launch(a, L"zentaro");
    ASSERT_NE(main, nullptr);
    set_text(edit_of(main), numbered_lines(per_page + per_page / 2));
    const int second = per_page + 1;
    ASSERT_EQ(probe(main, PROBE_PRINT_BLOCKS), L"0"); // from now on the dialog's blocks are seen

    std::wstring pdf = print(a, main, 3, true);
    ASSERT_FALSE(pdf.empty());
    std::string text = pdf_text(pdf);
    EXPECT_EQ(first_line_of_each_page(text), (std::vector<int>{1, second, 1, second, 1, second}));
    // Every line of the document is on its page, the last one included.
    EXPECT_NE(text.find("Line " + std::to_string(per_page + per_page / 2)), std::string::npos);
    EXPECT_EQ(pdf_pages(pdf), 6);

    pdf = print(a, main, 3, false);
    ASSERT_FALSE(pdf.empty());
    EXPECT_EQ(first_line_of_each_page(pdf_text(pdf)),
              (std::vector<int>{1, 1, 1, second, second, second}));
    EXPECT_EQ(pdf_pages(pdf), 6);
    // Each dialog's device settings are freed once it is done with: nothing piles up.
    EXPECT_EQ(probe(main, PROBE_PRINT_BLOCKS), L"0");
}

TEST(zentaro, empty_file_prints_one_empty_page_behind_a_cancel_box_naming_it) {
    ASSERT_FALSE(printed_dir().empty()) << "the test run has no printer";
    app a;
    HWND main = launch(a, L"zentaro");
    ASSERT_NE(main, nullptr);
    std::wstring path = path_in(a, L"notes.txt");
    write_bytes(path, "");
    open_through_dialog(a, main, path, L"notes.txt");
    std::wstring during;
    std::wstring pdf = print(a, main, 1, true, &during);
    // While the job spools the window is disabled and the Cancel box names the file, with the
    // focus on its button and Close grey in its system menu.
    std::string seen(during.begin(), during.end());
    EXPECT_NE(during.find(L"zentaro\tzentaro - notes.txt\t0\t"), std::wstring::npos) << seen;
    EXPECT_NE(during.find(L"#32770\tZentaro\t1\tButton\tButton=Cancel;Static=Sending;"
                          L"Static=notes.txt;Static=to print spooler.\t1\n"),
              std::wstring::npos)
        << seen;
    EXPECT_TRUE(wait_until([&] { return IsWindowEnabled(main) != FALSE; }));
    ASSERT_FALSE(pdf.empty());
    EXPECT_EQ(pdf_pages(pdf), 1);
    std::string text = pdf_text(pdf);
    EXPECT_EQ(text.find_first_not_of(" \r\n\f"), std::string::npos) << text;
}

TEST(zentaro, cancelled_print_dialog_prints_nothing_and_says_nothing) {
    app a;
    HWND main = launch(a, L"zentaro");
    ASSERT_NE(main, nullptr);
    type(main, L"not printed");
    size_t before = printed_files().size();
    ASSERT_EQ(probe(main, PROBE_PRINT_BLOCKS), L"0");
    command(main, 40005);
    HWND dlg = a.wait_dialog();
    ASSERT_NE(dlg, nullptr);
    settle(dlg);
    press(dlg, IDCANCEL);
    ASSERT_TRUE(wait_until([&] { return !IsWindow(dlg); }));
    EXPECT_EQ(a.wait_dialog(500), nullptr);
    EXPECT_TRUE(wait_printed(before, 1500).empty());
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_EQ(probe(main, PROBE_PRINT_BLOCKS), L"0");
}

TEST(zentaro3, print_always_fails_without_a_dialog) {
    app a;
    HWND main = launch_zentaro3(a);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(class_of(main), L"zentaro");
    EXPECT_EQ(text_of(main), L"zentaro - (untitled)");
    size_t before = printed_files().size();
    // Untitled: the title part of the message is empty.
    send_input_keys(main, {VK_CONTROL, 'P'});
    message_box box = wait_message_box(a);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.caption, L"zentaro");
    EXPECT_EQ(box.text, L"Could not print file ");
    EXPECT_EQ(icon_of(box.hwnd), box_icon::warning);
    press(box.hwnd, IDOK);
    ASSERT_TRUE(wait_until([&] { return !IsWindow(box.hwnd); }));
    // With a file: the message names it.
    std::wstring path = path_in(a, L"report.txt");
    write_bytes(path, "quarterly");
    open_through_dialog(a, main, path, L"report.txt");
    command(main, 40005);
    box = wait_message_box(a);
    EXPECT_EQ(box.text, L"Could not print file report.txt");
    press(box.hwnd, IDOK);
    EXPECT_TRUE(wait_printed(before, 1500).empty());
}

TEST(zentaro3, is_the_same_editor_otherwise) {
    app a;
    HWND main = launch_zentaro3(a);
    ASSERT_NE(main, nullptr);
    auto menu = read_menu(main);
    ASSERT_EQ(menu.size(), 27u);
    EXPECT_EQ(menu[6].text, L"&Print\tCtrl+P");
    EXPECT_EQ(menu.back().text, L"&About Zentaro...");
    std::wstring path = path_in(a, L"be.txt");
    write_bytes(path, std::string("\xFE\xFF\x00\x41\x00\x42", 6));
    open_through_dialog(a, main, path, L"be.txt");
    EXPECT_EQ(text_of(edit_of(main)), L"AB");
    EXPECT_EQ(send_command(main, 40003), 1);
    EXPECT_EQ(read_bytes(path), std::string("\xFF\xFE\x41\x00\x42\x00", 6));
}
