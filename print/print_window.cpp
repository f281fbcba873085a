#include "print/print_window.h"
#include "print/printer_dc.h"

static print_window* w; // the program's globals, set before the window exists

void draw_page(HDC dc, int width, int height, const wchar_t* text) {
    Rectangle(dc, 0, 0, width, height);
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, width, height);
    MoveToEx(dc, width, 0, nullptr);
    LineTo(dc, 0, height);

    // A square logical space of 1000 units each side of the centre, y pointing up.
    SaveDC(dc);
    SetMapMode(dc, MM_ISOTROPIC);
    SetWindowExtEx(dc, 1000, 1000, nullptr);
    SetViewportExtEx(dc, width / 2, -height / 2, nullptr);
    SetViewportOrgEx(dc, width / 2, height / 2, nullptr);
    Ellipse(dc, -500, 500, 500, -500);
    SetTextAlign(dc, TA_BASELINE | TA_CENTER);
    TextOutW(dc, 0, 0, text, int(str_length(text)));
    RestoreDC(dc, -1);
}

bool print_document(print_window* pw, HWND hwnd, const print_steps& steps) {
    HDC printer = get_default_printer_dc();
    if (!printer) return false;
    const int width = GetDeviceCaps(printer, HORZRES);
    const int height = GetDeviceCaps(printer, VERTRES);
    zero_memory(&pw->doc, sizeof pw->doc);
    pw->doc.cbSize = sizeof pw->doc;
    pw->doc.lpszDocName = pw->doc_name;
    if (steps.prepare) steps.prepare(hwnd, printer);

    bool ok = false;
    const int started = StartDocW(printer, &pw->doc);
    if (started > 0 && StartPage(printer) > 0) {
        draw_page(printer, width, height, pw->page_text);
        // The page counts as printed only once the spooler has taken the whole document.
        ok = EndPage(printer) > 0 && EndDoc(printer) > 0;
    }
    // A document begun but not finished is abandoned rather than left open in the spooler.
    if (started > 0 && !ok) AbortDoc(printer);

    if (steps.clean_up) steps.clean_up(hwnd);
    DeleteDC(printer);
    return ok;
}

bool pump_message(MSG* msg) {
    if (!PeekMessageW(msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg->message == WM_QUIT) {
        PostQuitMessage(int(msg->wParam));
        return false;
    }
    return true;
}

static void on_create(HWND hwnd) {
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, 1, L"&Print");
}

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    draw_page(dc, w->cx, w->cy, w->page_text);
    EndPaint(hwnd, &ps);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: on_create(hwnd); return 0;
    case WM_SIZE:
        w->cx = LOWORD(lp);
        w->cy = short(HIWORD(lp));
        return 0;
    case WM_SYSCOMMAND:
        if (wp != 1) break;
        if (!w->print_page(hwnd))
            MessageBoxW(hwnd, w->failure, w->frame.class_name, MB_ICONEXCLAMATION);
        return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

UINT print_window_run(print_window* pw, const wchar_t* class_name, const wchar_t* caption,
                      const wchar_t* doc_name, bool (*print_page)(HWND)) {
    w = pw;
    frame_init(&w->frame, class_name, caption, wnd_proc);
    str_assign(&w->page_text, L"Hello, Printer!");
    str_assign(&w->failure, L"Could not print page!");
    str_assign(&w->doc_name, doc_name);
    w->print_page = print_page;
    if (frame_register(&w->frame) && frame_create(&w->frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&w->frame);
    return frame_exit_code(&w->frame);
}
