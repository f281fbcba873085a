#include "rubber_band_scenarios.h"

using namespace rubber_band_scenarios;

static const wchar_t caption[] = L"Mouse Button & Capture Demo";

TEST(strennic2, drags_in_every_direction_give_the_same_box) {
    drags_in_every_direction_give_the_same_box(L"strennic2", caption);
}

TEST(strennic2, escape_cancels_the_drag_and_keeps_the_box) {
    escape_cancels_the_drag_and_keeps_the_box(L"strennic2", caption);
}

// With the mouse captured (the window holds it during the drag), the band follows it outside the
// window, to negative corners left of and above it, and a release there makes the box, of which
// the window shows its own part. A capture lost half-way (another window took the mouse) ends the
// drag as Escape does.
TEST(strennic2, band_follows_outside_the_window_and_a_lost_capture_cancels) {
    app a;
    HWND hwnd = launch_band(a, L"strennic2", caption);
    ASSERT_NE(hwnd, nullptr);
    const corners outside[] = {
        {{200, 150}, {-40, -30}},                     // left of and above the window
        {{100, 100}, {client_w + 50, client_h + 40}}, // right of and below it
    };
    std::optional<corners> box;
    for (const corners& d : outside) {
        button_down(hwnd, d.a);
        glide(hwnd, d.a, d.b, 4);
        expect_shows(hwnd, box, d, "the band reaches outside");
        button_up(hwnd, d.b);
        box = d;
        expect_shows(hwnd, box, std::nullopt, "the box from the release outside");
    }
    const corners last = outside[1];

    button_down(hwnd, {50, 50});
    glide(hwnd, {50, 50}, {150, 120}, 2);
    expect_shows(hwnd, last, corners{{50, 50}, {150, 120}}, "a new band");
    EXPECT_EQ(probe(hwnd, PROBE_RELEASE_CAPTURE), L"1");
    expect_shows(hwnd, last, std::nullopt, "the lost capture took the band away");
    glide(hwnd, {150, 120}, {250, 200}, 2);
    button_up(hwnd, {250, 200});
    expect_shows(hwnd, last, std::nullopt, "and ended the drag");
}
