#include "editor/editor_print.h"
#include "runtime/runtime.h"

#include <commdlg.h>

static struct {
    PRINTDLGW pd;
    DOCINFOW di;
    BOOL user_abort;
    HWND dialog; // the Cancel box while printing
} pr;

// Pumps the thread's messages from inside the spooler calls, so that the Cancel box works.
static BOOL CALLBACK print_abort_proc(HDC, int) {
    MSG msg;
    while (!pr.user_abort && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (pr.dialog && IsDialogMessageW(pr.dialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return !pr.user_abort;
}

static INT_PTR CALLBACK print_cancel_proc(HWND dlg, UINT msg, WPARAM, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: EnableMenuItem(GetSystemMenu(dlg, FALSE), SC_CLOSE, MF_GRAYED); return TRUE;
    case WM_COMMAND:
        pr.user_abort = TRUE;
        EnableWindow(GetParent(dlg), TRUE);
        DestroyWindow(dlg);
        pr.dialog = nullptr;
        return TRUE;
    }
    return FALSE;
}

struct page_layout {
    int line_height, chars_per_line, lines_per_page, pages;
};

// One copy of every page, or `copies` of one page, as the copy loops ask.
static bool print_pages(HDC dc, HWND edit, const page_layout& l, int total_lines, wchar_t* line,
                        WORD page_copies, WORD* page) {
    for (; *page < l.pages; (*page)++) {
        for (WORD c = 0; c < page_copies; c++) {
            if (StartPage(dc) < 0) return false;
            for (int i = 0; i < l.lines_per_page; i++) {
                int number = l.lines_per_page * *page + i;
                if (number >= total_lines) break;
                // EM_GETLINE takes the buffer's size in its first word.
                line[0] = wchar_t(l.chars_per_line);
                LRESULT n = SendMessageW(edit, EM_GETLINE, number, reinterpret_cast<LPARAM>(line));
                TextOutW(dc, 0, l.line_height * i, line, int(n));
            }
            if (EndPage(dc) < 0) return false;
            if (pr.user_abort) return true;
        }
        if (pr.user_abort) return true;
    }
    return true;
}

static bool print_copies(HDC dc, HWND edit, const page_layout& l, int total_lines, wchar_t* line) {
    // Collated: the whole document again for each copy; otherwise each page `copies` times.
    bool collate = (pr.pd.Flags & PD_COLLATE) != 0;
    WORD outer = collate ? pr.pd.nCopies : 1, inner = collate ? 1 : pr.pd.nCopies;
    for (WORD copy = 0; copy < outer; copy++) {
        WORD page = 0;
        if (!print_pages(dc, edit, l, total_lines, line, inner, &page)) return false;
        if (pr.user_abort) break;
    }
    return true;
}

bool print_document(HINSTANCE instance, HWND main_window, HWND edit, const wchar_t* title) {
    zero_memory(&pr.pd, sizeof pr.pd);
    pr.pd.lStructSize = sizeof pr.pd;
    pr.pd.hwndOwner = main_window;
    pr.pd.Flags = PD_RETURNDC | PD_COLLATE | PD_NOSELECTION;
    pr.pd.nCopies = 1;
    const BOOL chosen = PrintDlgW(&pr.pd);
    // The dialog hands back the device settings in two global blocks of its making; the record is
    // filled afresh next time, so they are freed here.
    if (pr.pd.hDevMode) GlobalFree(pr.pd.hDevMode);
    if (pr.pd.hDevNames) GlobalFree(pr.pd.hDevNames);
    pr.pd.hDevMode = pr.pd.hDevNames = nullptr;
    if (!chosen) return true;
    HDC dc = pr.pd.hDC;
    if (!dc) return false;

    int total_lines = int(SendMessageW(edit, EM_GETLINECOUNT, 0, 0));
    if (total_lines == 0) {
        DeleteDC(dc);
        return true;
    }
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    page_layout l;
    l.line_height = tm.tmHeight + tm.tmExternalLeading;
    l.chars_per_line = tm.tmAveCharWidth > 0 ? GetDeviceCaps(dc, HORZRES) / tm.tmAveCharWidth : 0;
    l.lines_per_page = l.line_height > 0 ? GetDeviceCaps(dc, VERTRES) / l.line_height : 0;
    // A device that reports no room for a line cannot print this document.
    if (l.chars_per_line <= 0 || l.lines_per_page <= 0) {
        DeleteDC(dc);
        return false;
    }
    l.pages = (total_lines + l.lines_per_page - 1) / l.lines_per_page;

    auto* line = static_cast<wchar_t*>(block_alloc((l.chars_per_line + 1) * 2));
    if (!line) {
        DeleteDC(dc);
        return false;
    }
    EnableWindow(main_window, FALSE);
    bool success = true;
    pr.user_abort = FALSE;
    pr.dialog = CreateDialogParamW(instance, L"PrintDlgBox", main_window, print_cancel_proc, 0);
    SetDlgItemTextW(pr.dialog, IDD_PRINT_TITLE, title);
    SetAbortProc(dc, print_abort_proc);

    wchar_t job[EDITOR_JOB_CHARS];
    GetWindowTextW(main_window, job, EDITOR_JOB_CHARS);
    zero_memory(&pr.di, sizeof pr.di);
    pr.di.cbSize = sizeof pr.di;
    pr.di.lpszDocName = job;
    if (StartDocW(dc, &pr.di) > 0) {
        success = print_copies(dc, edit, l, total_lines, line);
    } else {
        success = false;
    }
    if (success) EndDoc(dc);
    if (!pr.user_abort) {
        EnableWindow(main_window, TRUE);
        DestroyWindow(pr.dialog);
        pr.dialog = nullptr;
    }
    block_free(line);
    DeleteDC(dc);
    return success && !pr.user_abort;
}
