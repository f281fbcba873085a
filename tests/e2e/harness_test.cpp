// The harness's own peers: Linux commands and the PDF printer of the test run.
#include "agents/clip_exchange.h"
#include "harness/harness.h"
#include "harness/hooking.h"
#include "harness/peers.h"
#include "harness/probe.h"

using namespace harness;

TEST(harness, linux_commands_report_output_and_status) {
    std::string out;
    EXPECT_EQ(run_unix("echo 'it works'; exit 3", &out), 3);
    EXPECT_EQ(out, "it works\n");
    std::wstring here = L"C:\\windows";
    EXPECT_EQ(windows_path_of(unix_path_of(here)).size() > 2, true);
}

TEST(harness, default_printer_produces_a_readable_pdf) {
    ASSERT_FALSE(printed_dir().empty()) << "the test run has no printer";
    wchar_t name[256];
    DWORD n = 256;
    ASSERT_TRUE(GetDefaultPrinterW(name, &n));
    EXPECT_STREQ(name, L"PDF");
    size_t before = printed_files().size();
    HDC dc = CreateDCW(nullptr, name, nullptr, nullptr);
    ASSERT_NE(dc, nullptr);
    DOCINFOW di{};
    di.cbSize = sizeof di;
    di.lpszDocName = L"harness";
    ASSERT_GT(StartDocW(dc, &di), 0);
    StartPage(dc);
    TextOutW(dc, 300, 300, L"Hello, Printer!", 15);
    EndPage(dc);
    EndDoc(dc);
    DeleteDC(dc);
    std::wstring pdf = wait_printed(before);
    ASSERT_FALSE(pdf.empty()) << "no PDF came out";
    EXPECT_EQ(pdf_pages(pdf), 1);
    EXPECT_NE(pdf_text(pdf).find("Hello, Printer!"), std::string::npos);
}

// Each pass drives the build it names: the program runs as a 32-bit process exactly in the 32-bit
// pass, and the probe reaches it either way (through the 32-bit hook host there).
TEST(harness, drives_the_build_of_its_pass) {
    app a;
    HWND hwnd = launch(a, L"quenlor");
    ASSERT_NE(hwnd, nullptr);
    BOOL wow64 = FALSE;
    ASSERT_TRUE(IsWow64Process(a.process(), &wow64));
    EXPECT_EQ(wow64 != FALSE, driving_32bit());
    EXPECT_EQ(probe(hwnd, PROBE_CLASS_INFO).empty(), false);
}

// The answers and files the harness reads back: a list of numbers ends with or without its last
// newline; a picture crosses to the clipboard agent whole, and a file cut short or claiming a side
// beyond the limit is refused on reading, as it is on writing.
TEST(harness, reads_back_what_it_is_given) {
    using numbers = std::vector<unsigned>;
    EXPECT_EQ(numbers_of_lines(L"0\n16\n"), (numbers{0, 16}));
    EXPECT_EQ(numbers_of_lines(L"0\n16"), (numbers{0, 16}));
    EXPECT_EQ(numbers_of_lines(L""), numbers{});

    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const std::wstring file = std::wstring(dir) + L"harness-picture.bin";
    clip_exchange::picture p;
    p.width = 3;
    p.height = 2;
    p.px = {1, 2, 3, 0xFFFFFF, 0x123456, 0};
    ASSERT_TRUE(clip_exchange::write_picture(file.c_str(), p));
    clip_exchange::picture back;
    ASSERT_TRUE(clip_exchange::read_picture(file.c_str(), &back));
    EXPECT_EQ(back.width, 3);
    EXPECT_EQ(back.height, 2);
    EXPECT_EQ(back.px, p.px);
    const struct {
        const char* what;
        std::vector<int32_t> words;
    } bad[] = {
        {"cut short", {3, 2, 1, 2, 3}},
        {"too wide", {clip_exchange::MAX_SIDE + 1, 1, 0}},
        {"no rows", {1, 0}},
    };
    for (const auto& b : bad) {
        FILE* f = _wfopen(file.c_str(), L"wb");
        ASSERT_NE(f, nullptr);
        fwrite(b.words.data(), sizeof(int32_t), b.words.size(), f);
        fclose(f);
        EXPECT_FALSE(clip_exchange::read_picture(file.c_str(), &back)) << b.what;
        EXPECT_TRUE(back.px.empty()) << b.what;
    }
    p.width = clip_exchange::MAX_SIDE + 1;
    EXPECT_FALSE(clip_exchange::write_picture(file.c_str(), p)) << "written too wide";
    DeleteFileW(file.c_str());
}
