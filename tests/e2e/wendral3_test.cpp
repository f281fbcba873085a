#include "printed_page.h"
#include "harness/probe.h"

using namespace harness;

namespace {

std::string narrow(const std::wstring& w) {
    return std::string(w.begin(), w.end());
}

// The main window disabled and the cancel dialog in front with the focus on its Cancel button,
// as the program's thread sees them while the job spools.
void expect_printing_state(const std::wstring& during) {
    EXPECT_NE(during.find(L"wendral3\tPrint Program 3 (Dialog Box)\t0\t"), std::wstring::npos)
        << narrow(during);
    EXPECT_NE(during.find(L"#32770\twendral3\t1\tButton\tButton=Cancel;Static=Cancel Printing\t1"),
              std::wstring::npos)
        << narrow(during);
}

// Cancelling while the job spools: the job is abandoned, "Could not print page!" still shows,
// the window comes back and the dialog is gone.
void expect_cancelled(app& a, HWND hwnd, size_t printed_before) {
    message_box box = page::wait_box(a);
    ASSERT_NE(box.hwnd, nullptr) << "no message after the cancel";
    EXPECT_EQ(box.caption, L"wendral3");
    EXPECT_EQ(box.text, L"Could not print page!");
    press(box.hwnd, IDOK);
    EXPECT_TRUE(wait_until([&] { return !IsWindow(box.hwnd); }));
    EXPECT_TRUE(wait_until([&] { return IsWindowEnabled(hwnd) != FALSE; }));
    EXPECT_EQ(a.wait_dialog(300), nullptr) << "the cancel dialog stayed";
    EXPECT_TRUE(page::nothing_printed_within(printed_before, 5000)) << "the job was not abandoned";
}

} // namespace

TEST(wendral3, cancel_dialog_shows_while_the_page_prints) {
    app a;
    HWND hwnd = launch(a, L"wendral3");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Print Program 3 (Dialog Box)");
    page::expect_window_figure(hwnd);
    size_t before = printed_files().size();
    std::wstring during =
        probe(hwnd, PROBE_THREAD_WINDOWS, [&] { PostMessageW(hwnd, WM_SYSCOMMAND, 1, 0); });
    expect_printing_state(during);
    std::wstring pdf = wait_printed(before);
    ASSERT_FALSE(pdf.empty()) << "nothing was printed";
    EXPECT_EQ(pdf_pages(pdf), 1);
    EXPECT_NE(pdf.find(L"Wendral3"), std::wstring::npos);
    page::expect_printed_figure(pdf);
    EXPECT_TRUE(wait_until([&] { return IsWindowEnabled(hwnd) != FALSE; }));
    EXPECT_EQ(a.wait_dialog(500), nullptr) << "the dialog outlived the job, or a message showed";
}

TEST(wendral3, esc_in_the_dialog_abandons_the_job) {
    app a;
    HWND hwnd = launch(a, L"wendral3");
    ASSERT_NE(hwnd, nullptr);
    size_t before = printed_files().size();
    std::wstring during =
        probe(hwnd, PROBE_PRESS_ESCAPE, [&] { PostMessageW(hwnd, WM_SYSCOMMAND, 1, 0); });
    expect_printing_state(during);
    expect_cancelled(a, hwnd, before);
}

TEST(wendral3, cancel_button_abandons_the_job_and_printing_works_again_after) {
    app a;
    HWND hwnd = launch(a, L"wendral3");
    ASSERT_NE(hwnd, nullptr);
    size_t before = printed_files().size();
    std::wstring during =
        probe(hwnd, PROBE_CLICK_CANCEL, [&] { PostMessageW(hwnd, WM_SYSCOMMAND, 1, 0); });
    expect_printing_state(during);
    expect_cancelled(a, hwnd, before);
    // The cancel is forgotten once the next print starts.
    PostMessageW(hwnd, WM_SYSCOMMAND, 1, 0);
    EXPECT_FALSE(wait_printed(before).empty());
    EXPECT_EQ(a.wait_dialog(500), nullptr);
}

TEST(wendral3, without_a_printer_says_it_could_not_print_and_stays_usable) {
    page::expect_no_printer_message(L"wendral3");
}
