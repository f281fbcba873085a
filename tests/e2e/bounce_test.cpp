// The bouncing ball, one tick at a time: after each tick the screen shows the ball exactly where
// the motion puts it (drawn here from the same bitmap recipe: white square, black diagonal hatch
// with magenta gaps), inside the client area within one step, and the program has beeped once per
// wall met (twice at a corner). Every size rebuilds the ball, centred again; while minimised each
// tick meets all four walls; and rebuilding it on many sizes leaks no drawing object.
#include "harness/checks.h"
#include "harness/harness.h"
#include "harness/patches.h"
#include "harness/timers.h"

#include <algorithm>

using namespace harness;

namespace {

// The ball's motion as a user can predict it from the window's size and the pixel aspect.
struct ball_model {
    int w, h, ax, ay;
    int cx, cy, rx, ry, sx, sy, tw, th;
    int beeps = 0;
    POINT drawn{}; // where the last tick drew the bitmap
    bool shown = false;

    ball_model(int width, int height, int aspect_x, int aspect_y)
        : w(width), h(height), ax(aspect_x), ay(aspect_y) {
        cx = w / 2;
        cy = h / 2;
        const double scale = std::min(double(w) * ax, double(h) * ay) / 16.0;
        rx = int(scale / ax);
        ry = int(scale / ay);
        sx = std::max(1, rx / 8);
        sy = std::max(1, ry / 8);
        tw = 2 * (rx + sx);
        th = 2 * (ry + sy);
    }
    void tick() {
        drawn = POINT{cx - tw / 2, cy - th / 2};
        shown = true;
        cx += sx;
        cy += sy;
        if (cx + rx >= w || cx - rx <= 0) {
            sx = -sx;
            beeps++;
        }
        if (cy + ry >= h || cy - ry <= 0) {
            sy = -sy;
            beeps++;
        }
    }
    image picture() const {
        return render(w, h, [&](HDC dc) {
            if (!shown) return;
            HDC m = CreateCompatibleDC(dc);
            HBITMAP b = CreateCompatibleBitmap(dc, tw, th);
            HGDIOBJ old_bitmap = SelectObject(m, b);
            Rectangle(m, -1, -1, tw + 1, th + 1);
            HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(0, 0, 0));
            HGDIOBJ old_brush = SelectObject(m, hatch);
            SetBkColor(m, RGB(255, 0, 255));
            // The step is the sign-free margin around the ball.
            const int mx = std::abs(sx), my = std::abs(sy);
            Ellipse(m, mx, my, tw - mx, th - my);
            BitBlt(dc, drawn.x, drawn.y, tw, th, m, 0, 0, SRCCOPY);
            SelectObject(m, old_brush);
            SelectObject(m, old_bitmap);
            DeleteObject(hatch);
            DeleteObject(b);
            DeleteDC(m);
        });
    }
};

int aspect(int index) {
    HDC dc = GetDC(nullptr);
    const int v = GetDeviceCaps(dc, index);
    ReleaseDC(nullptr, dc);
    return v;
}

bool is_ball(uint32_t px) {
    return px != 0xFFFFFF;
}

void expect_ball(HWND hwnd, const ball_model& model, int ticks) {
    const image shown = capture_client(hwnd);
    ASSERT_EQ(shown.width, model.w);
    ASSERT_EQ(shown.height, model.h);
    const image want = model.picture();
    const int differing = differing_pixels(shown, want);
    EXPECT_EQ(differing, 0) << model.w << " x " << model.h << " after " << ticks << " ticks";
    if (differing) save_bmp(shown, L"bounce-shown.bmp");
    if (!model.shown) return;
    // The ball itself stays inside the window within one step.
    const RECT ink = bounds(shown, is_ball);
    EXPECT_GT(ink.right, ink.left) << "no ball after " << ticks << " ticks";
    EXPECT_GE(ink.left, -std::abs(model.sx));
    EXPECT_GE(ink.top, -std::abs(model.sy));
    EXPECT_LE(ink.right, model.w + std::abs(model.sx));
    EXPECT_LE(ink.bottom, model.h + std::abs(model.sy));
}

TEST(bounce, ball_moves_and_beeps_at_each_wall_in_any_shape) {
    held_timers timers;
    ASSERT_TRUE(timers.ok());
    app a;
    HWND hwnd = launch(a, L"bounce");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Bouncing Ball");
    EXPECT_TRUE(GetWindowLongW(hwnd, GWL_STYLE) & WS_CLIPCHILDREN);
    EXPECT_TRUE(runs_timer(hwnd, 1, 10));
    const int ax = aspect(ASPECTX), ay = aspect(ASPECTY);
    ASSERT_GT(ax, 0);
    ASSERT_GT(ay, 0);
    int beeped = beeps(hwnd);

    // Square: the ball reaches a corner, meeting two walls at once. Wide: its diameter is an
    // eighth of the height. Tall: an eighth of the width.
    const SIZE sizes[] = {{240, 240}, {480, 128}, {136, 300}};
    for (const SIZE size : sizes) {
        resize_client(hwnd, size.cx, size.cy);
        ball_model model(size.cx, size.cy, ax, ay);
        expect_ball(hwnd, model, 0); // rebuilt, not yet drawn: the background only
        int ticks = 0;
        auto run = [&](int n) {
            ASSERT_TRUE(tick(hwnd, n));
            for (int i = 0; i < n; i++)
                model.tick();
            ticks += n;
        };
        run(1);
        expect_ball(hwnd, model, ticks);
        const RECT ball = bounds(capture_client(hwnd), is_ball);
        EXPECT_NEAR(ball.right - ball.left, std::min(size.cx, size.cy) / 8.0, 2.0) << "an eighth";
        // Until a few walls were met: the picture at every bounce and between them.
        while (model.beeps < 3 && ticks < 400) {
            const int before = model.beeps;
            ball_model ahead = model;
            int n = 0;
            while (ahead.beeps == before && n < 25) {
                ahead.tick();
                n++;
            }
            run(n);
            expect_ball(hwnd, model, ticks);
            EXPECT_EQ(beeps(hwnd) - beeped, model.beeps) << "after " << ticks << " ticks";
        }
        const int heard = beeps(hwnd) - beeped;
        EXPECT_GE(heard, 3);
        if (size.cx == size.cy) {
            EXPECT_EQ(heard % 2, 0) << "a corner is two walls at once";
        }
        beeped += model.beeps;
    }

    // Minimised (a client area of 0 x 0): every tick meets every wall and beeps twice.
    ShowWindow(hwnd, SW_MINIMIZE);
    drain(hwnd);
    beeped = beeps(hwnd);
    ASSERT_TRUE(tick(hwnd, 5));
    EXPECT_EQ(beeps(hwnd) - beeped, 10);
    ShowWindow(hwnd, SW_RESTORE);
    drain(hwnd);

    // Rebuilding the ball for many sizes keeps the count of drawing objects flat.
    EXPECT_EQ(gdi_net(hwnd), 0);
    for (int i = 0; i < 20; i++) {
        resize_client(hwnd, 200 + 13 * i, 300 - 7 * i);
        ASSERT_TRUE(tick(hwnd));
    }
    EXPECT_EQ(gdi_net(hwnd), 0);

    // One type for every beep heard, each 0.
    const int heard = beeps(hwnd);
    ASSERT_GT(heard, 0);
    EXPECT_EQ(beep_types(hwnd), std::vector<unsigned>(size_t(heard), 0u))
        << "MessageBeep(0) at every wall";
    EXPECT_EQ(close_killing_timers(hwnd), L"1\n");
    expect_exits_with_0(a);
}

} // namespace
