// Scramble: no window at all. It locks the desktop against updates, swaps 300 pairs of random
// blocks of a 10 x 10 grid over the screen, then swaps them back in reverse order, which puts the
// screen back as it was, unlocks the desktop and ends.
//
// Every call between locking and unlocking is checked. On a failure it stops scrambling, swaps
// back what it swapped, releases what it obtained in reverse order and unlocks; if a block could
// not be put back, it asks every window to repaint, so that the screen is whole again.
//
// For testing those paths, a build made with SCRAMBLE_FAULTS defined (never the one shipped,
// which reads no environment) takes the environment variable SCRAMBLE_FAULT = n and makes the
// n-th checked call (1 is the lock, 2 the screen context, then the memory context, the block
// bitmap, selecting it, and the transfers, three to a swap) fail without being made.
#include "runtime/runtime.h"

enum { SWAPS = 300, GRID = 10 };

struct block_swap {
    int x1, y1, x2, y2;
};

static struct {
    block_swap block_table[SWAPS];
    int block_width, block_height;
    HWND desktop;
    HDC screen, memory;
    HBITMAP block;
    HGDIOBJ previous; // what the memory context held before the block
    bool damaged;     // a block could not be put back
    uint32_t fault_at, calls;
} g;

static void read_fault_switch() {
#ifdef SCRAMBLE_FAULTS
    wchar_t text[12];
    const DWORD n = GetEnvironmentVariableW(L"SCRAMBLE_FAULT", text, 12);
    if (n == 0 || n >= 12) return;
    for (DWORD i = 0; i < n && text[i] >= L'0' && text[i] <= L'9'; i++)
        g.fault_at = g.fault_at * 10 + (text[i] - L'0');
#endif
}

// True when the next checked call is to fail instead of being made (never, unless the switch is
// built in and set).
static bool fault() {
    return ++g.calls == g.fault_at;
}

static bool transfer(int to_x, int to_y, HDC to, HDC from, int from_x, int from_y) {
    return !fault() &&
           BitBlt(to, to_x, to_y, g.block_width, g.block_height, from, from_x, from_y, SRCCOPY);
}

// The block at (x1, y1) goes through the memory bitmap to (x2, y2) and that one to (x1, y1). Until
// the last transfer the screen still holds both blocks; when the last one fails, the first block
// is put back from the memory bitmap.
static bool swap_blocks(const block_swap& s) {
    if (!transfer(0, 0, g.memory, g.screen, s.x1, s.y1)) return false;
    if (!transfer(s.x1, s.y1, g.screen, g.screen, s.x2, s.y2)) return false;
    if (transfer(s.x2, s.y2, g.screen, g.memory, 0, 0)) return true;
    if (!transfer(s.x1, s.y1, g.screen, g.memory, 0, 0)) g.damaged = true;
    return false;
}

static bool set_up() {
    if (fault() || !(g.screen = GetDCEx(g.desktop, nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE)))
        return false;
    if (fault() || !(g.memory = CreateCompatibleDC(g.screen))) return false;
    g.block_width = GetSystemMetrics(SM_CXSCREEN) / GRID;
    g.block_height = GetSystemMetrics(SM_CYSCREEN) / GRID;
    // Compatible with the screen, not with the memory context, whose bitmap is monochrome.
    if (fault() || !(g.block = CreateCompatibleBitmap(g.screen, g.block_width, g.block_height)))
        return false;
    if (fault() || !(g.previous = SelectObject(g.memory, g.block))) return false;
    return true;
}

// In reverse order of set_up, whatever it obtained.
static void clean_up() {
    if (g.previous) SelectObject(g.memory, g.previous);
    if (g.block) DeleteObject(g.block);
    if (g.memory) DeleteDC(g.memory);
    if (g.screen) ReleaseDC(g.desktop, g.screen);
}

// The pause between swaps. It waits as a message-aware wait rather than Sleep: under Wine, what a
// thread draws on the screen reaches it only when the thread waits for messages, and this program
// has no other moment at which it would.
static void pause() {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
}

// Swaps done in the first pass; the rest of the table is not used.
static int scramble() {
    for (int j = 0; j < SWAPS; j++) {
        block_swap& s = g.block_table[j];
        s.x1 = g.block_width * random(GRID - 1);
        s.y1 = g.block_height * random(GRID - 1);
        s.x2 = g.block_width * random(GRID - 1);
        s.y2 = g.block_height * random(GRID - 1);
        if (!swap_blocks(s)) return j;
        pause();
    }
    return SWAPS;
}

static void unscramble(int done) {
    for (int j = done - 1; j >= 0; j--) {
        if (!swap_blocks(g.block_table[j])) {
            g.damaged = true;
            return;
        }
        pause();
    }
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    read_fault_switch();
    g.desktop = GetDesktopWindow();
    // Another program holds the lock (or it cannot be had): leave the screen alone.
    if (fault() || !LockWindowUpdate(g.desktop)) process_end(0);
    if (set_up()) unscramble(scramble());
    pause(); // whatever was drawn last is shown before the context goes
    clean_up();
    LockWindowUpdate(nullptr);
    if (g.damaged)
        RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    process_end(0);
}
