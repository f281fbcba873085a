#include "harness/checks.h"
#include "harness/dib_files.h"
#include "harness/probe.h"

using namespace harness;

namespace {

const int OPEN = 40001;

std::vector<bmp::file> uncompressed() {
    std::vector<bmp::file> out;
    for (const bmp::file& f : bmp::all_formats())
        if (f.f.comp == bmp::compression::rgb || f.f.comp == bmp::compression::bitfields)
            out.push_back(f);
    return out;
}

bmp::file tall(const char* name, bool top_down) {
    bmp::format f;
    f.width = 40, f.height = 660, f.top_down = top_down;
    return bmp::make(name, f);
}

} // namespace

TEST(yarnel, every_uncompressed_format_is_drawn_row_by_row_and_repainted_from_memory) {
    app a;
    const std::vector<bmp::file> files = uncompressed();
    HWND hwnd = launch_with_files(a, L"yarnel", named(files));
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"DIB Sequential Display");
    cursor_calls(hwnd);
    for (const bmp::file& f : files) {
        SCOPED_TRACE(f.name);
        ASSERT_TRUE(choose_file(a, hwnd, OPEN, a.dir() + L"\\" + widen(f.name)));
        expect_hourglass_then_arrow(hwnd, L"wait show hide arrow");
        std::string first;
        // As drawn while reading, then after a repaint of the whole window.
        EXPECT_EQ(differing(capture_client(hwnd), f.shown, 0, 0, &first), 0) << first;
        image shown = capture_client(hwnd);
        EXPECT_EQ(differing(shown, f.shown, 0, 0, &first), 0) << first;
        EXPECT_TRUE(all_of(shown, {f.f.width, 0, shown.width, shown.height}, window_colour()));
    }
}

