// Timers under the test's control: a program started while a held_timers lives takes no tick of
// its own timer; the test gives ticks one at a time and sees the result of each, however fast or
// slow the program's timer would run.
#pragma once

#include <windows.h>

namespace harness {

// While it lives, programs started meanwhile hold back their WM_TIMER messages (a desktop-wide
// message hook in the probe, told which processes through an environment variable they inherit).
class held_timers {
public:
    held_timers();
    ~held_timers();
    held_timers(const held_timers&) = delete;
    held_timers& operator=(const held_timers&) = delete;
    bool ok() const { return hook_ != nullptr; }

private:
    HHOOK hook_ = nullptr;
};

// Gives the window `count` ticks of its timer and returns once the program has taken them. The
// first tick waits until the program's timer has fired once (and was held), so that the tick
// repeats it exactly. False when that did not happen within the timeout.
bool tick(HWND hwnd, int count = 1, DWORD timeout_ms = 5000);

// WM_PAINT messages the program took since it started, counting one that is due (programs
// started while a held_timers lives).
int paints(HWND hwnd);

} // namespace harness
