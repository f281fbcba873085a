#include "harness/checks.h"
#include "harness/dib_files.h"

using namespace harness;

namespace {
const int OPEN = 40001;
}

TEST(sembrin, every_format_is_converted_and_shown) {
    app a;
    const std::vector<bmp::file> files = bmp::all_formats();
    HWND hwnd = launch_with_files(a, L"sembrin", named(files));
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"DIB to DDB Conversion");
    cursor_calls(hwnd);
    for (const bmp::file& f : files) {
        SCOPED_TRACE(f.name);
        ASSERT_TRUE(choose_file(a, hwnd, OPEN, a.dir() + L"\\" + widen(f.name)));
        expect_hourglass_then_arrow(hwnd, L"wait show hide arrow");
        image shown = capture_client(hwnd);
        std::string first;
        EXPECT_EQ(differing(shown, f.shown, 0, 0, &first), 0) << first;
        EXPECT_TRUE(all_of(shown, {f.f.width, 0, shown.width, shown.height}, window_colour()));
    }
    // Converted once: changing the file afterwards changes nothing on screen.
    const bmp::file& last = files.back();
    write_bytes(a.dir() + L"\\" + widen(last.name), bmp::broken_files()[0].second);
    EXPECT_EQ(differing(capture_client(hwnd), last.shown, 0, 0), 0);
}

TEST(sembrin, refuses_broken_files_and_folders) {
    app a;
    named_bytes files = bmp::broken_files();
    files.emplace_back("empty.bmp", std::vector<uint8_t>{});
    HWND hwnd = launch_with_files(a, L"sembrin", files);
    ASSERT_NE(hwnd, nullptr);
    std::vector<std::string> names{"empty.bmp", "missing.bmp"};
    for (const auto& b : bmp::broken_files())
        names.push_back(b.first);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        message_box box = choose_file_for_message(a, hwnd, OPEN, a.dir() + L"\\" + widen(name));
        ASSERT_NE(box.hwnd, nullptr);
        EXPECT_EQ(box.caption, L"sembrin");
        EXPECT_EQ(box.text, L"Cannot load DIB file");
        EXPECT_EQ(icon_of(box.hwnd), box_icon::warning);
        dismiss(box);
        image shown = capture_client(hwnd);
        EXPECT_TRUE(all_of(shown, {0, 0, shown.width, shown.height}, window_colour()));
    }
}
