// Clover: 360 lines radiating from the centre, clipped to a four-leaf region. The region is the
// exclusive-or of a horizontal pair of elliptic leaves and a vertical pair, so where a leaf of each
// pair overlaps (around the centre) the clover is hollow. Building the region is the slow part: it
// happens only when the size changes, under the wait cursor, never while painting.
#include "frame/frame.h"

#include <math.h>

static struct {
    app_frame frame;
    int width, height; // client size
    HRGN clip_region;  // none before the first size, or when building it failed
} g;

static void delete_region(HRGN* region) {
    if (*region) DeleteObject(*region);
    *region = nullptr;
}

// Four leaves, their two pairs and the clover; null when any of the regions cannot be made.
static HRGN build_clover(int w, int h) {
    HRGN r[7] = {
        CreateEllipticRgn(0, h / 3, w / 2, (h + h) / 3), // left leaf
        CreateEllipticRgn(w / 2, h / 3, w, (h + h) / 3), // right leaf
        CreateEllipticRgn(w / 3, 0, (w + w) / 3, h / 2), // top leaf
        CreateEllipticRgn(w / 3, h / 2, (w + w) / 3, h), // bottom leaf
        CreateRectRgn(0, 0, 1, 1),
        CreateRectRgn(0, 0, 1, 1), // the pairs
        CreateRectRgn(0, 0, 1, 1), // the clover
    };
    bool ok = true;
    for (HRGN each : r)
        ok = ok && each;
    ok = ok && CombineRgn(r[4], r[0], r[1], RGN_OR) != ERROR &&
         CombineRgn(r[5], r[2], r[3], RGN_OR) != ERROR &&
         CombineRgn(r[6], r[4], r[5], RGN_XOR) != ERROR;
    for (int i = 0; i < 6; i++)
        delete_region(&r[i]);
    if (!ok) delete_region(&r[6]);
    return r[6];
}

static void on_size(LPARAM lp) {
    g.width = LOWORD(lp);
    g.height = static_cast<short>(HIWORD(lp));
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    ShowCursor(TRUE);
    delete_region(&g.clip_region);
    g.clip_region = build_clover(g.width, g.height);
    SetCursor(previous);
    ShowCursor(FALSE);
}

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    // Without a region, selecting none would lift the clipping and draw the whole star.
    if (g.clip_region) {
        SetViewportOrgEx(dc, g.width / 2, g.height / 2, nullptr);
        SelectClipRgn(dc, g.clip_region);
        const double x = g.width / 2.0, y = g.height / 2.0;
        const double radius = pow(x * x + y * y, 0.5); // half the diagonal
        for (int a = 0; a < 360; a++) {
            const double angle = a * 0.017453277777777776; // 6.28318 / 360
            MoveToEx(dc, 0, 0, nullptr);
            LineTo(dc, static_cast<int>(radius * cos(angle) + 0.5),
                   static_cast<int>(-radius * sin(angle) + 0.5));
        }
    }
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SIZE: on_size(lp); return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY:
        delete_region(&g.clip_region);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"clover", L"Draw a Clover", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
