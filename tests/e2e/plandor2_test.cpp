#include "harness/checks.h"
#include "harness/clip_peers.h"
#include "harness/dib_files.h"
#include "harness/hooks.h"
#include "harness/peers.h"
#include "harness/probe.h"

using namespace harness;

namespace {

enum {
    OPEN = 40001,
    ACTUAL = 40002,
    CENTER,
    STRETCH,
    ISOTROPIC,
    PRINT,
    COPY,
    CUT,
    DELETE_ = 40009,
    SAVE = 40010
};

// 64 x 48 pixels in blocks of 8 x 8, each block its own colour: stretched, every block's centre
// keeps its colour whatever the rounding at the block edges.
bmp::file blocks(const char* name, bool top_down = false) {
    bmp::format f;
    f.width = 64, f.height = 48, f.blocks = true, f.top_down = top_down;
    return bmp::make(name, f);
}

HWND start_with_files(app& a, const std::vector<bmp::file>& files, int w = 420, int h = 330) {
    return launch_with_files(a, L"plandor2", named(files), w, h);
}

void open(app& a, HWND hwnd, const char* name) {
    ASSERT_TRUE(choose_file(a, hwnd, OPEN, a.dir() + L"\\" + widen(name)));
}

// Each block's centre, mapped from the picture to the client area by scale and offset.
void expect_blocks_at(const image& shown, const bmp::picture& p, double sx, double sy, double ox,
                      double oy) {
    for (int by = 0; by < p.height / 8; by++)
        for (int bx = 0; bx < p.width / 8; bx++) {
            int x = int(ox + (bx * 8 + 4) * sx), y = int(oy + (by * 8 + 4) * sy);
            EXPECT_EQ(shown.at(x, y), p.at(bx * 8 + 4, by * 8 + 4))
                << "block " << bx << "," << by << " at " << x << "," << y;
        }
}

UINT state_of(HWND hwnd, const wchar_t* text) {
    const auto menu = read_menu(hwnd);
    const menu_item* item = find_item(menu, text);
    EXPECT_NE(item, nullptr) << "no item " << std::string(text, text + wcslen(text));
    return item ? item->state : ~0u;
}

// Opens each pop-up with the keyboard, which is when the program sets the items, and closes it.
void open_menus(HWND hwnd) {
    for (WORD key : {'F', 'E', 'S'}) {
        send_input_keys(hwnd, {VK_MENU, key});
        send_input_keys(hwnd, {VK_ESCAPE});
        send_input_keys(hwnd, {VK_ESCAPE});
    }
}

void expect_image_items_grey(HWND hwnd, bool grey) {
    open_menus(hwnd);
    for (const wchar_t* item : {L"&Save...\tCtrl+S", L"&Print\tCtrl+P", L"Cu&t\tCtrl+X",
                                L"&Copy\tCtrl+C", L"&Delete\tDelete"})
        EXPECT_EQ((state_of(hwnd, item) & MF_GRAYED) != 0, grey)
            << std::string(item, item + wcslen(item));
    EXPECT_EQ(state_of(hwnd, L"&Open...\tCtrl+O") & MF_GRAYED, 0u);
}

} // namespace

TEST(plandor2, the_four_display_modes_place_the_image) {
    app a;
    bmp::file up = blocks("blocks.bmp"), down = blocks("blocks_td.bmp", true);
    HWND hwnd = start_with_files(a, {up, down});
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Show DIB #2");
    cursor_calls(hwnd);
    for (const bmp::file* f : {&up, &down}) {
        SCOPED_TRACE(f->name);
        open(a, hwnd, f->name.c_str());
        expect_hourglass_then_arrow(hwnd);
        const bmp::picture& p = f->shown;
        std::string first;

        command(hwnd, ACTUAL);
        image shown = capture_client(hwnd);
        EXPECT_EQ(differing(shown, p, 0, 0, &first), 0) << first;
        EXPECT_TRUE(all_of(shown, {p.width, 0, shown.width, shown.height}, window_colour()));

        command(hwnd, CENTER);
        shown = capture_client(hwnd);
        int x0 = (shown.width - p.width) / 2, y0 = (shown.height - p.height) / 2;
        EXPECT_EQ(differing(shown, p, x0, y0, &first), 0) << first;
        EXPECT_TRUE(all_of(shown, {0, 0, x0, shown.height}, window_colour()));
        EXPECT_TRUE(all_of(shown, {0, y0 + p.height, shown.width, shown.height}, window_colour()));

        command(hwnd, STRETCH);
        shown = capture_client(hwnd);
        expect_blocks_at(shown, p, double(shown.width) / p.width, double(shown.height) / p.height,
                         0, 0);
        // The whole client area is covered.
        EXPECT_EQ(shown.at(shown.width - 1, shown.height - 1), p.at(p.width - 1, p.height - 1));

        command(hwnd, ISOTROPIC);
        shown = capture_client(hwnd);
        double s = std::min(double(shown.width) / p.width, double(shown.height) / p.height);
        double ox = shown.width / 2.0 - p.width / 2.0 * s,
               oy = shown.height / 2.0 - p.height / 2.0 * s;
        expect_blocks_at(shown, p, s, s, ox, oy);
        // Proportions kept: bands of background on the two sides that have room to spare.
        if (ox > 4) {
            EXPECT_TRUE(all_of(shown, {0, 0, int(ox) - 2, shown.height}, window_colour()));
            EXPECT_TRUE(all_of(shown, {int(shown.width - ox) + 2, 0, shown.width, shown.height},
                               window_colour()));
        }
        if (oy > 4) {
            EXPECT_TRUE(all_of(shown, {0, 0, shown.width, int(oy) - 2}, window_colour()));
        }
    }
}

