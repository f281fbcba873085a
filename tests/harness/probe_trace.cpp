// Message tracing inside a program: every message its windows receive, recorded as compact
// binary records (tools/trace/trace_records.h) into a file the program maps, so that the cost per
// message is a few copies and what was recorded survives the program being ended from outside.
// Decoding and naming happen outside the program (tools/trace).
//
// A desktop-wide CBT hook (probe_trace_hook) reaches the program at its first window, before that
// window's first message; it then hooks the thread's sent messages before and after their
// procedures (WH_CALLWNDPROC, WH_CALLWNDPROCRET) and the posted ones as the loop takes them
// (WH_GETMESSAGE). Only the program named in the trace request (trace_records.h) records, into the
// file it names.
#include <windows.h>
#include <commdlg.h>
#include <string.h>
#include "probe.h"
#include "trace_records.h"

namespace {

const uint32_t capacity = 16u << 20;

trace_file_head* file; // the mapped file; null while the process does not record
uint64_t started;      // the process's creation time, in 100 ns units
UINT find_message;     // the find dialog's registered message
UINT probe_message;    // the harness's own questions, not the program's
DWORD tls = TLS_OUT_OF_INDEXES;
volatile LONG opening; // the first window's thread opens the file; others wait for nothing

// Per thread: the sent messages in progress and the posted messages being handled. A message is
// shown one level inside the innermost one in progress. A posted message's handling has no end the
// hooks see; it is over when the loop that took it comes back for another. A loop inside its
// handling (a dialog's, a message box's, a menu's) runs deeper on the stack than the loop that
// took it, so the stack address at which a loop takes a message tells which loop it is.
struct posted_open {
    uintptr_t stack;       // where the loop that took it was on the stack
    uint32_t depth, level; // the sent messages in progress then, and the level it is shown at
};

struct thread_state {
    uint32_t depth;  // sent messages in progress
    uint32_t posted; // posted messages being handled, each inside the one before
    posted_open taken[32];
    HHOOK hooks[3];
    trace_msg* nccreate; // the last WM_NCCREATE recorded, whose name WM_CREATE checks
    struct {
        uint32_t shown_at, posted; // and what was being handled when it came
    } open[128];

