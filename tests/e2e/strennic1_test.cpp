#include "rubber_band_scenarios.h"
#include "harness/ink_near.h"
#include "harness/mouse_input.h"

using namespace rubber_band_scenarios;

static const wchar_t caption[] = L"Mouse Button Demo";

TEST(strennic1, drags_in_every_direction_give_the_same_box) {
    drags_in_every_direction_give_the_same_box(L"strennic1", caption);
}

TEST(strennic1, escape_cancels_the_drag_and_keeps_the_box) {
    escape_cancels_the_drag_and_keeps_the_box(L"strennic1", caption);
}

// Without the capture, the window does not see the mouse outside it: the band stays at the last
// point reached inside, and a release outside does not end the drag: the next press inside takes
// the old band away and starts a new one. Real mouse input for the drag that leaves the window:
// which window the system hands the events to is the point. The next drag is posted, as the
// window would receive it, with the cursor left outside.
TEST(strennic1, band_stops_at_the_window_edge) {
    app a;
    buttons_released guard;
    HWND hwnd = launch_band(a, L"strennic1", caption);
    ASSERT_NE(hwnd, nullptr);
    mouse_down(hwnd, {200, 150}, button::left);
    mouse_glide(hwnd, {200, 150}, {-40, -30}, 4); // the last point inside is (20, 15)
    mouse_up(hwnd, {-40, -30}, button::left);
    EXPECT_EQ(probe(hwnd, PROBE_RELEASE_CAPTURE), L"0") << "no capture taken";
    image shown = capture_client(hwnd), ref = expected(std::nullopt, corners{{200, 150}, {20, 15}});
    EXPECT_EQ(ink_mismatch_near(shown, ref), 0) << "the band stayed inside (within a pixel)";
    button_down(hwnd, {300, 200});
    glide(hwnd, {300, 200}, {350, 260}, 2);
    expect_shows(hwnd, std::nullopt, corners{{300, 200}, {350, 260}}, "only the new band");
    send_input_keys(hwnd, {VK_ESCAPE});
    expect_shows(hwnd, std::nullopt, std::nullopt, "Escape still ends that drag");
}
