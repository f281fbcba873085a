#include "harness/mouse_input.h"
#include "harness/harness.h"
#include "harness/input_wait.h"

namespace harness {

// The position travels with each event (absolute, in 1/65536 of the screen, rounded up so that it
// maps back onto the same pixel), and the cursor is put there first: a position reported back
// late could otherwise stand for it.
static void send_at(POINT screen, DWORD buttons) {
    SetCursorPos(screen.x, screen.y);
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = LONG((LONGLONG(screen.x) * 65536 + sw - 1) / sw);
    in.mi.dy = LONG((LONGLONG(screen.y) * 65536 + sh - 1) / sh);
    in.mi.dwFlags = buttons | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
}

// Wine may hand an event to the program a moment after the call that made it returned (the X
// server reports the pointer back): the program's queue is watched twice, a little apart. A report
// of an earlier position that comes that late moves the cursor back there, with a move message of
// its own; the cursor is then put where it belongs again, until it stays.
// A step that cannot be completed fails the test: going on would judge the program by input it
// never got.
static void send_client(HWND hwnd, POINT p, DWORD buttons) {
    ClientToScreen(hwnd, &p);
    send_at(p, buttons);
    POINT now{};
    for (int tries = 0; tries < 5; tries++) {
        bool handled = wait_input_handled(hwnd);
        settle(hwnd, 30);
        handled = handled && wait_input_handled(hwnd);
        if (!handled) {
            ADD_FAILURE() << "the program did not take the mouse event at " << p.x << ", " << p.y;
            return;
        }
        GetCursorPos(&now);
        if (now.x == p.x && now.y == p.y) return;
        SetCursorPos(p.x, p.y);
    }
    ADD_FAILURE() << "the cursor did not stay at " << p.x << ", " << p.y << " (it is at " << now.x
                  << ", " << now.y << ")";
}

void mouse_move_to(HWND hwnd, POINT p) {
    send_client(hwnd, p, 0);
}

void mouse_down(HWND hwnd, POINT p, button b) {
    send_client(hwnd, p, b == button::left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN);
}

void mouse_up(HWND hwnd, POINT p, button b) {
    send_client(hwnd, p, b == button::left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP);
}

void mouse_glide(HWND hwnd, POINT from, POINT to, int steps) {
    for (int i = 1; i <= steps; i++)
        mouse_move_to(hwnd, POINT{from.x + (to.x - from.x) * i / steps,
                                  from.y + (to.y - from.y) * i / steps});
}

void mouse_drag(HWND hwnd, POINT from, POINT to, button b, int steps) {
    mouse_down(hwnd, from, b);
    mouse_glide(hwnd, from, to, steps);
    mouse_up(hwnd, to, b);
}

void park_cursor() {
    const POINT corner{GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2};
    send_at(corner, 0);
    POINT p{};
    const bool parked = wait_until([&] {
        GetCursorPos(&p);
        return p.x == corner.x && p.y == corner.y;
    });
    EXPECT_TRUE(parked) << "the cursor did not reach " << corner.x << ", " << corner.y
                        << " (it is at " << p.x << ", " << p.y << ")";
}

buttons_released::~buttons_released() {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    in[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    if (GetAsyncKeyState(VK_LBUTTON) & 0x8000) SendInput(1, &in[0], sizeof(INPUT));
    if (GetAsyncKeyState(VK_RBUTTON) & 0x8000) SendInput(1, &in[1], sizeof(INPUT));
}

} // namespace harness
