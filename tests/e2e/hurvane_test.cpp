// The digital clock as a user sees it: the digits read off the screen match the time the test
// reads, in the format the user's locale settings ask for; changing those settings while it runs
// changes what it shows; and the whole strip stays centred in any window shape. The expected
// picture is drawn here with the same GDI calls at the places the strip's layout gives.
#include "harness/checks.h"
#include "harness/harness.h"
#include "harness/probe.h"

#include <string>

using namespace harness;

namespace {

// Segments 0 top, 1 upper left, 2 upper right, 3 middle, 4 lower left, 5 lower right, 6 bottom,
// as hexagons in a 42 x 72 cell; a colon's two diamonds in a 12-wide cell.
const POINT segment[7][6] = {
    {{7, 6}, {11, 2}, {31, 2}, {35, 6}, {31, 10}, {11, 10}},
    {{6, 7}, {10, 11}, {10, 31}, {6, 35}, {2, 31}, {2, 11}},
    {{36, 7}, {40, 11}, {40, 31}, {36, 35}, {32, 31}, {32, 11}},
    {{7, 36}, {11, 32}, {31, 32}, {35, 36}, {31, 40}, {11, 40}},
    {{6, 37}, {10, 41}, {10, 61}, {6, 65}, {2, 61}, {2, 41}},
    {{36, 37}, {40, 41}, {40, 61}, {36, 65}, {32, 61}, {32, 41}},
    {{7, 66}, {11, 62}, {31, 62}, {35, 66}, {31, 70}, {11, 70}},
};
const POINT colon[2][4] = {{{2, 21}, {6, 17}, {10, 21}, {6, 25}},
                           {{2, 51}, {6, 47}, {10, 51}, {6, 55}}};
// The lit segments of each digit, as bits 0-6.
const int lit[10] = {0x77, 0x24, 0x5D, 0x6D, 0x2E, 0x6B, 0x7B, 0x25, 0x7F, 0x6F};
// Where each character of "hh:mm:ss" begins in the strip.
const int cell_x[8] = {0, 42, 84, 96, 138, 180, 192, 234};

void strip_mapping(HDC dc, int w, int h) {
    SetMapMode(dc, MM_ISOTROPIC);
    SetWindowExtEx(dc, 276, 72, nullptr);
    SetViewportExtEx(dc, w, h, nullptr);
    SetWindowOrgEx(dc, 138, 36, nullptr);
    SetViewportOrgEx(dc, w / 2, h / 2, nullptr);
}

POINT to_client(int w, int h, POINT p) {
    HDC dc = CreateCompatibleDC(nullptr);
    strip_mapping(dc, w, h);
    LPtoDP(dc, &p, 1);
    DeleteDC(dc);
    return p;
}

// "hh:mm:ss" with a space for a blank digit, drawn as the clock should draw it.
image strip_of(int w, int h, const std::string& text) {
    return render(w, h, [&](HDC dc) {
        strip_mapping(dc, w, h);
        SelectObject(dc, GetStockObject(NULL_PEN));
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        SelectObject(dc, red);
        for (int i = 0; i < 8; i++) {
            POINT p[6];
            if (text[i] == ':') {
                for (const auto& d : colon) {
                    for (int k = 0; k < 4; k++)
                        p[k] = POINT{d[k].x + cell_x[i], d[k].y};
                    Polygon(dc, p, 4);
                }
            } else if (text[i] != ' ') {
                for (int s = 0; s < 7; s++)
                    if (lit[text[i] - '0'] & (1 << s)) {
                        for (int k = 0; k < 6; k++)
                            p[k] = POINT{segment[s][k].x + cell_x[i], segment[s][k].y};
                        Polygon(dc, p, 6);
                    }
            }
        }
        SelectObject(dc, GetStockObject(WHITE_BRUSH));
        DeleteObject(red);
    });
}

bool is_red(uint32_t px) {
    return px == 0xFF0000;
}

// The characters shown, read off the screen at the middle of each segment and colon dot: a digit
// whose lit segments match none is '?', an empty cell ' '.
std::string read_strip(const image& img) {
    auto lit_at = [&](int cell, POINT centre) {
        const POINT c = to_client(img.width, img.height, POINT{centre.x + cell_x[cell], centre.y});
        return c.x >= 0 && c.y >= 0 && c.x < img.width && c.y < img.height &&
               is_red(img.at(c.x, c.y));
    };
    std::string out;
    for (int i = 0; i < 8; i++) {
        if (i == 2 || i == 5) {
            out += lit_at(i, POINT{6, 21}) && lit_at(i, POINT{6, 51}) ? ':' : '?';
            continue;
        }
        int bits = 0;
        for (int s = 0; s < 7; s++) {
            const POINT a = segment[s][0], b = segment[s][3];
            if (lit_at(i, POINT{(a.x + b.x) / 2, (a.y + b.y) / 2})) bits |= 1 << s;
        }
        char c = bits == 0 ? ' ' : '?';
        for (int d = 0; d < 10; d++)
            if (lit[d] == bits) c = char('0' + d);
        out += c;
    }
    return out;
}

// The program shows the real time of day (a fixed time cannot be given to it under Wine), so the
// 12- and 24-hour modes look different only between 13:00 and 00:59, and the leading zero only in
// hours with one digit in the mode; the digit cells of every hour in every mode are covered by the
// unit tests of the figures.
// The clock runs in a time zone where it is mid-afternoon, whatever the hour here: from 13 to 21
// o'clock the 12- and 24-hour formats differ, and so do the hours with and without their leading
// zero in 12-hour mode.
int zone_hours = 0;

HWND start_clock(app& a) {
    HWND hwnd = launch(a, L"hurvane");
    if (!hwnd) return nullptr;
    const std::wstring hours = probe(hwnd, PROBE_AFTERNOON_CLOCK);
    EXPECT_FALSE(hours.empty()) << "the clock's time cannot be moved";
    zone_hours = _wtoi(hours.c_str());
    return hwnd;
}

// The time in the clock's zone.
SYSTEMTIME now() {
    FILETIME f;
    GetSystemTimeAsFileTime(&f);
    ULARGE_INTEGER u{{f.dwLowDateTime, f.dwHighDateTime}};
    u.QuadPart += ULONGLONG(zone_hours) * 3600 * 10000000;
    f = FILETIME{u.LowPart, u.HighPart};
    SYSTEMTIME t;
    FileTimeToSystemTime(&f, &t);
    return t;
}

// One second before t.
SYSTEMTIME earlier(const SYSTEMTIME& t) {
    FILETIME f;
    SystemTimeToFileTime(&t, &f);
    ULARGE_INTEGER u{{f.dwLowDateTime, f.dwHighDateTime}};
    u.QuadPart -= 10000000;
    f = FILETIME{u.LowPart, u.HighPart};
    SYSTEMTIME out;
    FileTimeToSystemTime(&f, &out);
    return out;
}

// The time as the clock should show it.
std::string expected_text(const SYSTEMTIME& t, bool use_24_hour, bool leading_zero) {
    int hour = t.wHour;
    if (!use_24_hour) hour = hour % 12 == 0 ? 12 : hour % 12;
    char s[16];
    snprintf(s, sizeof s, "%c%d:%02d:%02d",
             hour < 10 ? (leading_zero ? '0' : ' ') : char('0' + hour / 10), hour % 10, t.wMinute,
             t.wSecond);
    return s;
}

// The user's time format (LOCALE_ITIME, LOCALE_ITLZERO), put back as it was when the test ends.
class time_format {
public:
    time_format() : format_(get(LOCALE_STIMEFORMAT)) {}
    ~time_format() {
        SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, format_.c_str());
        announce();
    }
    // Changes the settings as the system's own settings dialog does, through the time format
    // (hours as "H" or "HH" in 24-hour mode, "h" or "hh" with an AM/PM mark in 12-hour mode, from
    // which the platform derives both values), and tells every window. Wine reads a process's
    // locale values once, so a program already running (`running`) is made to take the stored
    // format first; it still shows it only once it has re-read the settings on the announcement.
    void set(bool use_24_hour, bool leading_zero, HWND running = nullptr) {
        const wchar_t* format = use_24_hour ? (leading_zero ? L"HH:mm:ss" : L"H:mm:ss")
                                            : (leading_zero ? L"hh:mm:ss tt" : L"h:mm:ss tt");
        EXPECT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, format));
        EXPECT_EQ(get(LOCALE_ITIME), use_24_hour ? L"1" : L"0");
        EXPECT_EQ(get(LOCALE_ITLZERO), leading_zero ? L"1" : L"0");
        if (running) {
            EXPECT_EQ(probe(running, PROBE_RELOAD_TIME_FORMAT), format);
        }
        announce();
    }

