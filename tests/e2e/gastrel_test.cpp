#include "harness/harness.h"
#include "harness/peers.h"
#include "harness/printers.h"

using namespace harness;

TEST(gastrel, prints_one_blank_page_named_gastrel_and_exits_0) {
    size_t before = printed_files().size();
    app a;
    ASSERT_TRUE(a.start(program_path(L"gastrel")));
    DWORD code = 99;
    ASSERT_TRUE(a.wait_exit(30000, &code));
    EXPECT_EQ(code, 0u);
    std::wstring pdf = wait_printed(before);
    ASSERT_FALSE(pdf.empty()) << "nothing was printed";
    EXPECT_NE(pdf.find(L"gastrel"), std::wstring::npos) << "the document's name";
    EXPECT_EQ(pdf_pages(pdf), 1);
    EXPECT_TRUE(pdf_words(pdf).words.empty());
    image paper = render_pdf_page(pdf, 30);
    ASSERT_GT(paper.width, 100);
    RECT ink = bounds(paper, [](uint32_t px) { return px != 0xFFFFFF; });
    EXPECT_EQ(ink.right - ink.left, 0) << "the page is not blank";
}

TEST(gastrel, without_a_printer_exits_0_silently) {
    printer_queues queues;
    ASSERT_TRUE(queues.remove("PDF"));
    size_t before = printed_files().size();
    app a;
    ASSERT_TRUE(a.start(program_path(L"gastrel")));
    EXPECT_EQ(a.wait_dialog(2000), nullptr) << "gastrel never says anything";
    DWORD code = 99;
    ASSERT_TRUE(a.wait_exit(30000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(wait_printed(before, 3000).empty());
}