TEST(plandor2, center_cuts_a_large_image_equally_and_the_mode_survives_opening) {
    app a;
    bmp::format f;
    f.width = 300, f.height = 200, f.bits = 24;
    bmp::file big = bmp::make("big.bmp", f);
    HWND hwnd = start_with_files(a, {big}, 240, 200);
    ASSERT_NE(hwnd, nullptr);
    command(hwnd, CENTER);
    open(a, hwnd, "big.bmp");
    image shown = capture_client(hwnd);
    ASSERT_LT(shown.width, f.width);
    std::string first;
    EXPECT_EQ(differing(shown, big.shown, (shown.width - f.width) / 2,
                        (shown.height - f.height) / 2, &first),
              0)
        << first;
}

TEST(plandor2, show_menu_check_mark_follows_the_mode) {
    app a;
    HWND hwnd = start_with_files(a, {});
    ASSERT_NE(hwnd, nullptr);
    const wchar_t* items[] = {L"&Actual Size", L"&Center", L"&Stretch to Windows",
                              L"Stretch &Isotropically"};
    for (int mode : {ACTUAL, ISOTROPIC, CENTER, STRETCH, ACTUAL}) {
        command(hwnd, mode);
        for (int i = 0; i < 4; i++)
            EXPECT_EQ((state_of(hwnd, items[i]) & MF_CHECKED) != 0, ACTUAL + i == mode)
                << "mode " << mode << ", item " << i;
    }
}

TEST(plandor2, image_items_are_grey_exactly_without_an_image) {
    app a;
    bmp::file f = blocks("blocks.bmp");
    HWND hwnd = start_with_files(a, {f});
    ASSERT_NE(hwnd, nullptr);
    expect_image_items_grey(hwnd, true);
    open(a, hwnd, "blocks.bmp");
    expect_image_items_grey(hwnd, false);
    post_key(hwnd, VK_DELETE); // the accelerator
    image shown = capture_client(hwnd);
    EXPECT_TRUE(all_of(shown, {0, 0, shown.width, shown.height}, window_colour()));
    expect_image_items_grey(hwnd, true);
}

