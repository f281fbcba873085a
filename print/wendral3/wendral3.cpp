// Wendral3: prints like wendral2, with a small modeless dialog in front while the page is spooled
// whose Cancel button (or Esc) abandons the job.
//
// The dialog is created with CreateDialogParamW just before printing and the main window is
// disabled. While the spooler works it calls the abort procedure, which pumps the thread's
// messages, passing the dialog's keys through IsDialogMessageW; a click on Cancel sets a flag,
// and the abort procedure's FALSE then tells the spooler to abandon the document.
#include "print/print_window.h"
#include "resource.h"

static struct {
    print_window win;
    bool user_abort;
    HWND dialog; // the cancel dialog while it is shown
} g;

static INT_PTR CALLBACK dialog_proc(HWND dialog, UINT msg, WPARAM, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowTextW(dialog, g.win.frame.class_name);
        EnableMenuItem(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_GRAYED);
        return TRUE;
    case WM_COMMAND: // Cancel, or Esc
        g.user_abort = true;
        EnableWindow(GetParent(dialog), TRUE);
        DestroyWindow(dialog);
        g.dialog = nullptr;
        return TRUE;
    }
    return FALSE;
}

// Called by the spooler while it works: the program's messages flow, the dialog's keys through
// IsDialogMessageW; once the user has cancelled, the job is abandoned.
static BOOL CALLBACK abort_proc(HDC, int) {
    MSG msg;
    while (!g.user_abort && pump_message(&msg)) {
        if (!g.dialog || !IsDialogMessageW(g.dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return !g.user_abort;
}

static void prepare(HWND hwnd, HDC printer) {
    EnableWindow(hwnd, FALSE);
    g.user_abort = false;
    g.dialog = CreateDialogParamW(rt.module, IDD_PRINTDLGBOX, hwnd, dialog_proc, 0);
    SetAbortProc(printer, abort_proc);
}

static void clean_up(HWND hwnd) {
    if (g.user_abort) return; // the dialog has already gone and given the window back
    EnableWindow(hwnd, TRUE);
    DestroyWindow(g.dialog);
    g.dialog = nullptr;
}

static bool print_page(HWND hwnd) {
    const bool ok = print_document(&g.win, hwnd, print_steps{prepare, clean_up});
    return ok && !g.user_abort;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, USES_LIBRARIES | USES_BLOCKS);
    process_end(print_window_run(&g.win, L"wendral3", L"Print Program 3 (Dialog Box)",
                                 L"Wendral3: Printing", print_page));
}
