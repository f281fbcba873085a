// Reading and decoding the message traces the probe records (trace_records.h): each message
// named from the MinGW-w64 headers' own definitions and its parameters decoded, one line each,
// indented by nesting.
#pragma once

#include <stdint.h>
#include <string>
#include <vector>

namespace trace {

// Message groups, chosen by name (group_bits); a message belongs to one.
enum group : unsigned {
    KEYBOARD = 1,
    MOUSE = 2,
    PAINT = 4,
    TIMER = 8,
    COMMAND = 16,
    WINDOW = 32,
    CLIPBOARD = 64,
    PALETTE = 128,
    DIALOG = 256,
    OTHER = 512,
    ALL = 1023,
};
// "keyboard,mouse" and the like; 0 for an unknown name.
unsigned group_bits(const std::string& names);
unsigned group_of(uint32_t message);

struct window_info {
    std::string class_name, caption;
    uint64_t id = 0, parent = 0;
    bool own = false;
};

struct event {
    int kind = 0; // TRACE_SENT, TRACE_RETURN, TRACE_POSTED
    double seconds = 0;
    uint32_t depth = 0, message = 0, extra = 0;
    uint64_t hwnd = 0, wparam = 0, lparam = 0, result = 0;
    int32_t rect[4] = {};
    uint32_t a[6] = {};
    std::wstring text;
    window_info window; // the window as it was then
};

// Reads the records of `bytes` from `offset` on (the file's first record when 0) and moves
// `offset` past the last complete one. Window descriptions and registered names are kept in `t`.
struct reader {
    std::vector<std::pair<uint64_t, window_info>> windows;
    std::vector<std::pair<uint32_t, std::string>> names;
    bool ended = false; // the program ended normally
    uint32_t dropped = 0;
    bool read(const std::vector<char>& bytes, size_t& offset, std::vector<event>& out);
    const window_info* find(uint64_t hwnd) const;
};

// The message's name: WM_, control and dialog messages by their header names, registered ones by
// their registered names, WM_USER+n and WM_APP+n otherwise.
std::string message_name(uint32_t message, const reader& r, const window_info* target = nullptr);

// One formatted line; `key` is what repeats in a run (message, window, depth, sent or posted),
// `text` the line as shown.
struct line {
    std::string text, key;
};

struct options {
    unsigned groups = ALL;
    bool fold = false; // runs of one repeated message (or block of messages) as one line
};

// Formats events as text lines. A sent message whose procedure sent nothing else gets its result
// on its own line; one that did has its result on a line of its own after the nested ones. Keeps
// state between calls, so events can be given as they arrive.
class formatter {
public:
    formatter(const reader& r, const options& o) : r_(r), o_(o) {}
    void add(const event& e, std::vector<line>& lines);
    void finish(std::vector<line>& lines); // the last message still waiting
private:
    line format(const event& e, bool with_result) const;
    const reader& r_;
    options o_;
    bool pending_ = false;
    event sent_;
};

// Folds runs: one line repeated (the same message to the same window at the same depth) becomes
// that line marked "×N" with the last one's parameters; a block of two to four lines repeated
// three times or more is shown once, marked with its count.
std::vector<std::string> fold(const std::vector<line>& lines);
std::vector<std::string> texts(const std::vector<line>& lines);

// The whole file, formatted. Empty with `error` set when it is no trace.
std::vector<std::string> format_file(const std::wstring& path, const options& o,
                                     std::string* error = nullptr);

} // namespace trace