    // The posted message being handled inside the innermost sent one, if any.
    const posted_open* handling() const {
        const posted_open* p = posted ? &taken[posted - 1] : nullptr;
        return p && p->depth == depth ? p : nullptr;
    }
    uint32_t sent_level() const {
        return depth ? open[depth <= 128 ? depth - 1 : 127].shown_at + 1 : 0;
    }
};

// Two takings by the same loop may reach the hook through calls of slightly different depth
// (GetMessage and PeekMessage); a loop inside a message's handling is far deeper.
const uintptr_t same_loop_slack = 256;

// Windows already described, by handle (open addressing; 1 marks a freed slot).
const unsigned seen_size = 4096;
uint64_t seen[seen_size];

uint32_t now() {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    const uint64_t t = (uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return uint32_t((t - started) / 80); // 8 us units: 9.5 hours fit
}

// A record's kind is stored last, once the rest is in place: a reader meeting a zero kind knows
// the record is still being written.
void publish(uint16_t* kind_field, uint16_t kind) {
    __atomic_store_n(kind_field, kind, __ATOMIC_RELEASE);
}

// Room for one record, or null when the file is full (the record is then counted as dropped).
void* claim(uint16_t kind, uint32_t size) {
    if (!file) return nullptr;
    LONG at = InterlockedExchangeAdd(reinterpret_cast<volatile LONG*>(&file->used), LONG(size));
    if (uint32_t(at) + size > file->capacity) {
        InterlockedExchangeAdd(reinterpret_cast<volatile LONG*>(&file->used), -LONG(size));
        InterlockedIncrement(reinterpret_cast<volatile LONG*>(&file->dropped));
        return nullptr;
    }
    auto* rec = reinterpret_cast<trace_rec*>(reinterpret_cast<char*>(file + 1) + at);
    rec->time_us8 = now();
    rec->size = uint16_t(size);
    publish(&rec->kind, kind);
    return rec;
}

void copy_text(uint16_t* to, unsigned room, const wchar_t* from) {
    unsigned i = 0;
    for (; from && from[i] && i + 1 < room; i++)
        to[i] = uint16_t(from[i]);
    to[i] = 0;
}

bool own_code(const void* address) {
    HMODULE module = nullptr;
    return address &&
           GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                  GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              static_cast<LPCWSTR>(address), &module) &&
           module == GetModuleHandleW(nullptr);
}

// The window's class, id, caption and whose procedure it runs. InternalGetWindowText sends no
// message, so describing a window never adds to what it receives.
void describe(HWND hwnd) {
    auto* w = static_cast<trace_window*>(claim(0, sizeof(trace_window)));
    if (!w) return;
    w->hwnd = uint64_t(uintptr_t(hwnd));
    w->parent = uint64_t(uintptr_t(GetAncestor(hwnd, GA_PARENT)));
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    w->style = uint32_t(style);
    w->id = (style & WS_CHILD) ? uint64_t(GetWindowLongPtrW(hwnd, GWLP_ID)) : 0;
    wchar_t text[64] = L"";
    GetClassNameW(hwnd, text, 64);
    copy_text(w->class_name, 32, text);
    const bool dialog = wcscmp(text, L"#32770") == 0;
    text[0] = 0;
    InternalGetWindowText(hwnd, text, 64);
    copy_text(w->caption, TRACE_TEXT_CHARS, text);
    const LONG_PTR proc = GetWindowLongPtrW(hwnd, dialog ? DWLP_DLGPROC : GWLP_WNDPROC);
    w->own = own_code(reinterpret_cast<const void*>(proc)) ? 1 : 0;
    publish(&w->head.kind, TRACE_WINDOW);
}

// Describes the window the first time it is met (or again when `again`).
void meet(HWND hwnd, bool again) {
    const uint64_t key = uint64_t(uintptr_t(hwnd));
    unsigned i = unsigned(key >> 2) % seen_size, free_slot = seen_size;
    for (unsigned n = 0; n < seen_size; n++, i = (i + 1) % seen_size) {
        if (seen[i] == key) {
            if (again) describe(hwnd);
            return;
        }
        if (seen[i] == 1 && free_slot == seen_size) free_slot = i;
        if (seen[i] == 0) {
            seen[free_slot == seen_size ? i : free_slot] = key;
            break;
        }
    }
    describe(hwnd);
}

void forget(HWND hwnd) {
    const uint64_t key = uint64_t(uintptr_t(hwnd));
    unsigned i = unsigned(key >> 2) % seen_size;
    for (unsigned n = 0; n < seen_size && seen[i]; n++, i = (i + 1) % seen_size)
        if (seen[i] == key) {
            seen[i] = 1;
            return;
        }
}

void name_registered(UINT message) {
    static UINT named[64];
    static unsigned count;
    for (unsigned i = 0; i < count; i++)
        if (named[i] == message) return;
    if (count < 64) named[count++] = message;
    auto* n = static_cast<trace_name*>(claim(0, sizeof(trace_name)));
    if (!n) return;
    n->message = message;
    // Registered messages and clipboard formats share one table of names.
    wchar_t text[64] = L"";
    GetClipboardFormatNameW(message, text, 64);
    copy_text(n->name, 64, text);
    publish(&n->head.kind, TRACE_NAME);
}

// What the parameters point to, for the messages whose pointers carry what matters.
uint32_t extra_of(UINT message, LPARAM lp, bool after, trace_msg* m) {
    if (!lp) return EXTRA_NONE;
    switch (message) {
    case WM_NCCREATE:
    case WM_CREATE: {
        if (after) return EXTRA_NONE;
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lp);
        m->rect[0] = cs->x, m->rect[1] = cs->y, m->rect[2] = cs->cx, m->rect[3] = cs->cy;
        m->a[0] = uint32_t(cs->style), m->a[1] = cs->dwExStyle;
        if (!IS_INTRESOURCE(cs->lpszName)) copy_text(m->text, TRACE_TEXT_CHARS, cs->lpszName);
        return EXTRA_CREATE;
    }
    case WM_SETTEXT:
        if (after) return EXTRA_NONE;
        copy_text(m->text, TRACE_TEXT_CHARS, reinterpret_cast<const wchar_t*>(lp));
        return EXTRA_TEXT;
    case WM_DRAWITEM: {
        if (after) return EXTRA_NONE;
        const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        m->a[0] = d->CtlType, m->a[1] = d->CtlID, m->a[2] = d->itemID;
        m->a[3] = d->itemAction, m->a[4] = d->itemState;
        m->rect[0] = d->rcItem.left, m->rect[1] = d->rcItem.top;
        m->rect[2] = d->rcItem.right, m->rect[3] = d->rcItem.bottom;
        return EXTRA_DRAWITEM;
    }
    case WM_MEASUREITEM: {
        if (!after) return EXTRA_NONE;
        const auto* d = reinterpret_cast<const MEASUREITEMSTRUCT*>(lp);
        m->a[0] = d->CtlType, m->a[1] = d->CtlID, m->a[2] = d->itemID;
        m->a[3] = d->itemWidth, m->a[4] = d->itemHeight;
        return EXTRA_MEASURE;
    }
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED: {
        if (after) return EXTRA_NONE;
        const auto* p = reinterpret_cast<const WINDOWPOS*>(lp);
        m->rect[0] = p->x, m->rect[1] = p->y, m->rect[2] = p->cx, m->rect[3] = p->cy;
        m->a[0] = p->flags;
        return EXTRA_WINDOWPOS;
    }
    case WM_NOTIFY: {
        if (after) return EXTRA_NONE;
        const auto* n = reinterpret_cast<const NMHDR*>(lp);
        m->a[0] = uint32_t(n->idFrom), m->a[1] = n->code;
        return EXTRA_NOTIFY;
    }
    }
    if (message == find_message && !after) {
        const auto* f = reinterpret_cast<const FINDREPLACEW*>(lp);
        m->a[0] = f->Flags;
        copy_text(m->text, TRACE_TEXT_CHARS, f->lpstrFindWhat);
        return EXTRA_FIND;
    }
    return EXTRA_NONE;
}

