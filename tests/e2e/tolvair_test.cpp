// tolvair: a clipboard viewer in the system's chain, showing the clipboard's text whenever it
// changes, whoever changed it (this test, another viewer's program, a Linux program).
#include "harness/checks.h"
#include "clip_text_view.h"
#include "harness/clip_peers.h"
#include "harness/timers.h"

using namespace harness;
using namespace clip_text_view;

namespace {

const UINT flags = DT_EXPANDTABS;

HWND open_viewer(app& a, int x, int y = 20) {
    HWND hwnd = launch(a, L"tolvair");
    if (hwnd) SetWindowPos(hwnd, nullptr, x, y, 420, 240, SWP_NOZORDER);
    return hwnd;
}

} // namespace

// Three viewers in the chain all follow every change; whichever leaves (the oldest, the middle
// one or the newest), the other two stay in the chain: the middle one leaving is the case where
// the newest must take the oldest as its next viewer.
TEST(tolvair, three_viewers_follow_the_clipboard_and_any_may_leave_the_chain) {
    const char* names[3] = {"the oldest viewer leaves", "the middle viewer leaves",
                            "the newest viewer leaves"};
    for (int leaves = 0; leaves < 3; leaves++) {
        SCOPED_TRACE(names[leaves]);
        app apps[3];
        const POINT at[3] = {{10, 20}, {460, 20}, {10, 300}};
        HWND viewers[3];
        for (int i = 0; i < 3; i++) {
            viewers[i] = open_viewer(apps[i], at[i].x, at[i].y);
            ASSERT_NE(viewers[i], nullptr);
        }
        EXPECT_EQ(text_of(viewers[0]), L"Simple Clipboard Viewer (Text Only)");

        ASSERT_TRUE(set_clipboard_text(L"All\tsee this"));
        for (HWND v : viewers)
            EXPECT_EQ(shows_text(v, L"All\tsee this", flags, L"tolvair-all"), 0);
        const std::wstring foreign = L"From Linux: \u00e4\u00f6\u00fc \u00df \u20ac";
        ASSERT_TRUE(xclip_put(foreign));
        for (HWND v : viewers)
            EXPECT_EQ(shows_text(v, foreign, flags, L"tolvair-x11"), 0);

        expect_closes_with_0(apps[leaves], viewers[leaves]);
        ASSERT_TRUE(set_clipboard_text(L"Still in the chain"));
        for (int i = 0; i < 3; i++) {
            if (i == leaves) continue;
            EXPECT_EQ(shows_text(viewers[i], L"Still in the chain", flags, L"tolvair-stays"), 0)
                << "viewer " << i;
        }
        ASSERT_TRUE(empty_clipboard());
        for (int i = 0; i < 3; i++) {
            if (i == leaves) continue;
            EXPECT_EQ(shows_text(viewers[i], L"", flags, L"tolvair-emptied"), 0) << "viewer " << i;
        }
    }
}

// The text is drawn unwrapped with its tabs expanded, only as far as its block reaches (Wine
// terminates a text block in its last character before any reader sees it: the viewer shows what
// every reader gets); a clipboard without text leaves the window blank.
TEST(tolvair, shows_the_text_within_its_block_unwrapped) {
    app a;
    HWND hwnd = open_viewer(a, 40);
    ASSERT_NE(hwnd, nullptr);
    const std::wstring long_line =
        L"A line much longer than the window is wide is cut at the edge, never wrapped";
    const struct {
        std::string block;
        std::wstring shown;
    } cases[] = {
        {bytes_of(long_line + L"\r\nsecond\tline") + std::string(2, '\0'),
         long_line + L"\r\nsecond\tline"},
        {bytes_of(L"No terminator here"), L"No terminator here"},
        {bytes_of(L"Odd") + "!", L"Odd"},
        {bytes_of(std::wstring(L"up to\0the zero", 14)), L"up to"},
        {std::string(1, 'A'), L""}, // not even one character
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(set_clipboard_block(c.block));
        // The case's text, as far as every reader gets it.
        const std::wstring shown = c.shown.substr(0, clipboard_text().size());
        EXPECT_EQ(shows_text(hwnd, shown, flags, L"tolvair-block"), 0)
            << c.block.size() << " bytes";
    }
    ASSERT_TRUE(set_clipboard_bitmap(8, 8, [](int x, int) { return x < 4 ? 0u : 0xFFFFFFu; }));
    EXPECT_EQ(shows_text(hwnd, L"", flags, L"tolvair-bitmap"), 0);
    EXPECT_TRUE(a.running());
}

// A repaint that finds the clipboard held open by another program is tried again shortly (timer
// 1), instead of leaving the window blank until the next change; the timer stops once a paint got
// the clipboard, whether its own tick or any other repaint brought it.
TEST(tolvair, paints_again_when_the_clipboard_was_busy) {
    held_timers timers;
    ASSERT_TRUE(timers.ok());
    app a;
    HWND hwnd = open_viewer(a, 40);
    ASSERT_NE(hwnd, nullptr);
    ASSERT_TRUE(set_clipboard_text(L"Shown again"));
    ASSERT_EQ(shows_text(hwnd, L"Shown again", flags, L"tolvair-before"), 0);
    for (bool by_tick : {true, false}) {
        SCOPED_TRACE(by_tick ? "its timer repaints" : "another repaint comes first");
        ASSERT_TRUE(OpenClipboard(nullptr));
        InvalidateRect(hwnd, nullptr, TRUE);
        EXPECT_EQ(shows_text(hwnd, L"", flags, L"tolvair-held"), 0) << "blank while held open";
        const held_timer t = wait_held(hwnd, held_timer_of(hwnd).count + 1);
        EXPECT_EQ(t.id, 1u);
        CloseClipboard(); // nothing changed: no WM_DRAWCLIPBOARD comes
        if (by_tick)
            EXPECT_TRUE(tick(hwnd));
        else
            InvalidateRect(hwnd, nullptr, TRUE);
        EXPECT_EQ(shows_text(hwnd, L"Shown again", flags, L"tolvair-busy"), 0);
        const int held = held_timer_of(hwnd).count;
        Sleep(500);
        EXPECT_EQ(held_timer_of(hwnd).count, held) << "the timer still runs";
    }
}
