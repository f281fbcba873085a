// Nuvelle3: an about box whose OK button is a control class of the program's own, "EllipPush":
// an ellipse with the control's text in the middle that reports a click or Space to its parent
// as a button would. The box has no Cancel, so Esc leaves it open.
#include "frame/frame.h"
#include "resource.h"

static struct {
    app_frame frame;
    WNDCLASSW ellip_class;
} g;

static void ellip_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT r;
    GetClientRect(hwnd, &r);
    wchar_t text[40 + 1];
    GetWindowTextW(hwnd, text, 40 + 1);
    HBRUSH brush = CreateSolidBrush(GetSysColor(COLOR_WINDOW));
    HGDIOBJ old = SelectObject(dc, brush);
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    Ellipse(dc, r.left, r.top, r.right, r.bottom);
    DrawTextW(dc, text, -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    SelectObject(dc, old);
    DeleteObject(brush);
    EndPaint(hwnd, &ps);
}

// The parent hears of a press as of a push button's: the control's id, notification 0.
static void ellip_pressed(HWND hwnd) {
    SendMessageW(GetParent(hwnd), WM_COMMAND, static_cast<WPARAM>(GetWindowLongW(hwnd, GWL_ID)),
                 reinterpret_cast<LPARAM>(hwnd));
}

static LRESULT CALLBACK ellip_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: ellip_paint(hwnd); return 0;
    case WM_KEYUP:
        if (wp != VK_SPACE) break;
        ellip_pressed(hwnd);
        return 0;
    case WM_LBUTTONUP: ellip_pressed(hwnd); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

static INT_PTR CALLBACK about_proc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND:
        if (LOWORD(wp) != IDOK) break;
        EndDialog(dlg, 0);
        return TRUE;
    }
    return FALSE;
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wp) == IDM_ABOUT) DialogBoxParamW(rt.module, IDD_ABOUTBOX, hwnd, about_proc, 0);
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// The control's class, needed before the first about box.
static bool register_ellip_class() {
    WNDCLASSW& wc = g.ellip_class;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ellip_proc;
    wc.hInstance = rt.module;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"EllipPush";
    if (RegisterClassW(&wc)) return true;
    frame_message(&g.frame, L"Cannot register Ellipse Window Class!", MB_ICONERROR);
    return false;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    frame_init(&g.frame, L"nuvelle3", L"About Box Demo Program", wnd_proc);
    g.frame.wc.hIcon = LoadIconW(rt.module, IDI_NUVELLE3);
    frame_use_class_menu(&g.frame);
    if (frame_register(&g.frame) && register_ellip_class() &&
        frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