TEST(plandor2, copy_puts_the_packed_dib_on_the_clipboard_for_x11_too) {
    app a;
    bmp::format fmt;
    fmt.bits = 24, fmt.width = 20, fmt.height = 10;
    bmp::file f = bmp::make("small.bmp", fmt);
    HWND hwnd = start_with_files(a, {f});
    ASSERT_NE(hwnd, nullptr);
    open(a, hwnd, "small.bmp");
    command(hwnd, COPY);
    const std::vector<uint8_t> packed(f.bytes.begin() + 14, f.bytes.end());
    EXPECT_EQ(clipboard_bytes(CF_DIB), packed);

    // An X11 client asks for the image as a bitmap file.
    std::string out;
    ASSERT_EQ(run_unix("xclip -selection clipboard -t image/bmp -o | od -An -v -tx1", &out), 0);
    std::vector<uint8_t> got;
    for (size_t i = 0; i + 1 < out.size();) {
        while (i < out.size() && isspace(uint8_t(out[i])))
            i++;
        if (i + 1 >= out.size()) break;
        got.push_back(uint8_t(std::stoul(out.substr(i, 2), nullptr, 16)));
        i += 2;
    }
    ASSERT_GT(got.size(), 14u);
    EXPECT_EQ(got[0], 'B');
    EXPECT_EQ(got[1], 'M');
    EXPECT_EQ(std::vector<uint8_t>(got.begin() + 14, got.end()), packed);

    // The copy leaves the image; cut takes it away and still leaves it on the clipboard.
    image shown = capture_client(hwnd);
    EXPECT_EQ(differing(shown, f.shown, 0, 0), 0);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    command(hwnd, CUT);
    shown = capture_client(hwnd);
    EXPECT_TRUE(all_of(shown, {0, 0, shown.width, shown.height}, window_colour()));
    EXPECT_EQ(clipboard_bytes(CF_DIB), packed) << "cut leaves the image on the clipboard";

    // A file that leaves a gap between its colour table and its pixels: the clipboard gets the
    // pixels right after the table, the same packed DIB as the file without the gap.
    fmt.bits = 8;
    bmp::file tight = bmp::make("tight.bmp", fmt);
    std::vector<uint8_t> gapped = tight.bytes;
    const uint32_t off = bmp::get32(gapped, 10);
    gapped.insert(gapped.begin() + off, 10, 0xAB);
    bmp::put32(gapped, 2, uint32_t(gapped.size()));
    bmp::put32(gapped, 10, off + 10);
    write_bytes(a.dir() + L"\\gapped.bmp", gapped);
    open(a, hwnd, "gapped.bmp");
    command(hwnd, COPY);
    EXPECT_EQ(clipboard_bytes(CF_DIB),
              std::vector<uint8_t>(tight.bytes.begin() + 14, tight.bytes.end()));
}

TEST(plandor2, print_makes_a_one_page_document) {
    app a;
    bmp::file f = blocks("blocks.bmp");
    HWND hwnd = start_with_files(a, {f});
    ASSERT_NE(hwnd, nullptr);
    open(a, hwnd, "blocks.bmp");
    command(hwnd, STRETCH); // the page shows the blocks large
    size_t known = printed_files().size();
    cursor_calls(hwnd);
    PostMessageW(hwnd, WM_COMMAND, PRINT, 0);
    HWND dialog = a.wait_dialog();
    ASSERT_NE(dialog, nullptr);
    settle(dialog);
    press(dialog, IDOK);
    std::wstring pdf = wait_printed(known);
    ASSERT_FALSE(pdf.empty()) << "nothing was printed";
    EXPECT_EQ(pdf_pages(pdf), 1);
    EXPECT_TRUE(wait_until([&] { return !IsWindow(dialog); }));
    sync(hwnd);
    expect_hourglass_then_arrow(hwnd);
    EXPECT_EQ(a.wait_dialog(500), nullptr) << "a printed page is not reported";
    // The page, rendered: each block's centre has the block's colour.
    const std::wstring ppm = a.dir() + L"\\page.ppm";
    const std::string root = unix_path_of(a.dir() + L"\\page");
    std::string out;
    ASSERT_EQ(run_unix("pdftoppm -r 24 -singlefile '" + unix_path_of(pdf) + "' '" + root + "' 2>&1",
                       &out),
              0)
        << out;
    std::vector<uint8_t> raw = read_bytes(ppm);
    int w = 0, h = 0, max = 0, used = 0;
    ASSERT_EQ(
        sscanf(reinterpret_cast<const char*>(raw.data()), "P6 %d %d %d%n", &w, &h, &max, &used), 3);
    const size_t base = size_t(used) + 1;
    ASSERT_GE(raw.size(), base + size_t(w) * h * 3);
    image page;
    page.width = w, page.height = h;
    for (int i = 0; i < w * h; i++)
        page.px.push_back(uint32_t(raw[base + 3 * i]) << 16 | uint32_t(raw[base + 3 * i + 1]) << 8 |
                          raw[base + 3 * i + 2]);
    // The printable area lies inside the sheet's margins; find it by the ink.
    RECT ink = bounds(page, [](uint32_t c) { return c != 0xFFFFFF; });
    ASSERT_GT(ink.right - ink.left, w / 2);
    ASSERT_GT(ink.bottom - ink.top, h / 2);
    const bmp::picture& p = f.shown;
    double sx = double(ink.right - ink.left) / p.width,
           sy = double(ink.bottom - ink.top) / p.height;
    for (int by = 0; by < p.height / 8; by++)
        for (int bx = 0; bx < p.width / 8; bx++) {
            uint32_t want = p.at(bx * 8 + 4, by * 8 + 4);
            uint32_t got =
                page.at(int(ink.left + (bx * 8 + 4) * sx), int(ink.top + (by * 8 + 4) * sy));
            for (int shift : {0, 8, 16})
                EXPECT_NEAR(int(got >> shift & 0xFF), int(want >> shift & 0xFF), 24)
                    << "block " << bx << "," << by;
        }

    // A step of the printing that the spooler answers with 0, a failure: the bitmap is reported
    // as not printed and a document begun is withdrawn (once EndDoc was made, the spooler has
    // the page already).
    for (int step = 1; step <= 4; step++) {
        SCOPED_TRACE(step);
        ASSERT_EQ(probe(hwnd, PROBE_PRINT_STEP_FAILS + step), L"1");
        known = printed_files().size();
        PostMessageW(hwnd, WM_COMMAND, PRINT, 0);
        dialog = a.wait_dialog();
        ASSERT_NE(dialog, nullptr);
        settle(dialog);
        press(dialog, IDOK);
        EXPECT_TRUE(wait_until([&] { return !IsWindow(dialog); }));
        message_box box = wait_message_box(a);
        ASSERT_NE(box.hwnd, nullptr) << "the lost page went unreported";
        EXPECT_EQ(box.caption, L"plandor2");
        EXPECT_EQ(box.text, L"Could not print bitmap");
        EXPECT_EQ(icon_of(box.hwnd), box_icon::warning);
        press(box.hwnd, IDOK);
        EXPECT_TRUE(wait_until([&] { return !IsWindow(box.hwnd); }));
        EXPECT_EQ(cursor_at_rest(hwnd), L"arrow 0");
        if (step < 4) {
            EXPECT_TRUE(wait_printed(known, 1500).empty()) << "a page half made";
        }
    }
    ASSERT_EQ(probe(hwnd, PROBE_PRINT_STEP_FAILS), L"1");
}

