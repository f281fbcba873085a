// Brannic: clipboard text transfers. The window keeps one text of its own and shows it wrapped to
// the window; the Edit menu cuts, copies and pastes it in the Unicode text format, deletes it or
// resets it to the default text. The menu greys what cannot be done at the moment it opens.
#include "frame/frame.h"
#include "clipboard/clip_text.h"
#include "resource.h"

static struct {
    app_frame frame;
    wchar_t* default_text; // dynamic string
    wchar_t* text;         // the current text: a zero-terminated block of the block heap, or none
} g;

static void forget_text(HWND hwnd) {
    if (g.text) block_free(g.text);
    g.text = nullptr;
    InvalidateRect(hwnd, nullptr, TRUE);
}

static void reset_text(HWND hwnd) {
    const size_t chars = str_length(g.default_text) + 1;
    auto* text = static_cast<wchar_t*>(block_alloc(static_cast<int32_t>(chars * sizeof(wchar_t))));
    if (!text) return; // the old text stays rather than none at all
    copy_memory(text, g.default_text, chars * sizeof(wchar_t));
    if (g.text) block_free(g.text);
    g.text = text;
    InvalidateRect(hwnd, nullptr, TRUE);
}

// The data is made first; only when the clipboard took it is the copy done. A block the clipboard
// refused is still ours to free.
static bool copy_text(HWND hwnd) {
    if (!g.text) return false;
    const size_t bytes = (str_length(g.text) + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GHND | GMEM_SHARE, bytes);
    if (!block) return false;
    void* p = GlobalLock(block);
    if (!p) {
        GlobalFree(block);
        return false;
    }
    copy_memory(p, g.text, bytes);
    GlobalUnlock(block);
    bool taken = false;
    if (OpenClipboard(hwnd)) {
        taken = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, block);
        CloseClipboard();
    }
    if (!taken) GlobalFree(block);
    return taken;
}

// The clipboard's text is read only within its block; the new text is made before the old one
// goes, so a paste that fails keeps what was there.
static void paste_text(HWND hwnd) {
    if (!OpenClipboard(hwnd)) return;
    if (HANDLE block = GetClipboardData(CF_UNICODETEXT)) {
        const SIZE_T bytes = GlobalSize(block);
        if (auto* clip = static_cast<const wchar_t*>(GlobalLock(block))) {
            const size_t room = bytes / sizeof(wchar_t);
            wchar_t* text = nullptr;
            if (room > 0 && room < 0x3FFFFFFF)
                text = static_cast<wchar_t*>(
                    block_alloc(static_cast<int32_t>((room + 1) * sizeof(wchar_t))));
            if (text) {
                const size_t n = clip_text_length(clip, bytes);
                copy_memory(text, clip, n * sizeof(wchar_t));
                text[n] = 0;
                if (g.text) block_free(g.text);
                g.text = text;
                InvalidateRect(hwnd, nullptr, TRUE);
            }
            GlobalUnlock(block);
        }
    }
    CloseClipboard();
}

static void on_command(HWND hwnd, WORD id) {
    switch (id) {
    case IDM_EDIT_CUT:
        if (copy_text(hwnd)) forget_text(hwnd);
        break;
    case IDM_EDIT_COPY: copy_text(hwnd); break;
    case IDM_EDIT_PASTE: paste_text(hwnd); break;
    case IDM_EDIT_CLEAR: forget_text(hwnd); break;
    case IDM_EDIT_RESET: reset_text(hwnd); break;
    }
}

static void on_init_menu_popup(HMENU menu) {
    EnableMenuItem(menu, IDM_EDIT_PASTE,
                   IsClipboardFormatAvailable(CF_UNICODETEXT) ? MF_ENABLED : MF_GRAYED);
    const UINT have_text = g.text ? MF_ENABLED : MF_GRAYED;
    EnableMenuItem(menu, IDM_EDIT_CUT, have_text);
    EnableMenuItem(menu, IDM_EDIT_COPY, have_text);
    EnableMenuItem(menu, IDM_EDIT_CLEAR, have_text);
}

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (g.text) {
        RECT r;
        GetClientRect(hwnd, &r);
        DrawTextW(dc, g.text, -1, &r, DT_WORDBREAK | DT_EXPANDTABS);
    }
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: SendMessageW(hwnd, WM_COMMAND, IDM_EDIT_RESET, 0); return 0;
    case WM_INITMENUPOPUP:
        on_init_menu_popup(reinterpret_cast<HMENU>(wp));
        return DefWindowProcW(hwnd, msg, wp, lp);
    case WM_COMMAND: on_command(hwnd, LOWORD(wp)); return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY:
        if (g.text) block_free(g.text);
        g.text = nullptr;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// Both the caption and the default text are joined from two pieces.
static void join(wchar_t** var, const wchar_t* first, const wchar_t* second) {
    const size_t start = rt.temp_top;
    temp_push(first);
    temp_push(second);
    str_assign_from_temp(var, start);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, USES_BLOCKS);
    wchar_t* caption = nullptr;
    join(&caption, L"Clipboard Text Transfers - ", L"Unicode Version");
    join(&g.default_text, L"Default Text - ", L"Unicode Version");
    frame_init(&g.frame, L"brannic", caption, wnd_proc);
    str_free(caption);
    frame_use_class_menu(&g.frame);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop_accelerators(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