trace_msg* record(uint16_t kind, HWND hwnd, UINT message, WPARAM wp, LPARAM lp, LRESULT result,
                  uint32_t depth) {
    trace_msg m;
    m.depth = depth;
    m.message = message;
    m.hwnd = uint64_t(uintptr_t(hwnd));
    m.wparam = uint64_t(wp);
    m.lparam = uint64_t(lp);
    m.result = uint64_t(result);
    m.thread = GetCurrentThreadId();
    m.extra = extra_of(message, lp, kind == TRACE_RETURN, &m);
    const uint32_t size = m.extra == EXTRA_NONE ? TRACE_MSG_SHORT : sizeof m;
    auto* to = static_cast<trace_msg*>(claim(0, size));
    if (!to) return nullptr;
    memcpy(reinterpret_cast<char*>(to) + sizeof(trace_rec),
           reinterpret_cast<const char*>(&m) + sizeof(trace_rec), size - sizeof(trace_rec));
    publish(&to->head.kind, kind);
    return to;
}

// A window's name is what its text becomes while it is created. Wine 8 hands the hooks of a
// window created without a name (an edit control, a combo box's list) a name pointing at
// whatever lies there; Windows hands null. So by its first WM_CREATE, a name its text does not
// match is no name at all: it is cleared there and in the window's WM_NCCREATE.
void check_name(trace_msg* create, trace_msg* nccreate, HWND hwnd) {
    wchar_t text[TRACE_TEXT_CHARS] = L"";
    InternalGetWindowText(hwnd, text, TRACE_TEXT_CHARS);
    for (unsigned i = 0; i < TRACE_TEXT_CHARS; i++) {
        if (create->text[i] == text[i] && !text[i]) return;
        if (create->text[i] != text[i]) break;
    }
    create->text[0] = 0;
    if (nccreate && nccreate->hwnd == create->hwnd && nccreate->extra == EXTRA_CREATE)
        nccreate->text[0] = 0;
}

bool ignored(UINT message) {
    // The harness's questions and the null messages it sends to wait for the program.
    return message == WM_NULL || message == probe_message;
}

thread_state* state() {
    return static_cast<thread_state*>(TlsGetValue(tls));
}

