#include "harness/dib_files.h"

using namespace harness;

namespace {

// The picture of a 24-bit bitmap file with a 40-byte header, decoded here.
bmp::picture decode24(const std::vector<uint8_t>& v) {
    bmp::picture p;
    if (v.size() < 54) return p;
    int32_t h = int32_t(bmp::get32(v, 22));
    p.width = int(bmp::get32(v, 18));
    p.height = h < 0 ? -h : h;
    const size_t off = bmp::get32(v, 10), row = size_t(p.width * 3 + 3) / 4 * 4;
    if (v.size() < off + row * p.height) return bmp::picture{};
    for (int y = 0; y < p.height; y++) {
        const uint8_t* r = &v[off + row * size_t(h < 0 ? y : p.height - 1 - y)];
        for (int x = 0; x < p.width; x++)
            p.px.push_back(uint32_t(r[3 * x + 2]) << 16 | uint32_t(r[3 * x + 1]) << 8 | r[3 * x]);
    }
    return p;
}

// 80 x 166 pixels whose lower-left corner is 80 pixels right of and 60 pixels up from the
// picture's lower-left corner.
bmp::picture cut_out(const bmp::picture& p) {
    bmp::picture c;
    c.width = 80, c.height = 166;
    for (int y = 0; y < 166; y++)
        for (int x = 0; x < 80; x++)
            c.px.push_back(p.at(80 + x, p.height - 60 - 166 + y));
    return c;
}

std::wstring bin_file(const wchar_t* name) {
    std::wstring exe = program_path(L"heskar11");
    return exe.substr(0, exe.find_last_of(L'\\') + 1) + name;
}

} // namespace

TEST(heskar11, the_two_files_beside_it_show_alike_whole_and_cut_out) {
    const std::vector<uint8_t> up = read_bytes(bin_file(L"Heskar11.bmp"));
    const std::vector<uint8_t> down = read_bytes(bin_file(L"HeskarTD.bmp"));
    ASSERT_GT(up.size(), 54u) << "the build did not write Heskar11.bmp";
    ASSERT_EQ(up.size(), down.size());
    EXPECT_LT(int32_t(bmp::get32(down, 22)), 0) << "HeskarTD.bmp is not top-down";
    EXPECT_GT(int32_t(bmp::get32(up, 22)), 0) << "Heskar11.bmp is not bottom-up";
    const bmp::picture p = decode24(up);
    ASSERT_EQ(p.px, decode24(down).px) << "the two files hold different pictures";
    ASSERT_GE(p.width, 160);
    ASSERT_GE(p.height, 226);

    app a;
    HWND hwnd =
        launch_with_files(a, L"heskar11", {{"Heskar11.bmp", up}, {"HeskarTD.bmp", down}}, 720, 600);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Heskar 11");
    EXPECT_EQ(wait_message_box(a, 300).hwnd, nullptr);
    image shown = capture_client(hwnd);
    ASSERT_GE(shown.width, 660);
    const int y = shown.height / 4;
    std::string first;
    EXPECT_EQ(differing(shown, p, 0, y, &first), 0) << first;
    EXPECT_EQ(differing(shown, p, 340, y, &first), 0) << first;
    const bmp::picture c = cut_out(p);
    EXPECT_EQ(differing(shown, c, 240, y, &first), 0) << first;
    EXPECT_EQ(differing(shown, c, 580, y, &first), 0) << first;
    // Nothing above the drawings, nor between the cut-outs and the whole pictures.
    EXPECT_TRUE(all_of(shown, {0, 0, shown.width, y}, window_colour()));
    EXPECT_TRUE(all_of(shown, {p.width, y, 240, shown.height}, window_colour()));
    EXPECT_TRUE(all_of(shown, {320, y, 340, shown.height}, window_colour()));
    EXPECT_TRUE(all_of(shown, {660, 0, shown.width, shown.height}, window_colour()));
}

TEST(heskar11, without_its_files_it_says_so_once_and_shows_nothing) {
    app a;
    ASSERT_TRUE(a.start(program_path(L"heskar11")));
    message_box box = wait_message_box(a);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.caption, L"heskar11");
    EXPECT_EQ(box.text, L"Cannot load DIB file");
    EXPECT_EQ(icon_of(box.hwnd), box_icon::none);
    // Shown while the window is being created, and already owned by it.
    HWND owner = GetWindow(box.hwnd, GW_OWNER);
    dismiss(box);
    HWND hwnd = a.wait_window(L"heskar11");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(owner, hwnd);
    EXPECT_EQ(wait_message_box(a, 500).hwnd, nullptr);
    image shown = capture_client(hwnd);
    EXPECT_TRUE(all_of(shown, {0, 0, shown.width, shown.height}, window_colour()));
}
