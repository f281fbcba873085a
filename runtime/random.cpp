// The process-wide random generator: two tables of 17 words, each step mixing one entry of each
// table with the entry 10 places behind it, rotated, and storing the result in the other table.
#include "runtime/runtime.h"

random_state rng;

static uint32_t ror(uint32_t x, int k) {
    return (x >> k) | (x << (32 - k));
}

// Both new words are computed from the old entries before either is stored: the second must not
// see the first's new value.
static uint32_t step() {
    const uint32_t new_a = ror(rng.b[rng.i], 13) + rng.b[rng.j];
    const uint32_t new_b = ror(rng.a[rng.i], 5) + rng.a[rng.j];
    rng.a[rng.i] = new_a;
    rng.b[rng.i] = new_b;
    if (--rng.i < 0) rng.i = RANDOM_TABLE - 1;
    if (--rng.j < 0) rng.j = RANDOM_TABLE - 1;
    return new_a;
}

// Marked as seeded first: the seed it calls then sets the tables instead of coming back here.
static void seed_automatically() {
    rng.seeded = 1;
    seed(GetCurrentThreadId() ^ GetTickCount());
}

void seed(uint32_t s) {
    if (!rng.seeded) seed_automatically(); // replaced at once; the state depends on s alone
    uint32_t x = s;
    for (int k = 0; k < RANDOM_TABLE; k++) {
        x = 1 - x * 0x53A9B4FBu;
        rng.b[k] = x;
        x = 1 - x * 0x53A9B4FBu;
        rng.a[k] = x;
    }
    rng.i = 0;
    rng.j = 10;
    for (int k = 0; k < 31; k++)
        step();
}

uint32_t random(int32_t n) {
    if (!rng.seeded) seed_automatically();
    const uint32_t m = static_cast<uint32_t>(n) + 1; // wraps to 0 for n = -1: the whole word
    const uint32_t r = step();
    if (m == 0) return r;
    return static_cast<uint32_t>((uint64_t(r) * m) >> 32);
}
