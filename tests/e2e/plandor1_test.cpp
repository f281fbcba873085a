#include "harness/checks.h"
#include "harness/dib_files.h"

using namespace harness;

namespace {

const int OPEN = 40001, SAVE = 40002;

HWND start_with_files(app& a, const std::vector<bmp::file>& files) {
    return launch_with_files(a, L"plandor1", named(files), 400, 300);
}

bool save_grey(HWND hwnd) {
    send_input_keys(hwnd, {VK_MENU, 'F'}); // opens the File menu: WM_INITMENUPOPUP
    send_input_keys(hwnd, {VK_ESCAPE});
    send_input_keys(hwnd, {VK_ESCAPE});
    const auto menu = read_menu(hwnd);
    const menu_item* save = find_item(menu, L"&Save...");
    EXPECT_NE(save, nullptr);
    return save && (save->state & MF_GRAYED);
}

} // namespace

TEST(plandor1, every_format_is_shown_at_the_top_left_corner) {
    app a;
    const std::vector<bmp::file> files = bmp::all_formats();
    HWND hwnd = start_with_files(a, files);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Show DIB #1");
    cursor_calls(hwnd);
    for (const bmp::file& f : files) {
        SCOPED_TRACE(f.name);
        ASSERT_TRUE(choose_file(a, hwnd, OPEN, a.dir() + L"\\" + widen(f.name)));
        expect_hourglass_then_arrow(hwnd);
        image shown = capture_client(hwnd);
        std::string first;
        EXPECT_EQ(differing(shown, f.shown, 0, 0, &first), 0) << first;
        // Nothing beside or below it.
        EXPECT_TRUE(all_of(shown, {f.f.width, 0, shown.width, shown.height}, window_colour()));
        EXPECT_TRUE(all_of(shown, {0, f.f.height, shown.width, shown.height}, window_colour()));
    }
}

TEST(plandor1, broken_files_are_refused_and_leave_the_window_empty) {
    app a;
    bmp::file good = bmp::make("good.bmp", bmp::format{});
    HWND hwnd = start_with_files(a, {good});
    ASSERT_NE(hwnd, nullptr);
    for (const auto& b : bmp::broken_files())
        write_bytes(a.dir() + L"\\" + widen(b.first), b.second);
    write_bytes(a.dir() + L"\\empty.bmp", {});
    std::vector<std::string> names{"empty.bmp"};
    for (const auto& b : bmp::broken_files())
        names.push_back(b.first);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(choose_file(a, hwnd, OPEN, a.dir() + L"\\good.bmp"));
        ASSERT_EQ(differing(capture_client(hwnd), good.shown, 0, 0), 0);
        cursor_calls(hwnd);
        message_box box = choose_file_for_message(a, hwnd, OPEN, a.dir() + L"\\" + widen(name));
        ASSERT_NE(box.hwnd, nullptr);
        EXPECT_EQ(cursor_calls(hwnd), L"wait show arrow hide");
        EXPECT_EQ(box.caption, L"plandor1");
        EXPECT_EQ(box.text, L"Cannot load DIB file");
        EXPECT_EQ(icon_of(box.hwnd), box_icon::none);
        // The box belongs to the window and holds it while it shows.
        EXPECT_EQ(GetWindow(box.hwnd, GW_OWNER), hwnd);
        EXPECT_FALSE(IsWindowEnabled(hwnd));
        dismiss(box);
        EXPECT_TRUE(wait_until([&] { return IsWindowEnabled(hwnd) != FALSE; }, 3000));
        EXPECT_EQ(cursor_at_rest(hwnd), L"arrow 0");
        // The earlier image went before loading.
        image shown = capture_client(hwnd);
        EXPECT_TRUE(all_of(shown, {0, 0, shown.width, shown.height}, window_colour()));
    }
}

TEST(plandor1, save_writes_the_file_byte_for_byte_and_is_grey_without_an_image) {
    app a;
    bmp::format f;
    f.bits = 8;
    bmp::file src = bmp::make("source.bmp", f);
    HWND hwnd = start_with_files(a, {src});
    ASSERT_NE(hwnd, nullptr);
    EXPECT_TRUE(save_grey(hwnd));
    ASSERT_TRUE(choose_file(a, hwnd, OPEN, a.dir() + L"\\source.bmp"));
    EXPECT_FALSE(save_grey(hwnd));
    cursor_calls(hwnd);
    ASSERT_TRUE(choose_file(a, hwnd, SAVE, a.dir() + L"\\copy.bmp"));
    expect_hourglass_then_arrow(hwnd);
    EXPECT_EQ(read_bytes(a.dir() + L"\\copy.bmp"), src.bytes);
    EXPECT_EQ(files_in(a.dir()), (std::vector<std::wstring>{L"copy.bmp", L"source.bmp"}));
}

TEST(plandor1, cancelling_a_dialog_changes_nothing) {
    app a;
    bmp::file src = bmp::make("source.bmp", bmp::format{});
    HWND hwnd = start_with_files(a, {src});
    ASSERT_NE(hwnd, nullptr);
    ASSERT_TRUE(choose_file(a, hwnd, OPEN, a.dir() + L"\\source.bmp"));
    for (int id : {OPEN, SAVE}) {
        PostMessageW(hwnd, WM_COMMAND, WPARAM(id), 0);
        HWND dialog = a.wait_dialog();
        ASSERT_NE(dialog, nullptr);
        settle(dialog);
        press(dialog, IDCANCEL);
        EXPECT_TRUE(wait_until([&] { return !IsWindow(dialog); }));
        EXPECT_EQ(wait_message_box(a, 300).hwnd, nullptr);
        EXPECT_EQ(differing(capture_client(hwnd), src.shown, 0, 0), 0);
    }
    EXPECT_EQ(files_in(a.dir()), std::vector<std::wstring>{L"source.bmp"});
}
