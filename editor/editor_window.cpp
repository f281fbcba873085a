// The main window owns the document: its path and title, and whether it changed since it was
// last loaded, cleared or saved. The file, find, font and print modules do the work.
#include "editor/editor_window.h"
#include "editor/editor_file.h"
#include "editor/editor_find.h"
#include "editor/editor_font.h"
#include "editor/editor_print.h"
#include "editor/editor_resource.h"
#include "frame/frame.h"

#include <commdlg.h>

static struct {
    app_frame frame; // frame.dialog is the open Find or Replace dialog
    HWND edit;
    BOOL needs_save;
    wchar_t file_name[EDITOR_PATH_CHARS];
    wchar_t title_name[EDITOR_PATH_CHARS];
    UINT find_replace_message;
    int search_offset;
} g;

static const wchar_t untitled[] = L"(untitled)";

static const wchar_t* shown_title() {
    return g.title_name[0] ? g.title_name : untitled;
}

static void set_caption(HWND hwnd) {
    size_t start = rt.temp_top;
    temp_push(g.frame.class_name);
    temp_push(L" - ");
    temp_push(shown_title());
    SetWindowTextW(hwnd, temp_text(start));
    rt.temp_top = start;
}

static void ok_message(const wchar_t* text) {
    frame_message(&g.frame, text, MB_OK | MB_ICONEXCLAMATION);
}

// text + the title (as it is, empty for an untitled document) + tail.
static void titled_message(const wchar_t* text, const wchar_t* tail) {
    size_t start = rt.temp_top;
    temp_push(text);
    temp_push(g.title_name);
    temp_push(tail);
    ok_message(temp_text(start));
    rt.temp_top = start;
}

static int ask_about_save(HWND hwnd) {
    size_t start = rt.temp_top;
    temp_push(L"Save current changes in ");
    temp_push(shown_title());
    temp_push(L"?");
    int answer = frame_message(&g.frame, temp_text(start), MB_YESNOCANCEL | MB_ICONQUESTION);
    rt.temp_top = start;
    if (answer == IDYES && !SendMessageW(hwnd, WM_COMMAND, IDM_SAVE, 0)) answer = IDCANCEL;
    return answer;
}

// The changes may be dropped: nothing changed, or the user saved them or let them go.
static bool may_discard(HWND hwnd) {
    return !g.needs_save || ask_about_save(hwnd) != IDCANCEL;
}

static void forget_names() {
    g.file_name[0] = 0;
    g.title_name[0] = 0;
}

static void open_document(HWND hwnd) {
    if (!read_text_file(g.edit, g.file_name)) {
        titled_message(L"Could not read file ", L"!");
        forget_names();
    }
    set_caption(hwnd);
    g.needs_save = FALSE;
}

static LRESULT save(bool ask_name, HWND hwnd) {
    if (ask_name || !g.file_name[0]) {
        if (!save_file_dialog(hwnd, g.file_name, g.title_name)) return 0;
        set_caption(hwnd);
    }
    if (write_text_file(g.edit, g.file_name)) {
        g.needs_save = FALSE;
        return 1;
    }
    titled_message(L"Could not write file ", L"");
    return 0;
}