LRESULT CALLBACK on_sent(int code, WPARAM wp, LPARAM lp) {
    thread_state* t = state();
    if (code == HC_ACTION && t && file) {
        const auto* c = reinterpret_cast<const CWPSTRUCT*>(lp);
        // A message another thread sends while this one waits for its next message does not
        // belong to the posted message handled before; one sent while it is handled does.
        const posted_open* p = t->handling();
        const uint32_t shown_at = !p                               ? t->sent_level()
                                  : (t->depth || !InSendMessage()) ? p->level + 1
                                                                   : p->level;
        if (!ignored(c->message)) {
            meet(c->hwnd, false);
            if (c->message >= 0xC000) name_registered(c->message);
            trace_msg* r =
                record(TRACE_SENT, c->hwnd, c->message, c->wParam, c->lParam, 0, shown_at);
            if (c->message == WM_NCCREATE) t->nccreate = r;
            if (c->message == WM_CREATE && r && r->extra == EXTRA_CREATE)
                check_name(r, t->nccreate, c->hwnd);
        }
        if (t->depth < 128) t->open[t->depth] = {shown_at, t->posted};
        t->depth++;
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK on_returned(int code, WPARAM wp, LPARAM lp) {
    thread_state* t = state();
    if (code == HC_ACTION && t && file) {
        // lResult is what the procedure returned. Wine 8 hands 0 here for some messages whose
        // procedure returned more (WM_NCCREATE, WM_GETTEXT); Windows hands the procedure's.
        const auto* c = reinterpret_cast<const CWPRETSTRUCT*>(lp);
        if (t->depth) t->depth--;
        uint32_t shown_at = t->depth;
        if (t->depth < 128) {
            shown_at = t->open[t->depth].shown_at;
            t->posted = t->open[t->depth].posted;
        }
        if (!ignored(c->message)) {
            record(TRACE_RETURN, c->hwnd, c->message, c->wParam, c->lParam, c->lResult, shown_at);
            switch (c->message) {
            case WM_CREATE:
            case WM_INITDIALOG:
            case WM_SETTEXT: meet(c->hwnd, true); break;
            case WM_NCDESTROY: forget(c->hwnd); break;
            }
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK on_posted(int code, WPARAM wp, LPARAM lp) {
    thread_state* t = state();
    if (code == HC_ACTION && wp == PM_REMOVE && t && file) {
        const auto* m = reinterpret_cast<const MSG*>(lp);
        // The loop came back for another: what it and the loops inside it took has been handled.
        const uintptr_t here = reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
        while (const posted_open* p = t->handling()) {
            if (p->stack > here + same_loop_slack) break; // taken by a loop this one runs inside
            t->posted--;
        }
        if (m->hwnd && !ignored(m->message)) {
            meet(m->hwnd, false);
            if (m->message >= 0xC000) name_registered(m->message);
            const posted_open* p = t->handling();
            const uint32_t level = p ? p->level + 1 : t->sent_level();
            if (t->posted < 32) t->taken[t->posted++] = {here, t->depth, level};
            record(TRACE_POSTED, m->hwnd, m->message, m->wParam, m->lParam, 0, level);
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

bool open_file() {
    wchar_t exe[MAX_PATH] = L"";
    trace_request asked;
    HANDLE request = OpenFileMappingW(FILE_MAP_READ, FALSE, TRACE_REQUEST_NAME);
    if (!request) return false;
    const void* shared = MapViewOfFile(request, FILE_MAP_READ, 0, 0, sizeof asked);
    CloseHandle(request);
    if (!shared) return false;
    memcpy(&asked, shared, sizeof asked);
    UnmapViewOfFile(shared);
    asked.exe[259] = asked.file[259] = 0;
    if (!GetModuleFileNameW(nullptr, exe, MAX_PATH)) return false;
    const wchar_t* base = wcsrchr(exe, L'\\');
    base = base ? base + 1 : exe;
    if (_wcsicmp(base, asked.exe) != 0) return false;
    HANDLE f =
        CreateFileW(asked.file, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    const DWORD total = sizeof(trace_file_head) + capacity;
    HANDLE map = CreateFileMappingW(f, nullptr, PAGE_READWRITE, 0, total, nullptr);
    CloseHandle(f);
    if (!map) return false;
    void* view = MapViewOfFile(map, FILE_MAP_WRITE, 0, 0, total);
    CloseHandle(map);
    if (!view) return false;
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    started = (uint64_t(created.dwHighDateTime) << 32) | created.dwLowDateTime;
    find_message = RegisterWindowMessageW(FINDMSGSTRINGW);
    probe_message = RegisterWindowMessageW(PROBE_MESSAGE_NAME);
    auto* head = static_cast<trace_file_head*>(view);
    memcpy(head->magic, TRACE_MAGIC, 8);
    head->capacity = capacity;
    head->bits = sizeof(void*) * 8;
    head->pid = GetCurrentProcessId();
    file = head;
    return true;
}

void hook_thread() {
    if (tls == TLS_OUT_OF_INDEXES || TlsGetValue(tls)) return;
    auto* t = static_cast<thread_state*>(
        HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(thread_state)));
    if (!t) return;
    TlsSetValue(tls, t);
    // Hooks of the thread itself, whose procedures are in this process: no module is named.
    const DWORD thread = GetCurrentThreadId();
    t->hooks[0] = SetWindowsHookExW(WH_CALLWNDPROC, on_sent, nullptr, thread);
    t->hooks[1] = SetWindowsHookExW(WH_CALLWNDPROCRET, on_returned, nullptr, thread);
    t->hooks[2] = SetWindowsHookExW(WH_GETMESSAGE, on_posted, nullptr, thread);
}

} // namespace

// Set as a CBT hook for the whole desktop by ./run --trace and the tests that read a trace.
extern "C" __declspec(dllexport) LRESULT CALLBACK probe_trace_hook(int code, WPARAM wp, LPARAM lp) {
    if (InterlockedCompareExchange(&opening, 1, 0) == 0) {
        // Decided once per process: a process not named keeps no state and records nothing.
        if (open_file()) tls = TlsAlloc();
        InterlockedExchange(&opening, 2);
    }
    if (file && opening == 2) hook_thread();
    return CallNextHookEx(nullptr, code, wp, lp);
}

// The probe leaves a process: when the process ends normally, the trace says so.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_DETACH && file) {
        claim(TRACE_END, sizeof(trace_rec));
        FlushViewOfFile(file, 0);
        file = nullptr;
    }
    return TRUE;
}