TEST(yarnel, only_the_top_500_rows_are_slow) {
    app a;
    bmp::file up = tall("up.bmp", false), down = tall("down.bmp", true);
    HWND hwnd = launch_with_files(a, L"yarnel", named({up, down}));
    ASSERT_NE(hwnd, nullptr);
    SetWindowPos(hwnd, nullptr, 0, 0, 300, 760, SWP_NOZORDER | SWP_NOACTIVATE);
    settle(hwnd);
    RECT c = client_rect(hwnd);
    ASSERT_GE(c.bottom - c.top, 660);
    EXPECT_EQ(probe(hwnd, PROBE_SLEEPS), L"0\t0"); // counting starts
    for (const bmp::file* f : {&up, &down}) {
        SCOPED_TRACE(f->name);
        PostMessageW(hwnd, WM_COMMAND, OPEN, 0);
        HWND dialog = answer_file_dialog(a, a.dir() + L"\\" + widen(f->name));
        ASSERT_NE(dialog, nullptr);
        wait_until([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
        DWORD t0 = GetTickCount();
        Sleep(1000);
        // A second in: the 160 rows that end at the bottom took no time, the 500 at the top
        // about 10 ms each. Bottom-up, those come last; top-down, first.
        image early = capture_screen({c.left, c.top, c.left + 40, c.top + 660});
        const bmp::picture& p = f->shown;
        auto drawn = [&](int from, int to) {
            bmp::picture part;
            part.width = p.width, part.height = to - from;
            part.px.assign(p.px.begin() + from * p.width, p.px.begin() + to * p.width);
            return differing(early, part, 0, from) == 0;
        };
        if (f->f.top_down) {
            EXPECT_TRUE(drawn(0, 30)) << "the top rows are not drawn first";
            EXPECT_TRUE(all_of(early, {0, 200, 40, 660}, window_colour()))
                << "the lower rows came too early";
        } else {
            EXPECT_TRUE(drawn(500, 660)) << "the lower rows are not drawn at once";
            EXPECT_TRUE(all_of(early, {0, 0, 40, 300}, window_colour()))
                << "the top rows were drawn too early";
        }
        sync(hwnd);
        DWORD elapsed = GetTickCount() - t0 + 1000;
        // 500 pauses of 10 ms.
        EXPECT_EQ(probe(hwnd, PROBE_SLEEPS), f->f.top_down ? L"1000\t10000" : L"500\t5000");
        EXPECT_GE(elapsed, 4800u);
        EXPECT_LE(elapsed, 9000u);
        EXPECT_EQ(differing(capture_client(hwnd), p, 0, 0), 0);
    }
}

TEST(yarnel, refuses_what_it_cannot_show_and_stays_usable) {
    app a;
    bmp::file good = bmp::make("good.bmp", bmp::format{});
    named_bytes files{{good.name, good.bytes}};
    std::vector<std::pair<std::string, std::wstring>> cases{
        {"rle8.bmp", L"File is compressed."},
        {"rle4.bmp", L"File is compressed."},
        {"rle8_header_cut.bmp", L"File is compressed."}, // the 20 bytes up to the compression
        {"type_ba.bmp", L"File is not a bitmap."},
        {"ten.bmp", L"Cannot read file."},
        {"offbits_past_end.bmp", L"Cannot allocate memory."},
        {"offbits_small.bmp", L"Cannot allocate memory."},
        {"no_bits.bmp", L"Cannot allocate memory."},
        {"header_huge.bmp", L"Cannot read file."},
        {"header_64.bmp", L"Cannot read file."},
        {"short_rows.bmp", L"Cannot read file."},
        {"width_huge.bmp", L"Cannot read file."},
        {"height_huge.bmp", L"Cannot read file."},
        {"colours_past_end.bmp", L"Cannot read file."},
        {"missing.bmp", L"Cannot open file."},
    };
    for (const bmp::file& f : bmp::all_formats())
        if (f.f.comp == bmp::compression::rle8 || f.f.comp == bmp::compression::rle4)
            files.emplace_back(f.name, f.bytes);
    for (const auto& b : bmp::broken_files())
        files.push_back(b);
    std::vector<uint8_t> no_bits(good.bytes.begin(), good.bytes.begin() + 54);
    bmp::put32(no_bits, 2, 54); // bfSize equal to bfOffBits: a bits block of no bytes
    files.emplace_back("no_bits.bmp", no_bits);
    std::vector<uint8_t> rle8_header_cut = good.bytes;
    bmp::put32(rle8_header_cut, 10, 14 + 20); // bfOffBits: a header block of 20 bytes
    bmp::put32(rle8_header_cut, 30, 1);       // biCompression: RLE8
    files.emplace_back("rle8_header_cut.bmp", rle8_header_cut);
    files.emplace_back("ten.bmp",
                       std::vector<uint8_t>(good.bytes.begin(), good.bytes.begin() + 10));
    HWND hwnd = launch_with_files(a, L"yarnel", files);
    ASSERT_NE(hwnd, nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        ASSERT_TRUE(choose_file(a, hwnd, OPEN, a.dir() + L"\\good.bmp"));
        message_box box = choose_file_for_message(a, hwnd, OPEN, a.dir() + L"\\" + widen(c.first));
        ASSERT_NE(box.hwnd, nullptr);
        EXPECT_EQ(box.caption, L"yarnel");
        EXPECT_EQ(box.text, c.second);
        EXPECT_EQ(icon_of(box.hwnd), box_icon::warning);
        dismiss(box);
        image shown = capture_client(hwnd);
        EXPECT_TRUE(all_of(shown, {0, 0, shown.width, shown.height}, window_colour()));
        // The file was closed on the way out.
        if (c.first != "missing.bmp") {
            EXPECT_TRUE(DeleteFileW((a.dir() + L"\\" + widen(c.first)).c_str()));
        }
    }
}

TEST(yarnel, rows_missing_from_the_end_stay_black_and_rows_of_no_width_open) {
    app a;
    bmp::file good = bmp::make("good.bmp", bmp::format{});
    // bfSize still counts the last row (112 bytes), cut off: the top row, read last, stays zero.
    std::vector<uint8_t> cut(good.bytes.begin(), good.bytes.end() - 112);
    HWND hwnd = launch_with_files(a, L"yarnel", {{"cut.bmp", cut}});
    ASSERT_NE(hwnd, nullptr);
    ASSERT_TRUE(choose_file(a, hwnd, OPEN, a.dir() + L"\\cut.bmp"));
    image shown = capture_client(hwnd);
    bmp::picture lower = good.shown;
    lower.px.erase(lower.px.begin(), lower.px.begin() + 37);
    lower.height -= 1;
    EXPECT_EQ(differing(shown, lower, 0, 1), 0);
    EXPECT_TRUE(all_of(shown, {0, 0, 37, 1}, 0x000000));

    // Rows of no width hold nothing to read, however many: the tallest height still opens, and
    // so does the widest bitmap of no rows. Opened or refused, the window is blank; what tells
    // them apart is the hourglass shown while the rows are read (a refusal comes before it) and
    // the box that a refusal puts over the window.
    cursor_calls(hwnd);
    for (auto [width, height] : {std::pair{0u, 0x7FFFFFFFu}, std::pair{0x7FFFFFFFu, 0u}}) {
        SCOPED_TRACE(width);
        std::vector<uint8_t> empty = good.bytes;
        bmp::put32(empty, 18, width);
        bmp::put32(empty, 22, height);
        write_bytes(a.dir() + L"\\empty.bmp", empty);
        ASSERT_TRUE(choose_file(a, hwnd, OPEN, a.dir() + L"\\empty.bmp"));
        expect_hourglass_then_arrow(hwnd, L"wait show hide arrow");
        EXPECT_EQ(wait_message_box(a, 500).hwnd, nullptr) << "refused";
        shown = capture_client(hwnd);
        EXPECT_TRUE(all_of(shown, {0, 0, shown.width, shown.height}, window_colour()));
    }
}
