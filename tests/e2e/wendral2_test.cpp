#include "printed_page.h"
#include "harness/probe.h"

using namespace harness;

// The program's windows as seen from inside it while it handles the message posted first.
static std::wstring windows_while(HWND hwnd, UINT msg, WPARAM wp,
                                  int query = PROBE_THREAD_WINDOWS) {
    return probe(hwnd, query, [&] { PostMessageW(hwnd, msg, wp, 0); });
}

TEST(wendral2, window_is_disabled_while_the_page_prints_and_enabled_after) {
    app a;
    HWND hwnd = launch(a, L"wendral2");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Print Program 2 (abort proc)");
    page::expect_window_figure(hwnd);
    size_t before = printed_files().size();
    // The question waits behind the print command and is answered from the abort procedure.
    std::wstring during = windows_while(hwnd, WM_SYSCOMMAND, 1);
    EXPECT_NE(during.find(L"wendral2\tPrint Program 2 (abort proc)\t0\t"), std::wstring::npos)
        << "while printing: " << std::string(during.begin(), during.end());
    std::wstring pdf = wait_printed(before);
    ASSERT_FALSE(pdf.empty()) << "nothing was printed";
    EXPECT_EQ(pdf_pages(pdf), 1);
    EXPECT_NE(pdf.find(L"Wendral2"), std::wstring::npos);
    page::expect_printed_figure(pdf);
    EXPECT_TRUE(wait_until([&] { return IsWindowEnabled(hwnd) != FALSE; }));
    EXPECT_EQ(a.wait_dialog(300), nullptr);
}

TEST(wendral2, closing_the_window_while_printing_still_ends_the_program) {
    app a;
    HWND hwnd = launch(a, L"wendral2");
    ASSERT_NE(hwnd, nullptr);
    size_t before = printed_files().size();
    // The close request waits behind the print command and is handled inside the abort
    // procedure; its quit message must reach the main loop all the same.
    PostMessageW(hwnd, WM_SYSCOMMAND, 1, 0);
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    DWORD code = 99;
    EXPECT_TRUE(a.wait_exit(15000, &code)) << "the program lost its quit message";
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(wait_printed(before, 15000).empty()) << "the page was still printed";
}

TEST(wendral2, without_a_printer_says_it_could_not_print_and_stays_usable) {
    page::expect_no_printer_message(L"wendral2");
}