static INT_PTR CALLBACK about_dialog_proc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND:
        // Only OK (or Enter) closes the box: Esc's IDCANCEL is ignored.
        if (LOWORD(wp) == IDOK) {
            EndDialog(dlg, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

static void search_command(HWND hwnd, int id) {
    DWORD end = 0;
    SendMessageW(g.edit, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&end));
    g.search_offset = int(end);
    if (id == IDM_REPLACE)
        g.frame.dialog = open_replace_dialog(hwnd);
    else if (id == IDM_NEXT && has_find_text())
        find_next_text(g.edit, &g.search_offset); // nothing is shown when there is no more
    else
        g.frame.dialog = open_find_dialog(hwnd);
}

static void not_found() {
    ok_message(L"Text not found!");
    SetFocus(g.frame.dialog);
}

static LRESULT on_find_replace(const FINDREPLACEW* r) {
    if (r->Flags & FR_DIALOGTERM) g.frame.dialog = nullptr;
    if (r->Flags & FR_FINDNEXT) {
        if (!find_in_text(g.edit, &g.search_offset, r)) not_found();
    }
    if (r->Flags & (FR_REPLACE | FR_REPLACEALL)) {
        if (!replace_in_text(g.edit, &g.search_offset, r)) not_found();
    }
    if (r->Flags & FR_REPLACEALL) {
        while (replace_in_text(g.edit, &g.search_offset, r)) {
        }
    }
    return 0;
}

static void on_init_menu_popup(HMENU menu, LPARAM index) {
    if (index == 1) {
        DWORD start = 0, end = 0;
        SendMessageW(g.edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        UINT sel = start != end ? MF_ENABLED : MF_GRAYED;
        EnableMenuItem(menu, IDM_UNDO,
                       SendMessageW(g.edit, EM_CANUNDO, 0, 0) ? MF_ENABLED : MF_GRAYED);
        EnableMenuItem(menu, IDM_PASTE,
                       IsClipboardFormatAvailable(CF_TEXT) ? MF_ENABLED : MF_GRAYED);
        EnableMenuItem(menu, IDM_CUT, sel);
        EnableMenuItem(menu, IDM_COPY, sel);
        EnableMenuItem(menu, IDM_DELETE, sel);
    } else if (index == 2) {
        UINT state = g.frame.dialog ? MF_GRAYED : MF_ENABLED;
        EnableMenuItem(menu, IDM_FIND, state);
        EnableMenuItem(menu, IDM_NEXT, state);
        EnableMenuItem(menu, IDM_REPLACE, state);
    }
}

static LRESULT on_edit_notification(HWND hwnd, WPARAM wp, LPARAM lp) {
    switch (HIWORD(wp)) {
    case EN_UPDATE: g.needs_save = TRUE; return 0;
    case EN_ERRSPACE:
    case EN_MAXTEXT:
        frame_message(&g.frame, L"Edit control out of space.", MB_OK | MB_ICONERROR);
        return 0;
    }
    return DefWindowProcW(hwnd, WM_COMMAND, wp, lp);
}

static LRESULT on_command(HWND hwnd, WPARAM wp, LPARAM lp) {
    if (lp && LOWORD(wp) == IDC_EDIT) return on_edit_notification(hwnd, wp, lp);
    switch (LOWORD(wp)) {
    case IDM_NEW:
        if (!may_discard(hwnd)) return 0;
        SetWindowTextW(g.edit, L"");
        forget_names();
        set_caption(hwnd);
        g.needs_save = FALSE;
        return 0;
    case IDM_OPEN:
        if (!may_discard(hwnd)) return 0;
        if (open_file_dialog(hwnd, g.file_name, g.title_name)) {
            open_document(hwnd);
        } else {
            set_caption(hwnd);
            g.needs_save = FALSE;
        }
        return 0;
    case IDM_SAVE: return save(false, hwnd);
    case IDM_SAVEAS: return save(true, hwnd);
    case IDM_PRINT:
        if (!print_document(rt.module, hwnd, g.edit, g.title_name))
            titled_message(L"Could not print file ", L"");
        return 0;
    case IDM_EXIT: SendMessageW(hwnd, WM_CLOSE, 0, 0); return 0;
    case IDM_UNDO: SendMessageW(g.edit, WM_UNDO, 0, 0); return 0;
    case IDM_CUT: SendMessageW(g.edit, WM_CUT, 0, 0); return 0;
    case IDM_COPY: SendMessageW(g.edit, WM_COPY, 0, 0); return 0;
    case IDM_PASTE: SendMessageW(g.edit, WM_PASTE, 0, 0); return 0;
    case IDM_DELETE: SendMessageW(g.edit, WM_CLEAR, 0, 0); return 0;
    case IDM_SELALL: SendMessageW(g.edit, EM_SETSEL, 0, -1); return 0;
    case IDM_FIND:
    case IDM_NEXT:
    case IDM_REPLACE: search_command(hwnd, LOWORD(wp)); return 0;
    case IDM_FONT:
        if (choose_editor_font(hwnd)) apply_editor_font(g.edit);
        return 0;
    case IDM_HELP: ok_message(L"Help not yet implemented!"); return 0;
    case IDM_ABOUT: DialogBoxParamW(rt.module, L"AboutBox", hwnd, about_dialog_proc, 0); return 0;
    }
    return DefWindowProcW(hwnd, WM_COMMAND, wp, lp);
}

static LRESULT on_create(HWND hwnd) {
    g.edit =
        CreateWindowExW(0, L"Edit", nullptr,
                        WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | WS_BORDER | ES_LEFT |
                            ES_MULTILINE | ES_NOHIDESEL | ES_AUTOHSCROLL | ES_AUTOVSCROLL,
                        0, 0, 0, 0, hwnd, reinterpret_cast<HMENU>(IDC_EDIT), rt.module, nullptr);
    if (!g.edit) return -1;
    SendMessageW(g.edit, EM_LIMITTEXT, 32000, 0);
    file_dialog_init(hwnd);
    font_init(g.edit);
    g.find_replace_message = find_register_message();
    set_caption(hwnd);
    return 0;
}

static LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: return on_create(hwnd);
    case WM_SETFOCUS: SetFocus(g.edit); return 0;
    case WM_SIZE: MoveWindow(g.edit, 0, 0, LOWORD(lp), HIWORD(lp), TRUE); return 0;
    case WM_INITMENUPOPUP: on_init_menu_popup(reinterpret_cast<HMENU>(wp), lp); return 0;
    case WM_COMMAND: return on_command(hwnd, wp, lp);
    case WM_CLOSE:
        if (may_discard(hwnd)) DestroyWindow(hwnd);
        return 0;
    case WM_QUERYENDSESSION: return may_discard(hwnd) ? 1 : 0;
    case WM_DESTROY:
        font_cleanup();
        PostQuitMessage(0);
        return 0;
    }
    if (msg == g.find_replace_message && msg != 0)
        return on_find_replace(reinterpret_cast<const FINDREPLACEW*>(lp));
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// The file named on the command line, after the program's own name (quoted or not); surrounding
// quotes of the file name are dropped.
static bool command_line_file(const wchar_t* cmd, wchar_t* path) {
    const wchar_t* p = cmd;
    if (*p == L'"') {
        p++;
        while (*p && *p != L'"')
            p++;
        if (*p) p++;
    } else {
        while (*p && *p != L' ' && *p != L'\t')
            p++;
    }
    while (*p == L' ' || *p == L'\t')
        p++;
    if (!*p) return false;
    size_t start = rt.temp_top;
    temp_push(p);
    wchar_t* name = temp_text(start);
    size_t len = str_length(name);
    while (len && (name[len - 1] == L' ' || name[len - 1] == L'\t'))
        name[--len] = 0;
    if (len >= 2 && name[0] == L'"' && name[len - 1] == L'"') {
        name[len - 1] = 0;
        name++;
    }
    DWORD got = *name ? GetFullPathNameW(name, EDITOR_PATH_CHARS, path, nullptr) : 0;
    rt.temp_top = start;
    return got > 0 && got < EDITOR_PATH_CHARS;
}

static void open_command_line_file(HWND hwnd) {
    if (!command_line_file(GetCommandLineW(), g.file_name)) return;
    const wchar_t* title = g.file_name;
    for (const wchar_t* p = g.file_name; *p; p++)
        if (*p == L'\\' || *p == L'/') title = p + 1;
    lstrcpynW(g.title_name, title, EDITOR_PATH_CHARS);
    open_document(hwnd);
}

void editor_main() {
    process_start(&g, sizeof g, USES_BLOCKS);
    frame_init(&g.frame, L"zentaro", L"Zentaro", wnd_proc);
    g.frame.wc.hIcon = LoadIconW(rt.module, g.frame.class_name);
    frame_use_class_menu(&g.frame);
    if (frame_register(&g.frame) &&
        frame_create(&g.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                     CW_USEDEFAULT, CW_USEDEFAULT, const_cast<wchar_t*>(GetCommandLineW()))) {
        open_command_line_file(g.frame.hwnd);
        frame_loop_find_accelerators(&g.frame);
    }
    process_end(frame_exit_code(&g.frame));
}
