// The screen scrambler as a user sees it: with a still picture on the whole screen, the picture is
// scrambled while it runs and is exactly as before when it has ended with exit code 0. The same
// holds when one of its calls fails at any step (a test build of it, with a fault switch in its
// environment, makes the n-th checked call fail): it stops, puts back what it swapped, releases
// everything and ends with 0. The program shipped reads no environment: the switch set in its
// environment changes nothing.
#include "drawing_support.h"

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace drawing;

namespace {

// A still picture: carvell's figure at its first size, on the desktop. (Under Wine, what a new
// process reads from the screen can still show a window as it was before its last resize, so the
// picture is left as it first appeared.)
class still_picture {
public:
    still_picture() {
        hwnd_ = launch(app_, L"carvell");
        if (hwnd_) capture_client(hwnd_);
    }
    HWND hwnd() const { return hwnd_; }

private:
    app app_;
    HWND hwnd_ = nullptr;
};

// Blocks of the 10 x 10 grid in which the two pictures differ. Under Wine a few blocks can come
// back stale at the end of a run: the desktop lock is only recorded there, so a window that
// repaints part of itself meanwhile (its frame, when activation moves) is swapped back over its
// own new pixels. The checks allow a few: a swap not undone, a pass left out or a block lost on a
// failure shows as dozens.
const int stale_blocks_allowed = 5;

int differing_blocks(const image& a, const image& b) {
    const int bw = GetSystemMetrics(SM_CXSCREEN) / 10, bh = GetSystemMetrics(SM_CYSCREEN) / 10;
    bool differs[11][11] = {};
    for (int y = 0; y < a.height && y < b.height; y++)
        for (int x = 0; x < a.width && x < b.width; x++)
            if (a.at(x, y) != b.at(x, y))
                differs[std::min(y / bh, 10)][std::min(x / bw, 10)] = true;
    int n = 0;
    for (const auto& row : differs)
        for (bool d : row)
            n += d;
    return n;
}

RECT whole_screen() {
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// The screen once two captures a moment apart agree.
image still_screen() {
    image last = capture_screen(whole_screen());
    for (int i = 0; i < 50; i++) {
        Sleep(50);
        image now = capture_screen(whole_screen());
        if (now == last) break;
        last = now;
    }
    return last;
}

// Runs scramble with the fault switch set in its environment; fault 0 runs the program shipped,
// with the switch set to fail the very first call, which it must not read. Returns its exit code
// and how long it ran.
DWORD run_scramble(unsigned fault, DWORD* elapsed, const std::function<void()>& while_running) {
    SetEnvironmentVariableW(L"SCRAMBLE_FAULT", std::to_wstring(fault ? fault : 1).c_str());
    app a;
    const DWORD start = GetTickCount();
    DWORD code = 99;
    if (a.start(fault ? fixture_path(L"scramble_faults") : program_path(L"scramble"))) {
        if (while_running) while_running();
        EXPECT_TRUE(a.wait_exit(30000, &code)) << "still running";
    }
    *elapsed = GetTickCount() - start;
    SetEnvironmentVariableW(L"SCRAMBLE_FAULT", nullptr);
    return code;
}

// The executable's bytes; a file that is missing, unreadable or no executable fails the test.
std::string executable(const std::wstring& exe) {
    std::ifstream file(std::filesystem::path(exe), std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(file), {}};
    EXPECT_TRUE(file.good() || file.eof()) << "cannot read " << std::filesystem::path(exe);
    EXPECT_EQ(bytes.substr(0, 2), "MZ") << std::filesystem::path(exe) << " is no executable";
    return bytes;
}

// The bytes hold the text, as ASCII (an imported name) or as UTF-16.
bool holds(const std::string& bytes, const std::string& text) {
    std::string wide;
    for (char c : text)
        wide += std::string{c, '\0'};
    return bytes.find(text) != std::string::npos || bytes.find(wide) != std::string::npos;
}

TEST(scramble, scrambles_the_screen_and_puts_it_back) {
    // Only the test build can read the switch. Both import what scrambling needs, which shows
    // that the search finds an imported name where there is one.
    const std::string test_build = executable(fixture_path(L"scramble_faults"));
    const std::string shipped = executable(program_path(L"scramble"));
    for (const std::string* bytes : {&test_build, &shipped})
        EXPECT_TRUE(holds(*bytes, "LockWindowUpdate"));
    EXPECT_TRUE(holds(test_build, "GetEnvironmentVariable"));
    EXPECT_TRUE(holds(test_build, "SCRAMBLE_FAULT"));
    EXPECT_FALSE(holds(shipped, "GetEnvironmentVariable"));
    EXPECT_FALSE(holds(shipped, "SCRAMBLE_FAULT"));
    still_picture picture;
    ASSERT_NE(picture.hwnd(), nullptr);
    const image before = still_screen();
    bool scrambled = false;
    DWORD elapsed = 0;
    EXPECT_EQ(run_scramble(0, &elapsed,
                           [&] {
                               scrambled = wait_until(
                                   [&] {
                                       return differing_pixels(capture_screen(whole_screen()),
                                                               before) > 10000;
                                   },
                                   10000);
                           }),
              0u);
    EXPECT_TRUE(scrambled) << "the screen never changed";
    EXPECT_GE(elapsed, 6000u) << "600 swaps, 10 ms apart";
    const image after = capture_screen(whole_screen());
    EXPECT_LE(differing_blocks(after, before), stale_blocks_allowed);
    if (!(after == before)) {
        save_bmp(before, L"scramble-before.bmp");
        save_bmp(after, L"scramble-after.bmp");
    }
}

// Checked calls: 1 the lock, 2 the screen context, 3 the memory context, 4 the block bitmap, 5
// selecting it, then three transfers to a swap, the first pass's 300 swaps before the second's.
TEST(scramble, a_failed_call_leaves_the_screen_whole) {
    still_picture picture;
    ASSERT_NE(picture.hwnd(), nullptr);
    const image before = still_screen();
    const unsigned first_transfer = 6;
    const struct {
        unsigned fault;
        const char* what;
        bool early; // ends long before a whole run would
    } cases[] = {
        {1, "the lock", true},
        {2, "the screen context", true},
        {3, "the memory context", true},
        {4, "the block bitmap", true},
        {5, "selecting the block", true},
        {first_transfer, "the very first transfer", true},
        {first_transfer + 3 * 20, "the block into memory, 21st swap", true},
        {first_transfer + 3 * 20 + 1, "the second block over the first, 21st swap", true},
        {first_transfer + 3 * 20 + 2, "the block out of memory, 21st swap", true},
        {first_transfer + 3 * 300 + 3 * 40 + 1, "putting back, 41st swap back", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DWORD elapsed = 0;
        EXPECT_EQ(run_scramble(c.fault, &elapsed, nullptr), 0u);
        if (c.early) {
            EXPECT_LT(elapsed, 4000u);
        }
        // Where a block could not be put back, the windows repaint the screen.
        image after;
        wait_until(
            [&] {
                after = capture_screen(whole_screen());
                return differing_blocks(after, before) <= stale_blocks_allowed;
            },
            5000);
        EXPECT_LE(differing_blocks(after, before), stale_blocks_allowed);
    }
}

} // namespace