// The print dialog has no owner, so the window stays usable behind it: a second Print opens no
// second dialog, and an image deleted meanwhile leaves nothing to print and nothing broken.
TEST(plandor2, print_after_the_image_went_behind_the_dialog_prints_nothing) {
    watch_faults watch;
    app a;
    bmp::file f = blocks("blocks.bmp");
    HWND hwnd = start_with_files(a, {f});
    ASSERT_NE(hwnd, nullptr);
    open(a, hwnd, "blocks.bmp");
    size_t known = printed_files().size();
    PostMessageW(hwnd, WM_COMMAND, PRINT, 0);
    HWND dialog = a.wait_dialog();
    ASSERT_NE(dialog, nullptr);
    settle(dialog);
    EXPECT_TRUE(IsWindowEnabled(hwnd)) << "the dialog has no owner";
    PostMessageW(hwnd, WM_COMMAND, PRINT, 0);
    drain(hwnd);
    EXPECT_EQ(a.wait_dialog(1000, dialog), nullptr) << "a second print dialog";
    // Edit > Delete from the menu (the accelerators wait for the program's own loop).
    PostMessageW(hwnd, WM_COMMAND, DELETE_, 0);
    drain(hwnd);
    EXPECT_TRUE(all_of(capture_client(hwnd), {0, 0, 50, 40}, window_colour()));
    press(dialog, IDOK);
    EXPECT_TRUE(wait_until([&] { return !IsWindow(dialog); }));
    sync(hwnd);
    EXPECT_EQ(a.wait_dialog(500), nullptr) << "no failure to report: nothing was to print";
    EXPECT_TRUE(wait_printed(known, 3000).empty()) << "a page without an image";
    EXPECT_EQ(faults(hwnd), 0);
    // The window still works: a picture opens and shows, and Print opens its dialog again.
    open(a, hwnd, "blocks.bmp");
    EXPECT_EQ(differing(capture_client(hwnd), f.shown, 0, 0), 0);
    PostMessageW(hwnd, WM_COMMAND, PRINT, 0);
    dialog = a.wait_dialog();
    ASSERT_NE(dialog, nullptr);
    settle(dialog);
    press(dialog, IDCANCEL);
    EXPECT_TRUE(wait_until([&] { return !IsWindow(dialog); }));
    EXPECT_EQ(faults(hwnd), 0);
}

