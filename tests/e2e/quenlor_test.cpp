#include "harness/checks.h"
#include "harness/harness.h"
#include "harness/hooks.h"
#include "harness/probe.h"

#include <mmsystem.h>

using namespace harness;

// "Hello, Windows!" as the program should draw it: one line centred in a client area of this size,
// in the device context's default font.
static image expected(int w, int h) {
    return render(w, h, [&](HDC dc) {
        RECT r{0, 0, w, h};
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, L"Hello, Windows!", -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    });
}

static void expect_centred_greeting(HWND hwnd) {
    image shown = capture_client(hwnd);
    ASSERT_GT(shown.width, 100);
    RECT ink = bounds(shown, is_dark);
    RECT want = bounds(expected(shown.width, shown.height), is_dark);
    ASSERT_GT(want.right - want.left, 40) << "the reference text was not drawn";
    EXPECT_EQ(ink.left, want.left);
    EXPECT_EQ(ink.top, want.top);
    EXPECT_EQ(ink.right, want.right);
    EXPECT_EQ(ink.bottom, want.bottom);
    // Centred: the text's box sits in the middle of the client area within a pixel.
    EXPECT_LE(std::abs((ink.left + ink.right) - shown.width), 2);
    EXPECT_LE(std::abs((ink.top + ink.bottom) - shown.height), 2);
    // And it is that text, pixel for pixel.
    image ref = expected(shown.width, shown.height);
    int differing = 0;
    for (int y = want.top; y < want.bottom; y++)
        for (int x = want.left; x < want.right; x++)
            differing += is_dark(shown.at(x, y)) != is_dark(ref.at(x, y));
    EXPECT_EQ(differing, 0);
}

TEST(quenlor, window_class_caption_and_centred_greeting) {
    app a;
    HWND hwnd = launch(a, L"quenlor");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(class_of(hwnd), L"quenlor");
    EXPECT_EQ(text_of(hwnd), L"The Hello Program");
    EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE) & WS_OVERLAPPEDWINDOW, LONG(WS_OVERLAPPEDWINDOW));
    expect_centred_greeting(hwnd);
}

TEST(quenlor, greeting_stays_centred_after_resizes) {
    app a;
    HWND hwnd = launch(a, L"quenlor");
    ASSERT_NE(hwnd, nullptr);
    resize(hwnd, 420, 180);
    expect_centred_greeting(hwnd);
    // Only the width changes, then only the height: the class style repaints all of it each time.
    resize(hwnd, 700, 180);
    expect_centred_greeting(hwnd);
    resize(hwnd, 700, 500);
    expect_centred_greeting(hwnd);
}

TEST(quenlor, closing_the_window_exits_with_code_0) {
    app a;
    HWND hwnd = launch(a, L"quenlor");
    ASSERT_NE(hwnd, nullptr);
    expect_closes_with_0(a, hwnd);
}

TEST(quenlor, shown_even_when_started_minimised) {
    app a;
    ASSERT_TRUE(a.start(program_path(L"quenlor"), L"", SW_SHOWMINNOACTIVE));
    HWND hwnd = a.wait_window(L"quenlor");
    ASSERT_NE(hwnd, nullptr);
    settle(hwnd);
    EXPECT_FALSE(IsIconic(hwnd));
    EXPECT_TRUE(IsWindowVisible(hwnd));
}

TEST(quenlor, missing_sound_file_leaves_it_silent_and_working) {
    app a; // the working directory holds no quenlor.wav
    watch_sounds sounds;
    ASSERT_TRUE(sounds.ok());
    HWND hwnd = launch(a, L"quenlor");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(a.wait_dialog(500), nullptr); // nothing complains
    expect_centred_greeting(hwnd);
    // The sound is asked for once, without waiting, and a missing file plays nothing in its place
    // (Windows would play the default sound without SND_NODEFAULT; Wine has no sound here).
    EXPECT_EQ(probe(hwnd, PROBE_SOUNDS),
              std::to_wstring(SND_FILENAME | SND_ASYNC | SND_NODEFAULT) + L"\tquenlor.wav\n");
}
