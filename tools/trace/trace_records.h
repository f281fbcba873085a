// The layout of a message trace as the probe records it inside a traced program: a header, then
// records one after another, each a whole number of 8-byte units. The fields are fixed-width and
// handles are widened to 64 bits, so one decoder reads what the 32- and the 64-bit builds record.
// The probe only copies numbers and short texts; naming and decoding happen in the decoder.
#pragma once

#include <stddef.h>
#include <stdint.h>

#define TRACE_MAGIC "MSGTRC1"

// What to record is asked through a named block of shared memory, which the process that sets the
// probe's hook holds while it traces, rather than through the environment: the traced program
// must not see anything of its tracing (a program may show its environment). Names of up to
// MAX_PATH characters, each ending with a null.
#define TRACE_REQUEST_NAME L"Local\\suite_trace_request"
struct trace_request {
    wchar_t exe[260];  // the file name of the program to record ("quenlor.exe")
    wchar_t file[260]; // where it writes its records
};

// The file is mapped by the traced program, so what it recorded is on disk even if the program is
// ended from outside. `used` counts the bytes of records written so far.
struct trace_file_head {
    char magic[8];
    uint32_t capacity; // bytes of records the file holds after the header
    uint32_t used;     // bytes of records written (each record complete before it is counted)
    uint32_t dropped;  // records that found the file full
    uint32_t bits;     // 32 or 64: the program's build
    uint64_t pid;
};

enum trace_kind : uint16_t {
    TRACE_SENT = 1,   // a sent message, before its procedure runs
    TRACE_RETURN = 2, // the same message after it, with the procedure's result
    TRACE_POSTED = 3, // a posted message, as the message loop takes it
    TRACE_WINDOW = 4, // what a window is: recorded when first seen and when its caption changes
    TRACE_NAME = 5,   // the name of a registered message
    TRACE_END = 6,    // the program ended normally
};

struct trace_rec {
    uint16_t kind;
    uint16_t size;     // of the whole record
    uint32_t time_us8; // time since the program started, in units of 8 microseconds
};

// What a pointer parameter points to, copied when the message is recorded (which one depends on
// the message; `extra` in trace_msg tells).
enum trace_extra : uint32_t {
    EXTRA_NONE = 0,
    EXTRA_CREATE = 1,    // CREATESTRUCT: x, y, cx, cy, style, ex_style, text = window name
    EXTRA_TEXT = 2,      // WM_SETTEXT: text
    EXTRA_DRAWITEM = 3,  // a[0..4] = type, id, item, action, state; rect
    EXTRA_MEASURE = 4,   // a[0..4] = type, id, item, width, height (after the call)
    EXTRA_WINDOWPOS = 5, // rect = x, y, cx, cy; a[0] = flags
    EXTRA_NOTIFY = 6,    // a[0] = id, a[1] = code
    EXTRA_FIND = 7,      // FINDREPLACE: a[0] = flags, text = the text to find
};

#define TRACE_TEXT_CHARS 40

struct trace_msg {
    trace_rec head;
    uint32_t depth; // sent messages in progress on the thread (plus one inside a posted one)
    uint32_t message;
    uint64_t hwnd, wparam, lparam;
    uint64_t result; // TRACE_RETURN only
    uint32_t extra;  // trace_extra
    uint32_t thread;
    // Present when extra is not EXTRA_NONE.
    int32_t rect[4];
    uint32_t a[6];
    uint16_t text[TRACE_TEXT_CHARS];
};

#define TRACE_MSG_SHORT (sizeof(trace_msg) - 4 * 4 - 6 * 4 - TRACE_TEXT_CHARS * 2)

struct trace_window {
    trace_rec head;
    uint64_t hwnd, parent, id;
    uint32_t own; // 1 when the procedure (a dialog's: its dialog procedure) is the program's own
    uint32_t style;
    uint16_t class_name[32];
    uint16_t caption[TRACE_TEXT_CHARS];
};

struct trace_name {
    trace_rec head;
    uint32_t message, pad;
    uint16_t name[64];
};

// One layout for both builds: the 32-bit build lays these out as the 64-bit one does.
static_assert(sizeof(trace_file_head) == 32, "header size");
static_assert(offsetof(trace_msg, hwnd) == 16 && sizeof(trace_msg) == 176, "message record");
static_assert(offsetof(trace_window, hwnd) == 8 && sizeof(trace_window) == 184, "window record");
static_assert(sizeof(trace_msg) % 8 == 0 && TRACE_MSG_SHORT % 8 == 0, "record sizes");
static_assert(sizeof(trace_window) % 8 == 0 && sizeof(trace_name) % 8 == 0, "record sizes");