private:
    static std::wstring get(LCTYPE type) {
        wchar_t value[80] = L"";
        GetLocaleInfoW(LOCALE_USER_DEFAULT, type, value, 80);
        return value;
    }
    static void announce() {
        DWORD_PTR r;
        SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, LPARAM(L"intl"), SMTO_ABORTIFHUNG,
                            5000, &r);
    }
    std::wstring format_;
};

// The clock shows the time of a moment between reading `before` and the end of the capture, in
// the given format, drawn exactly where and as it should be.
void expect_time_shown(HWND hwnd, bool use_24_hour, bool leading_zero) {
    std::string read, expected;
    for (int attempt = 0; attempt < 3; attempt++) {
        const SYSTEMTIME before = now();
        const image shown = capture_client(hwnd);
        const SYSTEMTIME after = now();
        read = read_strip(shown);
        expected = expected_text(before, use_24_hour, leading_zero);
        if (read != expected && expected_text(after, use_24_hour, leading_zero) == read)
            expected = read; // the second turned during the capture
        // The clock shows the time of its last tick, up to one second old.
        if (read != expected && expected_text(earlier(before), use_24_hour, leading_zero) == read)
            expected = read;
        if (read == expected) {
            const image want = strip_of(shown.width, shown.height, expected);
            int differing = 0;
            for (size_t i = 0; i < shown.px.size(); i++)
                differing += is_red(shown.px[i]) != is_red(want.px[i]);
            EXPECT_EQ(differing, 0)
                << "the digits " << expected << " are not drawn as they should be";
            if (differing) save_bmp(shown, L"hurvane-shown.bmp");
            return;
        }
        if (before.wSecond == after.wSecond) break; // a steady picture of the wrong time
    }
    EXPECT_EQ(read, expected) << (use_24_hour ? "24-hour" : "12-hour")
                              << (leading_zero ? ", leading zero" : ", no leading zero");
}

