// Tolvair: a text-only clipboard viewer. The window joins the system's chain of clipboard viewers,
// passes the chain's messages on to the next viewer, and shows the clipboard's Unicode text,
// tabs expanded and lines unwrapped, whenever the clipboard changes.
#include "frame/frame.h"
#include "clipboard/clip_text.h"

static struct {
    app_frame frame;
    HWND next_viewer; // the next window in the clipboard-viewer chain, or none
} g;

static void on_change_chain(WPARAM wp, LPARAM lp) {
    if (reinterpret_cast<HWND>(wp) == g.next_viewer)
        g.next_viewer = reinterpret_cast<HWND>(lp);
    else if (g.next_viewer)
        SendMessageW(g.next_viewer, WM_CHANGECBCHAIN, wp, lp);
}

static void on_draw_clipboard(HWND hwnd, WPARAM wp, LPARAM lp) {
    if (g.next_viewer) SendMessageW(g.next_viewer, WM_DRAWCLIPBOARD, wp, lp);
    InvalidateRect(hwnd, nullptr, TRUE);
}

// The text is drawn only as far as its block reaches. Another program may hold the clipboard open
// at that moment: above all a second viewer in the chain, which hears of every change at the same
// moment and opens the clipboard to paint it too, so two viewers race for it. The loser would stay
// blank until the next change; instead timer 1 asks for another paint shortly, and it stops as
// soon as a paint got the clipboard.
static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT r;
    GetClientRect(hwnd, &r);
    if (OpenClipboard(hwnd)) {
        KillTimer(hwnd, 1);
        if (HANDLE block = GetClipboardData(CF_UNICODETEXT)) {
            const SIZE_T bytes = GlobalSize(block);
            if (auto* text = static_cast<const wchar_t*>(GlobalLock(block))) {
                const size_t n = clip_text_length(text, bytes);
                if (n > 0 && n <= 0x7FFFFFFF)
                    DrawTextW(dc, text, static_cast<int>(n), &r, DT_EXPANDTABS);
                GlobalUnlock(block);
            }
        }
        CloseClipboard();
    } else {
        SetTimer(hwnd, 1, 100, nullptr);
    }
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: g.next_viewer = SetClipboardViewer(hwnd); return 0;
    case WM_CHANGECBCHAIN: on_change_chain(wp, lp); return 0;
    case WM_DRAWCLIPBOARD: on_draw_clipboard(hwnd, wp, lp); return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_TIMER:
        KillTimer(hwnd, 1);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_DESTROY:
        KillTimer(hwnd, 1);
        ChangeClipboardChain(hwnd, g.next_viewer);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"tolvair", L"Simple Clipboard Viewer (Text Only)", wnd_proc);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
