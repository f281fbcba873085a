// mardelle: blocks of the screen captured with the real mouse from a picture the test put on the
// screen outside the program's window, shown stretched (mirrored when marked backwards), and
// exchanged with the clipboard as bitmaps; the desktop's update lock is never left behind.
#include "harness/checks.h"
#include "harness/clip_peers.h"
#include "harness/grids.h"
#include "harness/harness.h"
#include "harness/mouse_input.h"
#include "harness/probe.h"
#include "harness/screen_pattern.h"

using namespace harness;

namespace {

enum { CUT = 40001, COPY, PASTE, DELETE_ };
const int client_w = 320, client_h = 240;
const POINT start_point{20, 20}; // where the left button starts a capture

struct mardelle {
    app a;
    HWND hwnd = nullptr;
    // The picture: 4 x 3 blocks of 20 pixels, well away from the program's window.
    screen_pattern pattern{600, 420, 4, 3, 20};

    bool open() {
        hwnd = launch(a, L"mardelle");
        if (!hwnd) return false;
        SetWindowPos(hwnd, nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        set_client_size(hwnd, client_w, client_h);
        park_cursor();
        return pattern.ok();
    }
    POINT client_of(POINT screen) const {
        ScreenToClient(hwnd, &screen);
        return screen;
    }
    // A screen corner of the picture: right and bottom are the far edges.
    POINT corner(bool right, bool bottom) const {
        RECT r = pattern.rect();
        return client_of(POINT{right ? r.right : r.left, bottom ? r.bottom : r.top});
    }
    // The left button starts the capture, the right one marks from `from` to `to`; `check_mark`
    // runs while the block is marked.
    void capture(POINT from, POINT to, const std::function<void()>& check_mark = nullptr) {
        mouse_down(hwnd, start_point, button::left);
        mouse_down(hwnd, from, button::right);
        mouse_glide(hwnd, from, to, 3);
        if (check_mark) check_mark();
        mouse_up(hwnd, to, button::right);
        mouse_up(hwnd, to, button::left);
    }
    void command(int id) {
        PostMessageW(hwnd, WM_COMMAND, id, 0);
        drain(hwnd);
    }
    // Cut, Copy, Delete, Paste.
    std::string greys() {
        std::string s;
        for (const wchar_t* item :
             {L"Cu&t\tCtrl+X", L"&Copy\tCtrl+C", L"De&lete\tDelete", L"&Paste\tCtrl+V"})
            s += is_grey(hwnd, item) ? 'g' : 'e';
        return s;
    }
};

// Each block's centre, wherever the picture is shown over w x h, with the blocks mirrored as
// asked; `invert` for the mark on the screen.
int wrong_blocks(const image& shown, const screen_pattern& p, bool flip_x, bool flip_y,
                 bool invert = false) {
    int wrong = 0;
    const int pw = p.cols() * p.block(), ph = p.rows() * p.block();
    for (int r = 0; r < p.rows(); r++)
        for (int c = 0; c < p.cols(); c++) {
            const int x = (c * p.block() + p.block() / 2) * shown.width / pw;
            const int y = (r * p.block() + p.block() / 2) * shown.height / ph;
            uint32_t want = screen_pattern::colour(flip_x ? p.cols() - 1 - c : c,
                                                   flip_y ? p.rows() - 1 - r : r);
            if (invert) want ^= 0xFFFFFF;
            if (shown.at(x, y) != want) {
                wrong++;
                ADD_FAILURE() << "block " << c << "," << r << " shows " << std::hex
                              << shown.at(x, y) << " instead of " << want;
            }
        }
    if (wrong) save_bmp(shown, L"mardelle-wrong.bmp");
    return wrong;
}

bool blank(const image& img) {
    const COLORREF w = GetSysColor(COLOR_WINDOW);
    const uint32_t want = (GetRValue(w) << 16) | (GetGValue(w) << 8) | GetBValue(w);
    for (uint32_t px : img.px)
        if (px != want) return false;
    return img.width > 0;
}

} // namespace

// Marked forwards, backwards and only leftwards, the block is shown stretched over the window,
// mirrored the way it was marked; while marking, the block shows inverted on the screen, and the
// desktop stays locked only for the capture.
TEST(mardelle, captures_blocks_outside_the_window_mirrored_as_marked) {
    mardelle m;
    buttons_released guard;
    ASSERT_TRUE(m.open());
    EXPECT_EQ(text_of(m.hwnd), L"Mardelle Mouse Demo");
    EXPECT_TRUE(blank(capture_client(m.hwnd)));
    const int objects = gdi_net(m.hwnd);
    const struct {
        bool from_right, from_bottom, to_right, to_bottom, flip_x, flip_y;
    } drags[] = {
        {false, false, true, true, false, false}, // down and right: as it is
        {true, true, false, false, true, true},   // up and left: flipped both ways
        {true, false, false, true, true, false},  // leftwards only: flipped left to right
    };
    for (const auto& d : drags) {
        SCOPED_TRACE(testing::Message() << "flip x " << d.flip_x << ", flip y " << d.flip_y);
        m.capture(m.corner(d.from_right, d.from_bottom), m.corner(d.to_right, d.to_bottom), [&] {
            EXPECT_EQ(probe(m.hwnd, PROBE_TRY_LOCK_DESKTOP), L"0") << "locked while capturing";
            EXPECT_EQ(cursor_at_rest(m.hwnd), L"cross 0");
            EXPECT_EQ(wrong_blocks(capture_screen(m.pattern.rect()), m.pattern, false, false, true),
                      0)
                << "the marked block shows inverted";
        });
        EXPECT_EQ(probe(m.hwnd, PROBE_TRY_LOCK_DESKTOP), L"1") << "unlocked after the release";
        EXPECT_EQ(cursor_at_rest(m.hwnd), L"arrow 0");
        EXPECT_EQ(wrong_blocks(capture_screen(m.pattern.rect()), m.pattern, false, false), 0)
            << "the mark is erased";
        EXPECT_EQ(wrong_blocks(capture_client(m.hwnd), m.pattern, d.flip_x, d.flip_y), 0);
    }
    // Resized, the picture stretches over the new client area.
    set_client_size(m.hwnd, 200, 300);
    EXPECT_EQ(wrong_blocks(capture_client(m.hwnd), m.pattern, true, false), 0);
    post_key(m.hwnd, VK_DELETE);
    EXPECT_TRUE(blank(capture_client(m.hwnd)));
    EXPECT_EQ(gdi_net(m.hwnd), objects) << "no drawing object left behind";
}

// Copy and Paste give back the same picture, Cut leaves it on the clipboard, a bitmap another
// program put there pastes scaled, and the menu greys what cannot be done.
TEST(mardelle, clipboard_exchange_and_menu_greying) {
    mardelle m;
    buttons_released guard;
    ASSERT_TRUE(m.open());
    ASSERT_TRUE(empty_clipboard());
    EXPECT_EQ(m.greys(), "gggg");
    m.capture(m.corner(false, false), m.corner(true, true));
    EXPECT_EQ(m.greys(), "eeeg");
    const image captured = capture_client(m.hwnd);
    EXPECT_EQ(wrong_blocks(captured, m.pattern, false, false), 0);

    // While another program holds the clipboard open, Copy and Cut lose nothing and change
    // nothing.
    ASSERT_TRUE(set_clipboard_bitmap(2, 1, [](int, int) { return 0x00FF00u; }));
    ASSERT_TRUE(OpenClipboard(nullptr));
    m.command(COPY);
    m.command(CUT);
    CloseClipboard();
    EXPECT_EQ(capture_client(m.hwnd), captured) << "the picture stays";
    int w = 0, h = 0;
    std::vector<uint32_t> px = clipboard_bitmap(&w, &h);
    EXPECT_EQ(w, 2) << "the clipboard keeps what it held";
    ASSERT_TRUE(empty_clipboard());

    send_input_keys(m.hwnd, {VK_CONTROL, 'C'});
    drain(m.hwnd);
    px = clipboard_bitmap(&w, &h);
    ASSERT_EQ(w, 80);
    ASSERT_EQ(h, 60);
    EXPECT_EQ(px[size_t(10) * w + 10], screen_pattern::colour(0, 0));
    EXPECT_EQ(px[size_t(50) * w + 70], screen_pattern::colour(3, 2));
    EXPECT_EQ(m.greys(), "eeee");

    post_key(m.hwnd, VK_DELETE);
    EXPECT_TRUE(blank(capture_client(m.hwnd)));
    EXPECT_EQ(m.greys(), "ggge");
    send_input_keys(m.hwnd, {VK_CONTROL, 'V'});
    drain(m.hwnd);
    EXPECT_EQ(capture_client(m.hwnd), captured) << "copy then paste shows the same picture";

    ASSERT_TRUE(empty_clipboard());
    send_input_keys(m.hwnd, {VK_CONTROL, 'X'});
    drain(m.hwnd);
    EXPECT_TRUE(blank(capture_client(m.hwnd)));
    px = clipboard_bitmap(&w, &h);
    ASSERT_EQ(w, 80) << "cut leaves the picture on the clipboard";
    EXPECT_EQ(px[size_t(30) * w + 50], screen_pattern::colour(2, 1));

    // Another program's bitmap, of the screen's format or of any depth: two columns, scaled to
    // the client area; a monochrome one is black and white.
    auto red_blue = [](int x, int) { return x ? 0x0000FFu : 0xFF0000u; };
    auto black_white = [](int x, int) { return x ? 0xFFFFFFu : 0u; };
    for (int bits : {0, 1, 8, 24, 32}) {
        SCOPED_TRACE(bits);
        ASSERT_TRUE(set_clipboard_bitmap(2, 1, bits == 1 ? +black_white : +red_blue, bits));
        m.command(PASTE);
        image shown = capture_client(m.hwnd);
        EXPECT_EQ(shown.at(client_w / 4, client_h / 2), bits == 1 ? 0u : 0xFF0000u);
        EXPECT_EQ(shown.at(client_w * 3 / 4, client_h / 2), bits == 1 ? 0xFFFFFFu : 0x0000FFu);
    }
    ASSERT_TRUE(empty_clipboard());
    m.command(PASTE);
    EXPECT_TRUE(blank(capture_client(m.hwnd))) << "nothing to paste leaves the window blank";
    EXPECT_EQ(m.greys(), "gggg");
}

// A capture that loses the mouse half-way leaves the desktop unlocked and the mark erased; a
// desktop locked by someone else refuses the capture with a beep; a block of no size still makes
// a picture.
TEST(mardelle, lost_capture_unlocks_and_a_held_lock_beeps) {
    mardelle m;
    buttons_released guard;
    ASSERT_TRUE(m.open());
    ASSERT_EQ(beep_count(m.hwnd), 0);

    const POINT from = m.corner(false, false), to = m.corner(true, true);
    mouse_down(m.hwnd, start_point, button::left);
    mouse_down(m.hwnd, from, button::right);
    mouse_glide(m.hwnd, from, to, 2);
    EXPECT_EQ(wrong_blocks(capture_screen(m.pattern.rect()), m.pattern, false, false, true), 0);
    EXPECT_EQ(probe(m.hwnd, PROBE_RELEASE_CAPTURE), L"1");
    EXPECT_EQ(probe(m.hwnd, PROBE_TRY_LOCK_DESKTOP), L"1") << "the desktop is unlocked";
    EXPECT_EQ(cursor_at_rest(m.hwnd), L"arrow 0") << "the cross went with the capture";
    EXPECT_EQ(wrong_blocks(capture_screen(m.pattern.rect()), m.pattern, false, false), 0)
        << "the mark is erased";
    mouse_up(m.hwnd, to, button::right);
    mouse_up(m.hwnd, to, button::left);
    EXPECT_TRUE(blank(capture_client(m.hwnd))) << "no block was taken";

    ASSERT_EQ(probe(m.hwnd, PROBE_HOLD_DESKTOP_LOCK), L"1");
    mouse_down(m.hwnd, start_point, button::left);
    EXPECT_TRUE(wait_until([&] { return beep_count(m.hwnd) == 1; })) << "a beep, no capture";
    mouse_down(m.hwnd, from, button::right);
    mouse_up(m.hwnd, from, button::right);
    mouse_up(m.hwnd, from, button::left);
    EXPECT_TRUE(blank(capture_client(m.hwnd)));
    EXPECT_EQ(probe(m.hwnd, PROBE_DROP_DESKTOP_LOCK), L"1");

    // A right click without moving: a block of no size, still a picture to copy.
    mouse_down(m.hwnd, start_point, button::left);
    mouse_down(m.hwnd, from, button::right);
    mouse_up(m.hwnd, from, button::right);
    mouse_up(m.hwnd, from, button::left);
    EXPECT_EQ(m.greys().substr(0, 3), "eee");
    EXPECT_EQ(probe(m.hwnd, PROBE_TRY_LOCK_DESKTOP), L"1");
    EXPECT_TRUE(m.a.running());
}
