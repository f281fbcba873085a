// The random rectangles as a user sees them: coloured rectangles keep arriving in the window while
// it is idle, no faster than one every 20 milliseconds, none while it is minimised (when it still
// answers at once), each with a brush of its own that is deleted again; closing it ends the
// program with exit code 0.
#include "drawing_support.h"
#include "harness/probe.h"

#include <set>

using namespace drawing;

namespace {

int fills(HWND hwnd) {
    return _wtoi(probe(hwnd, PROBE_FILL_COUNT).c_str());
}

int coloured(const image& img) {
    int n = 0;
    for (uint32_t px : img.px)
        n += !is_white(px);
    return n;
}

TEST(mistrel, rectangles_arrive_while_idle_and_stop_while_minimised) {
    app a;
    HWND hwnd = launch(a, L"mistrel");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Random Rectangles");
    resize_client(hwnd, 400, 300);
    const int gdi_before = gdi_net(hwnd);

    // Rectangles of many colours, all inside the client area (a capture never settles: it keeps
    // changing).
    ASSERT_GE(fills(hwnd), 0);
    const DWORD start = GetTickCount();
    image first = capture_client(hwnd);
    ASSERT_TRUE(wait_until([&] { return fills(hwnd) >= 40; }, 10000));
    const image later = capture_client(hwnd);
    EXPECT_NE(differing_pixels(first, later), 0) << "nothing new was drawn";
    std::set<uint32_t> colours(later.px.begin(), later.px.end());
    EXPECT_GE(colours.size(), 10u);
    EXPECT_GT(coloured(later), later.width * later.height / 10);

    // No faster than one every 20 ms.
    const int drawn = fills(hwnd);
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_LE(drawn, int(elapsed / 20) + 2) << "in " << elapsed << " ms";
    EXPECT_EQ(gdi_net(hwnd), gdi_before) << "a brush left undeleted";

    // Minimised: nothing drawn, yet every message is answered at once.
    PostMessageW(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(wait_until([&] { return IsIconic(hwnd) != 0; }));
    drain(hwnd);
    const int at_minimise = fills(hwnd);
    for (int i = 0; i < 5; i++) {
        Sleep(60); // time in which a visible window would get three rectangles
        const DWORD asked = GetTickCount();
        EXPECT_EQ(fills(hwnd), at_minimise) << "drawn while minimised";
        EXPECT_LT(GetTickCount() - asked, 2000u) << "slow to answer while minimised";
    }

    PostMessageW(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(wait_until([&] { return !IsIconic(hwnd); }));
    EXPECT_TRUE(wait_until([&] { return fills(hwnd) > at_minimise + 5; }));
    EXPECT_EQ(gdi_net(hwnd), gdi_before);
    expect_closes_with_0(a, hwnd);
}

} // namespace
