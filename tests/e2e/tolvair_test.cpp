// tolvair: a clipboard viewer in the system's chain, showing the clipboard's text whenever it
// changes, whoever changed it (this test, another viewer's program, a Linux program).
#include "clip_text_view.h"
#include "harness/clip_peers.h"

using namespace harness;
using namespace clip_text_view;

namespace {

const UINT flags = DT_EXPANDTABS;

HWND open_viewer(app& a, int x) {
    HWND hwnd = launch(a, L"tolvair");
    if (hwnd) SetWindowPos(hwnd, nullptr, x, 20, 420, 240, SWP_NOZORDER);
    return hwnd;
}

} // namespace

// Both viewers follow every change; closing either one (the older first, then the newer first)
// leaves the other in the chain.
TEST(tolvair, two_viewers_follow_the_clipboard_and_either_may_leave_the_chain) {
    for (bool older_leaves : {true, false}) {
        SCOPED_TRACE(older_leaves ? "the older viewer leaves" : "the newer viewer leaves");
        app older_app, newer_app;
        HWND older = open_viewer(older_app, 10), newer = open_viewer(newer_app, 460);
        ASSERT_TRUE(older && newer);
        EXPECT_EQ(text_of(older), L"Simple Clipboard Viewer (Text Only)");

        ASSERT_TRUE(set_clipboard_text(L"Both\tsee this"));
        EXPECT_EQ(shows_text(older, L"Both\tsee this", flags, L"tolvair-older"), 0);
        EXPECT_EQ(shows_text(newer, L"Both\tsee this", flags, L"tolvair-newer"), 0);
        const std::wstring foreign = L"From Linux: \u00e4\u00f6\u00fc \u00df \u20ac";
        ASSERT_TRUE(xclip_put(foreign));
        EXPECT_EQ(shows_text(older, foreign, flags, L"tolvair-older-x11"), 0);
        EXPECT_EQ(shows_text(newer, foreign, flags, L"tolvair-newer-x11"), 0);

        app& leaving = older_leaves ? older_app : newer_app;
        close(older_leaves ? older : newer);
        DWORD code = 99;
        ASSERT_TRUE(leaving.wait_exit(10000, &code));
        EXPECT_EQ(code, 0u);
        HWND stays = older_leaves ? newer : older;
        ASSERT_TRUE(set_clipboard_text(L"Still in the chain"));
        EXPECT_EQ(shows_text(stays, L"Still in the chain", flags, L"tolvair-stays"), 0);
        ASSERT_TRUE(empty_clipboard());
        EXPECT_EQ(shows_text(stays, L"", flags, L"tolvair-emptied"), 0);
    }
}

// The text is drawn unwrapped with its tabs expanded, only as far as its block reaches (Wine
// terminates a text block in its last character before any reader sees it: the viewer shows what
// every reader gets); a clipboard without text leaves the window blank.
TEST(tolvair, shows_the_text_within_its_block_unwrapped) {
    app a;
    HWND hwnd = open_viewer(a, 40);
    ASSERT_NE(hwnd, nullptr);
    auto bytes_of = [](const std::wstring& s) {
        return std::string(reinterpret_cast<const char*>(s.data()), s.size() * sizeof(wchar_t));
    };
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
        const std::wstring there = clipboard_text();
        EXPECT_EQ(there, c.shown.substr(0, there.size())) << "not past the block";
        EXPECT_EQ(shows_text(hwnd, there, flags, L"tolvair-block"), 0)
            << c.block.size() << " bytes";
    }
    ASSERT_TRUE(set_clipboard_bitmap(8, 8, [](int x, int) { return x < 4 ? 0u : 0xFFFFFFu; }));
    EXPECT_EQ(shows_text(hwnd, L"", flags, L"tolvair-bitmap"), 0);
    EXPECT_TRUE(a.running());
}

// A repaint that finds the clipboard held open by another program is tried again once it is free,
// instead of leaving the window blank until the next change.
TEST(tolvair, paints_again_when_the_clipboard_was_busy) {
    app a;
    HWND hwnd = open_viewer(a, 40);
    ASSERT_NE(hwnd, nullptr);
    ASSERT_TRUE(set_clipboard_text(L"Shown again"));
    ASSERT_EQ(shows_text(hwnd, L"Shown again", flags, L"tolvair-before"), 0);
    ASSERT_TRUE(OpenClipboard(nullptr));
    InvalidateRect(hwnd, nullptr, TRUE);
    EXPECT_EQ(shows_text(hwnd, L"", flags, L"tolvair-held"), 0) << "blank while held open";
    CloseClipboard(); // nothing changed: no WM_DRAWCLIPBOARD comes
    EXPECT_EQ(shows_text(hwnd, L"Shown again", flags, L"tolvair-busy"), 0);
}
