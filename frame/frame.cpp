#include "frame/frame.h"

// The process's one frame.
static app_frame* the_frame;

// The class's procedure: the frame learns its window from the window's first message, so that a
// box shown while the window is being created (from WM_CREATE) is already owned by it. Every
// message then goes on to the program's procedure.
static LRESULT CALLBACK frame_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (!the_frame->hwnd) the_frame->hwnd = hwnd;
    return the_frame->proc(hwnd, msg, wp, lp);
}

void frame_init(app_frame* f, const wchar_t* class_name, const wchar_t* caption, WNDPROC proc) {
    the_frame = f;
    f->proc = proc;
    str_assign(&f->class_name, class_name);
    str_assign(&f->caption, caption);
    WNDCLASSW& wc = f->wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = frame_proc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = rt.module;
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = f->class_name;
}

void frame_use_class_menu(app_frame* f) {
    str_assign(&f->menu_name, f->class_name);
    f->wc.lpszMenuName = f->menu_name;
}

// Owned by the main window, so the box is modal to it, from the window's first message on; before
// the window exists (the start-up failures) it has no owner.
int frame_message(const app_frame* f, const wchar_t* text, UINT flags) {
    return MessageBoxW(f->hwnd, text, f->class_name, flags);
}

// A start-up failure box must wait for the user. A window whose WM_CREATE failed was destroyed at
// once, and its WM_DESTROY posted the quit message: left pending, that message would end the box's
// own loop before anyone saw it.
static void failure_message(app_frame* f, const wchar_t* text) {
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    frame_message(f, text, MB_ICONERROR);
}

bool frame_register(app_frame* f) {
    if (RegisterClassW(&f->wc)) return true;
    failure_message(f, L"Cannot register window class!");
    return false;
}

// The show command the process was started with is deliberately not used.
static bool show_main_window(app_frame* f) {
    if (!f->hwnd) {
        failure_message(f, L"Unable to create main window.");
        return false;
    }
    ShowWindow(f->hwnd, SW_SHOW);
    // No visible effect in the end: it paints the window before the loop starts rather than on
    // the loop's first turn.
    UpdateWindow(f->hwnd);
    return true;
}

bool frame_create(app_frame* f, DWORD style, int x, int y, int width, int height, void* param) {
    f->hwnd = CreateWindowExW(0, f->class_name, f->caption, style, x, y, width, height, nullptr,
                              nullptr, rt.module, param);
    return show_main_window(f);
}

bool frame_create_dialog(app_frame* f, const wchar_t* template_name) {
    f->hwnd = CreateDialogParamW(rt.module, template_name, nullptr, nullptr, 0);
    return show_main_window(f);
}

static void dispatch(MSG* msg) {
    TranslateMessage(msg);
    DispatchMessageW(msg);
}

void frame_loop(app_frame* f) {
    while (GetMessageW(&f->msg, nullptr, 0, 0) > 0)
        dispatch(&f->msg);
}

static void load_accelerators(app_frame* f) {
    f->accel = LoadAcceleratorsW(rt.module, f->class_name);
}

void frame_loop_accelerators(app_frame* f) {
    load_accelerators(f);
    while (GetMessageW(&f->msg, nullptr, 0, 0) > 0)
        if (!TranslateAcceleratorW(f->hwnd, f->accel, &f->msg)) dispatch(&f->msg);
}

void frame_loop_find_accelerators(app_frame* f) {
    load_accelerators(f);
    while (GetMessageW(&f->msg, nullptr, 0, 0) > 0) {
        if (f->dialog && IsDialogMessageW(f->dialog, &f->msg)) continue;
        if (!TranslateAcceleratorW(f->hwnd, f->accel, &f->msg)) dispatch(&f->msg);
    }
}

void frame_loop_modeless(app_frame* f, const wchar_t* template_name, DLGPROC proc) {
    f->dialog = CreateDialogParamW(rt.module, template_name, f->hwnd, proc, 0);
    while (GetMessageW(&f->msg, nullptr, 0, 0) > 0)
        if (!f->dialog || !IsDialogMessageW(f->dialog, &f->msg)) dispatch(&f->msg);
}

void frame_loop_idle(app_frame* f, void (*idle)()) {
    for (;;) {
        if (PeekMessageW(&f->msg, nullptr, 0, 0, PM_REMOVE)) {
            if (f->msg.message == WM_QUIT) break;
            dispatch(&f->msg);
        } else {
            idle();
        }
    }
}