TEST(hurvane, window_class_and_caption) {
    app a;
    HWND hwnd = start_clock(a);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(class_of(hwnd), L"hurvane");
    EXPECT_EQ(text_of(hwnd), L"Digital Clock");
    EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE) & WS_OVERLAPPEDWINDOW, LONG(WS_OVERLAPPEDWINDOW));
    expect_closes_with_0(a, hwnd);
}

// One running clock follows each change of the time format: 24 or 12 hours, with or without the
// hours' leading zero.
TEST(hurvane, follows_the_locale_time_format_without_restart) {
    time_format format;
    app a;
    HWND hwnd = start_clock(a);
    ASSERT_NE(hwnd, nullptr);
    resize(hwnd, 640, 240);
    const bool modes[4][2] = {{true, true}, {false, true}, {false, false}, {true, false}};
    for (const auto& m : modes) {
        format.set(m[0], m[1], hwnd);
        settle(hwnd);
        expect_time_shown(hwnd, m[0], m[1]);
    }
}

// Nothing but the clock's own timer moves the digits on the screen: readings a second apart each
// show the time of their moment.
TEST(hurvane, ticks_on_screen_every_second) {
    time_format format;
    format.set(true, true);
    app a;
    HWND hwnd = start_clock(a);
    ASSERT_NE(hwnd, nullptr);
    for (int i = 0; i < 3; i++) {
        if (i) Sleep(1100);
        expect_time_shown(hwnd, true, true);
    }
}

// The format is read at start too (12 hours with the leading zero: unlike the default format).
TEST(hurvane, starts_in_the_locale_time_format) {
    time_format format;
    format.set(false, true);
    app a;
    HWND hwnd = start_clock(a);
    ASSERT_NE(hwnd, nullptr);
    expect_time_shown(hwnd, false, true);
}

// Wide, tall, small: the 276 x 72 strip is scaled to fit, whole and centred.
TEST(hurvane, strip_stays_whole_and_centred_in_any_shape) {
    time_format format;
    format.set(true, true); // every cell holds a digit
    app a;
    HWND hwnd = start_clock(a);
    ASSERT_NE(hwnd, nullptr);
    for (SIZE size : {SIZE{900, 200}, SIZE{320, 600}, SIZE{640, 480}, SIZE{180, 120}}) {
        resize(hwnd, size.cx, size.cy);
        const image shown = capture_client(hwnd);
        const int w = shown.width, h = shown.height;
        const POINT tl = to_client(w, h, POINT{0, 0}), br = to_client(w, h, POINT{276, 72});
        EXPECT_GE(tl.x, 0);
        EXPECT_GE(tl.y, 0);
        EXPECT_LE(br.x, w);
        EXPECT_LE(br.y, h);
        // It fills the width or the height.
        EXPECT_TRUE(br.x - tl.x >= w - 2 || br.y - tl.y >= h - 2) << size.cx << " x " << size.cy;
        const RECT ink = bounds(shown, is_red);
        ASSERT_GT(ink.right, ink.left) << "nothing red at " << size.cx << " x " << size.cy;
        EXPECT_GE(ink.left, tl.x);
        EXPECT_LE(ink.right, br.x + 1);
        EXPECT_GE(ink.top, tl.y);
        EXPECT_LE(ink.bottom, br.y + 1);
        EXPECT_LE(std::abs(tl.x + br.x - w), 1) << size.cx << " x " << size.cy;
        EXPECT_LE(std::abs(tl.y + br.y - h), 1) << size.cx << " x " << size.cy;
        // Every digit and colon exactly where the centred strip puts it.
        expect_time_shown(hwnd, true, true);
    }
}

} // namespace