TEST(plandor2, save_over_a_file_that_cannot_be_replaced_keeps_it) {
    app a;
    bmp::file f = blocks("blocks.bmp");
    bmp::file other = bmp::make("other.bmp", bmp::format{});
    HWND hwnd = start_with_files(a, {f, other});
    ASSERT_NE(hwnd, nullptr);
    open(a, hwnd, "blocks.bmp");

    // Saving under a new name, and over an existing file once the user agrees.
    cursor_calls(hwnd);
    ASSERT_TRUE(choose_file(a, hwnd, SAVE, a.dir() + L"\\saved.bmp"));
    expect_hourglass_then_arrow(hwnd);
    EXPECT_EQ(read_bytes(a.dir() + L"\\saved.bmp"), f.bytes);
    // The file saved over keeps what it was (here: hidden).
    ASSERT_TRUE(SetFileAttributesW((a.dir() + L"\\other.bmp").c_str(), FILE_ATTRIBUTE_HIDDEN));
    PostMessageW(hwnd, WM_COMMAND, SAVE, 0);
    HWND dialog = answer_file_dialog(a, a.dir() + L"\\other.bmp");
    ASSERT_NE(dialog, nullptr);
    HWND confirm = a.wait_dialog(10000, dialog);
    ASSERT_NE(confirm, nullptr);
    press(confirm, IDYES);
    wait_until([&] { return !IsWindow(dialog); });
    sync(hwnd);
    EXPECT_EQ(read_bytes(a.dir() + L"\\other.bmp"), f.bytes);
    EXPECT_EQ(GetFileAttributesW((a.dir() + L"\\other.bmp").c_str()) & FILE_ATTRIBUTE_HIDDEN,
              DWORD(FILE_ATTRIBUTE_HIDDEN));

    // A read-only target: the save fails and the file stays as it was, with nothing left beside.
    std::wstring locked = a.dir() + L"\\locked.bmp";
    write_bytes(locked, other.bytes);
    ASSERT_TRUE(SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    PostMessageW(hwnd, WM_COMMAND, SAVE, 0);
    dialog = answer_file_dialog(a, locked);
    ASSERT_NE(dialog, nullptr);
    confirm = a.wait_dialog(10000, dialog);
    ASSERT_NE(confirm, nullptr);
    press(confirm, IDYES);
    wait_until([&] { return !IsWindow(dialog); });
    message_box box = wait_message_box(a);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.text, L"Cannot save DIB file");
    EXPECT_EQ(box.caption, L"plandor2");
    EXPECT_EQ(icon_of(box.hwnd), box_icon::none);
    press(box.hwnd, IDOK);
    EXPECT_EQ(cursor_at_rest(hwnd), L"arrow 0");
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(read_bytes(locked), other.bytes);
    EXPECT_EQ(files_in(a.dir()), (std::vector<std::wstring>{L"blocks.bmp", L"locked.bmp",
                                                            L"other.bmp", L"saved.bmp"}));
}

// Files are refused only where reading them would leave the file; the format is the drawing
// call's to judge, and a file it cannot draw still opens and saves byte for byte.
TEST(plandor2, refuses_what_reaches_past_the_file_and_lets_the_drawing_judge_the_format) {
    app a;
    std::vector<bmp::file> shown;
    for (const bmp::file& f : bmp::all_formats())
        if (f.name == "v2_32.bmp" || f.name == "v3_32.bmp" || f.name == "fields32.bmp")
            shown.push_back(f);
    // A header size no structure has: its fields lie in the file, nothing can draw it.
    bmp::file odd = bmp::make("odd.bmp", bmp::format{});
    bmp::put32(odd.bytes, 14, 20);
    shown.push_back(odd);
    HWND hwnd = start_with_files(a, shown);
    ASSERT_NE(hwnd, nullptr);
    for (const auto& b : bmp::broken_files())
        write_bytes(a.dir() + L"\\" + widen(b.first), b.second);
    command(hwnd, ACTUAL);
    for (const bmp::file& f : shown) {
        SCOPED_TRACE(f.name);
        open(a, hwnd, f.name.c_str());
        image seen = capture_client(hwnd);
        if (&f == &shown.back()) {
            EXPECT_TRUE(all_of(seen, {0, 0, seen.width, seen.height}, window_colour()));
        } else {
            std::string first;
            EXPECT_EQ(differing(seen, f.shown, 0, 0, &first), 0) << first;
        }
        const std::wstring copy = a.dir() + L"\\saved_" + widen(f.name);
        ASSERT_TRUE(choose_file(a, hwnd, SAVE, copy));
        EXPECT_EQ(read_bytes(copy), f.bytes);
    }
    for (const char* name : {"type_ba.bmp", "short_rows.bmp", "colours_past_end.bmp"}) {
        SCOPED_TRACE(name);
        message_box box = choose_file_for_message(a, hwnd, OPEN, a.dir() + L"\\" + widen(name));
        ASSERT_NE(box.hwnd, nullptr);
        EXPECT_EQ(box.caption, L"plandor2");
        EXPECT_EQ(box.text, L"Cannot load DIB file");
        EXPECT_EQ(icon_of(box.hwnd), box_icon::warning);
        dismiss(box);
    }
}
