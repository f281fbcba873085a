// Timers under the test's control: a program started while a held_timers lives takes no tick of
// its own timer; the test gives ticks one at a time and sees the result of each, however fast or
// slow the program's timer would run.
#pragma once

#include "harness/hooking.h"

#include <windows.h>
#include <gtest/gtest.h>
#include <string>

namespace harness {

// While it lives, programs started meanwhile hold back their WM_TIMER messages (a desktop-wide
// message hook in the probe, told which processes through an environment variable they inherit).
class held_timers : public desktop_probe_hook {
public:
    held_timers();
    ~held_timers();
};

// Gives the window `count` ticks of its timer and returns once the program has taken them. The
// first tick waits until the program's timer has fired once (and was held), so that the tick
// repeats it exactly. False when that did not happen within the timeout.
bool tick(HWND hwnd, int count = 1, DWORD timeout_ms = 5000);

// WM_PAINT messages the program took since it started, counting one that is due (programs
// started while a held_timers lives).
int paints(HWND hwnd);

// The timer messages the program's window has had held back so far: how many, the id of the last
// and the mean time between two in a row (the timer's period; -1 while fewer than two came).
struct held_timer {
    int count = 0;
    unsigned long long id = 0;
    long gap_ms = -1;
};
held_timer held_timer_of(HWND hwnd);
// Waits until `count` timer messages were held for the window (or the timeout passed) and
// returns what held_timer_of then reads.
held_timer wait_held(HWND hwnd, int count, DWORD timeout_ms = 10000);

// The window's timer as the held messages show it: this id, and a period within a small margin of
// `period_ms` (waits for at least three more held messages, and a second's worth).
::testing::AssertionResult runs_timer(HWND hwnd, unsigned long long id, long period_ms);

// Closes the window from inside and returns the ids of the KillTimer calls its WM_DESTROY made,
// one per line ("1\n" for a program that stops its timer 1).
std::wstring close_killing_timers(HWND hwnd);

} // namespace harness
