// Quillix: a four-function hexadecimal calculator whose main window is made from a dialog
// template. The template lays out the 29 buttons; each button's id is the character code of the
// key that presses it, so a key is turned into a press of its button (with a short visible flash)
// and clicks and keys run the same command handler. The display is itself a button: the one of
// the Escape character, which clears the number.
#include "frame/frame.h"
#include "calc.h"
#include "resource.h"

static struct {
    app_frame frame;
    calc_state calc;
} g;

// The number as 64-bit unsigned hexadecimal, so a negative result shows all 16 digits.
static void show_number(HWND hwnd) {
    const size_t start = rt.temp_top;
    temp_push_hex64(static_cast<uint64_t>(g.calc.current), start);
    SetDlgItemTextW(hwnd, IDC_DISPLAY, temp_text(start));
    rt.temp_top = start;
}

static void on_command(HWND hwnd, int id) {
    SetFocus(hwnd); // the buttons never keep the focus, so keys keep coming here
    switch (calc_command(&g.calc, id)) {
    case CALC_SHOW: show_number(hwnd); break;
    case CALC_BEEP: MessageBeep(0); break;
    case CALC_UNCHANGED: break;
    }
}

static void on_char(HWND hwnd, WPARAM wp) {
    // CharUpperW treats a pointer whose high bits are zero as a single character.
    wchar_t* as_text = reinterpret_cast<wchar_t*>(static_cast<UINT_PTR>(wp & 0xFFFF));
    int ch = static_cast<int>(reinterpret_cast<UINT_PTR>(CharUpperW(as_text)) & 0xFFFF);
    if (ch == '\r') ch = '=';
    HWND button = GetDlgItem(hwnd, ch);
    if (!button) {
        MessageBeep(0);
        return;
    }
    // The flash: the button looks pressed for 0.1 s, as if clicked. The pause waits for no
    // message, like Sleep, but first lets the window system put the pressed look on the screen.
    SendMessageW(button, BM_SETSTATE, TRUE, 0);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, 0);
    SendMessageW(button, BM_SETSTATE, FALSE, 0);
    on_command(hwnd, ch);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_KEYDOWN:
        if (wp == VK_LEFT) on_char(hwnd, IDC_BACK); // the Left arrow works as Backspace
        return 0;
    case WM_CHAR: on_char(hwnd, wp); return 0;
    case WM_COMMAND: on_command(hwnd, LOWORD(wp)); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    calc_reset(&g.calc);
    frame_init(&g.frame, L"quillix", nullptr, wnd_proc);
    g.frame.wc.cbWndExtra = DLGWINDOWEXTRA;
    g.frame.wc.hIcon = LoadIconW(rt.module, IDI_QUILLIX);
    g.frame.wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    if (frame_register(&g.frame) && frame_create_dialog(&g.frame, IDD_QUILLIX))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
