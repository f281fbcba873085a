#include "printed_page.h"

using namespace harness;

TEST(wendral1, window_shows_the_page_figure_at_every_size) {
    app a;
    HWND hwnd = launch(a, L"wendral1");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Print Program 1");
    EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE) & (WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN),
              LONG(WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN));
    page::expect_window_figure(hwnd);
    resize(hwnd, 500, 300);
    page::expect_window_figure(hwnd);
    resize(hwnd, 300, 520);
    page::expect_window_figure(hwnd);
}

TEST(wendral1, print_item_of_the_system_menu_prints_the_figure) {
    app a;
    HWND hwnd = launch(a, L"wendral1");
    ASSERT_NE(hwnd, nullptr);
    auto menu = read_menu(hwnd, true);
    ASSERT_GE(menu.size(), 2u);
    EXPECT_EQ(menu.back().text, L"&Print");
    EXPECT_EQ(menu.back().id, 1);
    EXPECT_TRUE(menu[menu.size() - 2].state & MF_SEPARATOR);

    size_t before = printed_files().size();
    PostMessageW(hwnd, WM_SYSCOMMAND, 1, 0);
    std::wstring pdf = wait_printed(before);
    ASSERT_FALSE(pdf.empty()) << "nothing was printed";
    EXPECT_EQ(pdf_pages(pdf), 1);
    EXPECT_NE(pdf.find(L"Wendral1"), std::wstring::npos) << "the document's name";
    page::expect_printed_figure(pdf);
    EXPECT_EQ(a.wait_dialog(300), nullptr) << "a printed page is not reported";
    EXPECT_TRUE(IsWindowEnabled(hwnd));
}

TEST(wendral1, without_a_printer_says_it_could_not_print_and_stays_usable) {
    page::expect_no_printer_message(L"wendral1");
}

TEST(wendral1, a_job_the_spooler_refuses_is_reported_not_taken_for_printed) {
    printer_queues queues;
    // Wine still offers the printer, but the print system has no queue to take the document.
    ASSERT_TRUE(queues.remove("PDF", false));
    app a;
    HWND hwnd = launch(a, L"wendral1");
    ASSERT_NE(hwnd, nullptr);
    PostMessageW(hwnd, WM_SYSCOMMAND, 1, 0);
    message_box box = page::wait_box(a);
    ASSERT_NE(box.hwnd, nullptr) << "the lost page went unreported";
    EXPECT_EQ(box.caption, L"wendral1");
    EXPECT_EQ(box.text, L"Could not print page!");
    press(box.hwnd, IDOK);
    EXPECT_TRUE(wait_until([&] { return IsWindowEnabled(hwnd) != FALSE; }));
}
