#include "harness/checks.h"
#include "harness/dib_files.h"

using namespace harness;

namespace {

const int OPEN = 40001;

void expect_refused(app& a, HWND hwnd, const std::string& name) {
    SCOPED_TRACE(name);
    message_box box = choose_file_for_message(a, hwnd, OPEN, a.dir() + L"\\" + widen(name));
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.caption, L"kolvane");
    EXPECT_EQ(box.text, L"Cannot load DIB file");
    EXPECT_EQ(icon_of(box.hwnd), box_icon::warning);
    dismiss(box);
    image shown = capture_client(hwnd);
    EXPECT_TRUE(all_of(shown, {0, 0, shown.width, shown.height}, window_colour()));
    // The file was closed on the way out.
    if (name != "missing.bmp") {
        EXPECT_TRUE(DeleteFileW((a.dir() + L"\\" + widen(name)).c_str()));
    }
}

} // namespace

TEST(kolvane, every_uncompressed_format_is_shown_from_its_section) {
    app a;
    std::vector<bmp::file> files;
    for (const bmp::file& f : bmp::all_formats())
        if (f.f.comp == bmp::compression::rgb || f.f.comp == bmp::compression::bitfields)
            files.push_back(f);
    HWND hwnd = launch_with_files(a, L"kolvane", named(files));
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"DIB Section Display");
    cursor_calls(hwnd);
    for (const bmp::file& f : files) {
        SCOPED_TRACE(f.name);
        ASSERT_TRUE(choose_file(a, hwnd, OPEN, a.dir() + L"\\" + widen(f.name)));
        expect_hourglass_then_arrow(hwnd, L"wait show hide arrow");
        image shown = capture_client(hwnd);
        std::string first;
        EXPECT_EQ(differing(shown, f.shown, 0, 0, &first), 0) << first;
        EXPECT_TRUE(all_of(shown, {f.f.width, 0, shown.width, shown.height}, window_colour()));
        EXPECT_TRUE(all_of(shown, {0, f.f.height, shown.width, shown.height}, window_colour()));
    }
}

TEST(kolvane, refuses_files_it_cannot_build_a_section_from) {
    app a;
    named_bytes files = bmp::broken_files();
    for (const bmp::file& f : bmp::all_formats())
        if (f.f.comp == bmp::compression::rle8) files.emplace_back(f.name, f.bytes);
    HWND hwnd = launch_with_files(a, L"kolvane", files);
    ASSERT_NE(hwnd, nullptr);
    for (const char* name :
         {"type_ba.bmp", "offbits_small.bmp", "offbits_past_end.bmp", "header_huge.bmp",
          "header_64.bmp", "width_huge.bmp", "height_huge.bmp", "colours_past_end.bmp",
          "file_header_only.bmp", "short_header.bmp", "rle8.bmp", "missing.bmp"})
        expect_refused(a, hwnd, name);
}

TEST(kolvane, bits_that_end_early_leave_the_rest_of_the_section_black) {
    app a;
    bmp::file good = bmp::make("good.bmp", bmp::format{});
    // The last row (the top one, 112 bytes) is missing, bfSize still counts it; and a bfSize one
    // byte too large, which only changes how much is read.
    std::vector<uint8_t> cut(good.bytes.begin(), good.bytes.end() - 112);
    std::vector<uint8_t> plus = good.bytes;
    bmp::put32(plus, 2, uint32_t(plus.size() + 1));
    std::vector<uint8_t> longer = good.bytes;
    longer.resize(longer.size() + 65536, 0xFF);
    bmp::put32(longer, 2, uint32_t(longer.size()));
    std::vector<uint8_t> none(good.bytes.begin(), good.bytes.begin() + 54);
    bmp::put32(none, 2, 54);
    HWND hwnd = launch_with_files(
        a, L"kolvane",
        {{"cut.bmp", cut}, {"plus.bmp", plus}, {"long.bmp", longer}, {"none.bmp", none}});
    ASSERT_NE(hwnd, nullptr);
    ASSERT_TRUE(choose_file(a, hwnd, OPEN, a.dir() + L"\\cut.bmp"));
    image shown = capture_client(hwnd);
    bmp::picture lower = good.shown;
    lower.px.erase(lower.px.begin(), lower.px.begin() + lower.width);
    lower.height -= 1;
    EXPECT_EQ(differing(shown, lower, 0, 1), 0);
    EXPECT_TRUE(all_of(shown, {0, 0, 37, 1}, 0x000000));
    ASSERT_TRUE(choose_file(a, hwnd, OPEN, a.dir() + L"\\plus.bmp"));
    EXPECT_EQ(differing(capture_client(hwnd), good.shown, 0, 0), 0);
    // Far more bytes after the bits than the section holds, all counted by bfSize: only the
    // section's own rows are read into it, and the program goes on working.
    ASSERT_TRUE(choose_file(a, hwnd, OPEN, a.dir() + L"\\long.bmp"));
    EXPECT_EQ(differing(capture_client(hwnd), good.shown, 0, 0), 0);
    ASSERT_TRUE(choose_file(a, hwnd, OPEN, a.dir() + L"\\cut.bmp"));
    EXPECT_EQ(differing(capture_client(hwnd), lower, 0, 1), 0);
    // bfSize equal to bfOffBits: no bits are read, and the section shows as it was created.
    ASSERT_TRUE(choose_file(a, hwnd, OPEN, a.dir() + L"\\none.bmp"));
    shown = capture_client(hwnd);
    EXPECT_TRUE(all_of(shown, {0, 0, 37, 23}, 0x000000));
    EXPECT_TRUE(all_of(shown, {37, 0, shown.width, shown.height}, window_colour()));
}
