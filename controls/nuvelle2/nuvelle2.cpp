// Nuvelle2: an about box that is also a small form. Two groups of plain radio buttons choose a
// colour and a figure; the dialog draws the choice live in a square of its own, and only OK
// hands it to the main window, which then fills its client area with that figure.
#include "frame/frame.h"
#include "resource.h"

// COLORREF values (0x00BBGGRR), indexed by radio-button id - IDC_BLACK.
static const COLORREF colours[8] = {
    0x000000, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

static struct {
    app_frame frame;
    int colour, figure;                 // committed by OK
    int working_colour, working_figure; // the dialog's choice while it is open
    HWND paint_area;                    // the dialog's item IDC_PAINT
} g;

// The figure over the whole client area of `hwnd`, through a DC of its own.
static void paint_figure(HWND hwnd, int colour, int figure) {
    HDC dc = GetDC(hwnd);
    RECT r;
    GetClientRect(hwnd, &r);
    HBRUSH brush = CreateSolidBrush(colours[colour - IDC_BLACK]);
    HGDIOBJ old = SelectObject(dc, brush);
    if (figure == IDC_RECT)
        Rectangle(dc, r.left, r.top, r.right, r.bottom);
    else
        Ellipse(dc, r.left, r.top, r.right, r.bottom);
    SelectObject(dc, old);
    DeleteObject(brush);
    ReleaseDC(hwnd, dc);
}

// The area is erased and its static control repaints itself before the figure goes on top, so
// the control's own painting cannot cover the figure afterwards.
static void repaint_area() {
    InvalidateRect(g.paint_area, nullptr, TRUE);
    UpdateWindow(g.paint_area);
    paint_figure(g.paint_area, g.working_colour, g.working_figure);
}

static void init_about(HWND dlg) {
    g.working_colour = g.colour;
    g.working_figure = g.figure;
    CheckRadioButton(dlg, IDC_BLACK, IDC_WHITE, g.working_colour);
    CheckRadioButton(dlg, IDC_RECT, IDC_ELLIPSE, g.working_figure);
    g.paint_area = GetDlgItem(dlg, IDC_PAINT);
    SetFocus(GetDlgItem(dlg, g.working_colour));
}

static INT_PTR about_command(HWND dlg, int id) {
    if (id == IDOK) {
        g.colour = g.working_colour;
        g.figure = g.working_figure;
        EndDialog(dlg, 1);
    } else if (id == IDCANCEL) {
        EndDialog(dlg, 0);
    } else if (id >= IDC_BLACK && id <= IDC_WHITE) {
        g.working_colour = id;
        CheckRadioButton(dlg, IDC_BLACK, IDC_WHITE, id);
        repaint_area();
    } else if (id == IDC_RECT || id == IDC_ELLIPSE) {
        g.working_figure = id;
        CheckRadioButton(dlg, IDC_RECT, IDC_ELLIPSE, id);
        repaint_area();
    } else {
        return FALSE;
    }
    return TRUE;
}

static INT_PTR CALLBACK about_proc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: init_about(dlg); return FALSE; // the focus is set
    case WM_COMMAND: return about_command(dlg, LOWORD(wp));
    case WM_PAINT: {
        // The dialog's own background first, then the figure over it.
        PAINTSTRUCT ps;
        BeginPaint(dlg, &ps);
        EndPaint(dlg, &ps);
        repaint_area();
        return TRUE;
    }
    }
    return FALSE;
}

static void on_paint(HWND hwnd) {
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    EndPaint(hwnd, &ps);
    paint_figure(hwnd, g.colour, g.figure);
}

// Only OK (1) commits a new choice; Cancel gives 0 and a dialog that could not be made -1.
static void on_about(HWND hwnd) {
    if (DialogBoxParamW(rt.module, IDD_ABOUTBOX, hwnd, about_proc, 0) != 1) return;
    InvalidateRect(hwnd, nullptr, TRUE);
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wp) == IDM_ABOUT) on_about(hwnd);
        return 0;
    case WM_PAINT: on_paint(hwnd); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, 0);
    g.colour = IDC_BLACK;
    g.figure = IDC_RECT;
    frame_init(&g.frame, L"nuvelle2", L"About Box Demo Program", wnd_proc);
    g.frame.wc.hIcon = LoadIconW(rt.module, IDI_NUVELLE2);
    frame_use_class_menu(&g.frame);
    if (frame_register(&g.frame) && frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        frame_loop(&g.frame);
    process_end(frame_exit_code(&g.frame));
}
