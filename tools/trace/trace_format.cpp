#include "trace_format.h"
#include "trace_records.h"

#include <windows.h>
#include <stdio.h>
#include <string.h>
#include <initializer_list>

namespace trace {

namespace {

enum class name_group { msg, bn, en, lbn, cbn, sc, sb, vk, ht, size, wa, mk };

struct name_entry {
    name_group group;
    uint32_t value;
    const char* name;
};

// Generated at build time from the MinGW-w64 headers (message_names.py).
const name_entry names[] = {
#include "message_names.inc"
};

// The first name the headers give the value in the group, or, when `prefer` names parts, the
// first holding one of them (scroll codes: SB_LINELEFT and SB_LINEUP are one value).
const char* lookup(name_group g, uint32_t value, std::initializer_list<const char*> prefer = {}) {
    const char* first = nullptr;
    for (const auto& n : names)
        if (n.group == g && n.value == value) {
            for (const char* part : prefer)
                if (strstr(n.name, part)) return n.name;
            if (!first) first = n.name;
            if (prefer.size() == 0) break;
        }
    return first;
}

std::string format(const char* f, ...) __attribute__((format(printf, 1, 2)));
std::string format(const char* f, ...) {
    char buf[512];
    va_list args;
    va_start(args, f);
    vsnprintf(buf, sizeof buf, f, args);
    va_end(args);
    return buf;
}

std::string utf8(const std::wstring& w) {
    std::string out;
    for (size_t i = 0; i < w.size(); i++) {
        uint32_t c = w[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < w.size())
            c = 0x10000 + ((c - 0xD800) << 10) + (w[++i] - 0xDC00);
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6)), out += char(0x80 | (c & 63));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12)), out += char(0x80 | ((c >> 6) & 63));
            out += char(0x80 | (c & 63));
        } else {
            out += char(0xF0 | (c >> 18)), out += char(0x80 | ((c >> 12) & 63));
            out += char(0x80 | ((c >> 6) & 63)), out += char(0x80 | (c & 63));
        }
    }
    return out;
}

std::wstring text_of(const uint16_t* t, unsigned room) {
    std::wstring s;
    for (unsigned i = 0; i < room && t[i]; i++)
        s += wchar_t(t[i]);
    return s;
}

// A text in quotes, control characters escaped, at most `most` characters.
std::string quoted(const std::wstring& w, size_t most = 32) {
    std::wstring shown;
    for (wchar_t c : w.substr(0, most)) {
        if (c == L'\r')
            shown += L"\\r";
        else if (c == L'\n')
            shown += L"\\n";
        else if (c == L'\t')
            shown += L"\\t";
        else if (c < 32)
            shown += L'?';
        else
            shown += c;
    }
    return "\"" + utf8(shown) + (w.size() > most ? "…\"" : "\"");
}

std::string hex(uint64_t v) {
    return format("0x%llx", static_cast<unsigned long long>(v));
}

int16_t low_signed(uint64_t v) {
    return int16_t(v & 0xFFFF);
}
int16_t high_signed(uint64_t v) {
    return int16_t((v >> 16) & 0xFFFF);
}

std::string point(uint64_t lp) {
    return format("(%d,%d)", low_signed(lp), high_signed(lp));
}

// Flags as NAME|NAME from one group's single-bit values.
std::string flags(name_group g, uint32_t v) {
    std::string out;
    for (uint32_t bit = 1; bit; bit <<= 1)
        if (v & bit) {
            const char* n = lookup(g, bit);
            out += (out.empty() ? "" : "|") + (n ? std::string(n) : hex(bit));
        }
    return out.empty() ? "0" : out;
}

std::string vk_name(uint32_t vk) {
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return format("'%c'", char(vk));
    const char* n = lookup(name_group::vk, vk);
    return n ? n : hex(vk);
}

std::string key_data(uint64_t lp) {
    std::string s =
        format("repeat=%u scan=0x%02x", unsigned(lp & 0xFFFF), unsigned((lp >> 16) & 0xFF));
    if (lp & (1u << 24)) s += " extended";
    if (lp & (1u << 29)) s += " alt";
    if (lp & (1u << 30)) s += " was-down";
    if (lp & (1u << 31)) s += " released";
    return s;
}

std::string char_name(uint32_t c) {
    if (c >= 32 && c != 127)
        return quoted(std::wstring(1, wchar_t(c)))
                   .replace(0, 1, "'")
                   .replace(quoted(std::wstring(1, wchar_t(c))).size() - 1, 1, "'") +
               format(" (0x%x)", c);
    return format("0x%02x", c);
}

bool is_class(const window_info* w, const char* cls) {
    return w && _stricmp(w->class_name.c_str(), cls) == 0;
}

} // namespace

unsigned group_of(uint32_t m) {
    switch (m) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_DEADCHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
    case WM_SYSDEADCHAR:
    case WM_UNICHAR:
    case WM_HOTKEY:
    case WM_INPUTLANGCHANGE:
    case WM_INPUTLANGCHANGEREQUEST: return KEYBOARD;
    case WM_NCHITTEST:
    case WM_SETCURSOR:
    case WM_MOUSEACTIVATE:
    case WM_CAPTURECHANGED:
    case WM_MOUSEHOVER:
    case WM_MOUSELEAVE: return MOUSE;
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_ERASEBKGND:
    case WM_SYNCPAINT:
    case WM_PRINTCLIENT:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_ICONERASEBKGND:
    case WM_PAINTICON: return PAINT;
    case WM_TIMER: return TIMER;
    case WM_COMMAND:
    case WM_SYSCOMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_INITMENU:
    case WM_INITMENUPOPUP:
    case WM_MENUSELECT:
    case WM_MENUCHAR:
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
    case WM_UNINITMENUPOPUP:
    case WM_CONTEXTMENU: return COMMAND;
    case WM_PALETTECHANGED:
    case WM_PALETTEISCHANGING:
    case WM_QUERYNEWPALETTE: return PALETTE;
    case WM_INITDIALOG:
    case WM_GETDLGCODE:
    case WM_NEXTDLGCTL:
    case WM_ENTERIDLE: return DIALOG;
    }
    if (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) return MOUSE;
    if (m >= WM_NCMOUSEMOVE && m <= WM_NCXBUTTONDBLCLK) return MOUSE;
    if (m >= WM_CTLCOLORMSGBOX && m <= WM_CTLCOLORSTATIC) return PAINT;
    if (m >= WM_CUT && m <= WM_UNDO) return CLIPBOARD;
    if (m >= WM_RENDERFORMAT && m <= WM_ASKCBFORMATNAME) return CLIPBOARD;
    if (m == WM_CLIPBOARDUPDATE) return CLIPBOARD;
    if (m >= 0x400 && m < 0x410) return DIALOG; // DM_ messages, to dialogs
    if ((m >= 0xB0 && m < 0x100) || (m >= 0x140 && m < 0x1B0)) return COMMAND; // controls'
    if (m <= 0x0090 || (m >= WM_WINDOWPOSCHANGING && m <= WM_WINDOWPOSCHANGED) ||
        m == WM_GETMINMAXINFO || m == WM_SIZING || m == WM_MOVING || m == WM_ENTERSIZEMOVE ||
        m == WM_EXITSIZEMOVE)
        return m == WM_SETCURSOR ? MOUSE : WINDOW;
    return OTHER;
}

unsigned group_bits(const std::string& list) {
    static const struct {
        const char* name;
        unsigned bits;
    } groups[] = {{"keyboard", KEYBOARD},   {"mouse", MOUSE},     {"paint", PAINT},
                  {"timer", TIMER},         {"command", COMMAND}, {"window", WINDOW},
                  {"clipboard", CLIPBOARD}, {"palette", PALETTE}, {"dialog", DIALOG},
                  {"other", OTHER},         {"all", ALL}};
    unsigned bits = 0;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(',', start);
        if (end == std::string::npos) end = list.size();
        const std::string one = list.substr(start, end - start);
        unsigned found = 0;
        for (const auto& g : groups)
            if (one == g.name) found = g.bits;
        if (!found) return 0;
        bits |= found;
        start = end + 1;
    }
    return bits;
}

const window_info* reader::find(uint64_t hwnd) const {
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if (it->first == hwnd) return &it->second;
    return nullptr;
}

bool reader::read(const std::vector<char>& bytes, size_t& offset, std::vector<event>& out) {
    if (bytes.size() < sizeof(trace_file_head)) return false;
    trace_file_head head;
    memcpy(&head, bytes.data(), sizeof head);
    if (memcmp(head.magic, TRACE_MAGIC, 8) != 0) return false;
    dropped = head.dropped;
    const size_t end = sizeof head + std::min<size_t>(head.used, bytes.size() - sizeof head);
    if (offset < sizeof head) offset = sizeof head;
    while (offset + sizeof(trace_rec) <= end) {
        trace_rec rec;
        memcpy(&rec, bytes.data() + offset, sizeof rec);
        if (rec.kind == 0 || rec.size < sizeof rec || offset + rec.size > end) break;
        const char* p = bytes.data() + offset;
        const double seconds = rec.time_us8 * 8e-6;
        if (rec.kind == TRACE_WINDOW && rec.size >= sizeof(trace_window)) {
            trace_window w;
            memcpy(&w, p, sizeof w);
            window_info info;
            info.class_name = utf8(text_of(w.class_name, 32));
            info.caption = utf8(text_of(w.caption, TRACE_TEXT_CHARS));
            info.id = w.id;
            info.parent = w.parent;
            info.own = w.own != 0;
            windows.emplace_back(w.hwnd, info);
        } else if (rec.kind == TRACE_NAME && rec.size >= sizeof(trace_name)) {
            trace_name n;
            memcpy(&n, p, sizeof n);
            names.emplace_back(n.message, utf8(text_of(n.name, 64)));
        } else if (rec.kind == TRACE_END) {
            ended = true;
        } else if (rec.kind >= TRACE_SENT && rec.kind <= TRACE_POSTED &&
                   rec.size >= TRACE_MSG_SHORT) {
            trace_msg m{};
            memcpy(&m, p, std::min<size_t>(rec.size, sizeof m));
            event e;
            e.kind = rec.kind;
            e.seconds = seconds;
            e.depth = m.depth;
            e.message = m.message;
            e.hwnd = m.hwnd, e.wparam = m.wparam, e.lparam = m.lparam, e.result = m.result;
            e.extra = rec.size >= sizeof m ? m.extra : 0;
            memcpy(e.rect, m.rect, sizeof e.rect);
            memcpy(e.a, m.a, sizeof e.a);
            e.text = text_of(m.text, TRACE_TEXT_CHARS);
            if (const window_info* w = find(e.hwnd)) e.window = *w;
            out.push_back(e);
        }
        offset += rec.size;
    }
    return true;
}

std::string message_name(uint32_t m, const reader& r, const window_info* target) {
    if (m >= 0xC000) {
        for (const auto& n : r.names)
            if (n.first == m && !n.second.empty()) return n.second;
        return format("registered 0x%04x", m);
    }
    if (m >= WM_APP) return format("WM_APP+%u", m - WM_APP);
    if (m >= WM_USER) {
        if (is_class(target, "#32770"))
            if (const char* n = lookup(name_group::msg, m)) return n;
        return format("WM_USER+%u", m - WM_USER);
    }
    if (const char* n = lookup(name_group::msg, m)) return n;
    return format("0x%04x", m);
}

namespace {

std::string window_label(const window_info& w, uint64_t hwnd) {
    if (w.class_name.empty()) return hex(hwnd);
    std::string s = w.class_name;
    if (w.id) s += format("#%lld", static_cast<long long>(int64_t(w.id)));
    if (!w.caption.empty()) {
        // Short: the caption's first 24 characters (the record keeps 40).
        std::string q = w.caption.size() > 24 ? w.caption.substr(0, 24) + "…" : w.caption;
        s += " \"" + q + "\"";
    }
    return s;
}

std::string other_window(const reader& r, uint64_t hwnd) {
    if (!hwnd) return "0";
    const window_info* w = r.find(hwnd);
    if (!w) return hex(hwnd);
    std::string s = w->class_name;
    if (w->id) s += format("#%lld", static_cast<long long>(int64_t(w->id)));
    return s;
}

// The notification code of a WM_COMMAND, named by the kind of control that sent it.
std::string notification(uint32_t code, const window_info* ctl) {
    const char* n = nullptr;
    if (is_class(ctl, "Button"))
        n = lookup(name_group::bn, code);
    else if (is_class(ctl, "Edit"))
        n = lookup(name_group::en, code);
    else if (is_class(ctl, "ListBox"))
        n = lookup(name_group::lbn, code);
    else if (is_class(ctl, "ComboBox"))
        n = lookup(name_group::cbn, code);
    return n ? n : format("code=%u", code);
}

std::string params(const event& e, const reader& r) {
    const uint64_t wp = e.wparam, lp = e.lparam;
    const uint32_t m = e.message;
    if (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST && m != WM_MOUSEWHEEL && m != WM_MOUSEHWHEEL)
        return point(lp) + " " + flags(name_group::mk, uint32_t(wp & 0xFFFF));
    if (m >= WM_NCMOUSEMOVE && m <= WM_NCXBUTTONDBLCLK) {
        const char* ht = lookup(name_group::ht, uint32_t(wp));
        return std::string(ht ? ht : hex(wp)) + " " + point(lp);
    }
    if (m >= WM_CTLCOLORMSGBOX && m <= WM_CTLCOLORSTATIC)
        return "hdc=" + hex(wp) + " ctl=" + other_window(r, lp);
    switch (m) {
    case WM_NCCREATE:
    case WM_CREATE:
        if (e.extra != EXTRA_CREATE) break;
        return format("(%d,%d) %dx%d style=0x%08x exstyle=0x%x ", e.rect[0], e.rect[1], e.rect[2],
                      e.rect[3], e.a[0], e.a[1]) +
               quoted(e.text);
    case WM_SETTEXT: return e.extra == EXTRA_TEXT ? quoted(e.text) : "";
    case WM_SIZE: {
        const char* t = lookup(name_group::size, uint32_t(wp));
        return std::string(t ? t : hex(wp)) +
               format(" %ux%u", unsigned(lp & 0xFFFF), unsigned((lp >> 16) & 0xFFFF));
    }
    case WM_MOVE: return point(lp);
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED:
        if (e.extra != EXTRA_WINDOWPOS) break;
        return format("(%d,%d) %dx%d flags=0x%x", e.rect[0], e.rect[1], e.rect[2], e.rect[3],
                      e.a[0]);
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
        return format("delta=%d ", high_signed(wp)) + point(lp) + " " +
               flags(name_group::mk, uint32_t(wp & 0xFFFF));
    case WM_NCHITTEST: return point(lp);
    case WM_SETCURSOR: {
        const char* ht = lookup(name_group::ht, uint32_t(lp & 0xFFFF));
        return other_window(r, wp) + " " + (ht ? ht : hex(lp & 0xFFFF)) + " " +
               message_name(uint32_t((lp >> 16) & 0xFFFF), r);
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP: return vk_name(uint32_t(wp)) + " " + key_data(lp);
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
    case WM_UNICHAR: return char_name(uint32_t(wp)) + " " + key_data(lp);
    case WM_COMMAND: {
        const uint32_t id = uint32_t(wp & 0xFFFF), code = uint32_t((wp >> 16) & 0xFFFF);
        if (!lp) return format("id=%u ", id) + (code == 1 ? "accelerator" : "menu");
        return format("id=%u ", id) + notification(code, r.find(lp)) +
               " ctl=" + other_window(r, lp);
    }
    case WM_SYSCOMMAND: {
        const char* sc = lookup(name_group::sc, uint32_t(wp & 0xFFF0));
        return std::string(sc ? sc : hex(wp)) + (lp ? " " + point(lp) : "");
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
        const char* sb =
            m == WM_HSCROLL
                ? lookup(name_group::sb, uint32_t(wp & 0xFFFF), {"LEFT", "RIGHT"})
                : lookup(name_group::sb, uint32_t(wp & 0xFFFF), {"UP", "DOWN", "TOP", "BOTTOM"});
        std::string s = sb ? sb : hex(wp & 0xFFFF);
        if ((wp & 0xFFFF) == SB_THUMBTRACK || (wp & 0xFFFF) == SB_THUMBPOSITION)
            s += format(" pos=%u", unsigned((wp >> 16) & 0xFFFF));
        return s + (lp ? " bar=" + other_window(r, lp) : "");
    }
    case WM_TIMER:
        return format("id=%llu", static_cast<unsigned long long>(wp)) +
               (lp ? " proc=" + hex(lp) : "");
    case WM_DRAWITEM:
        if (e.extra != EXTRA_DRAWITEM) break;
        return format("ctl=%u item=%d action=0x%x state=0x%x (%d,%d)-(%d,%d)", e.a[1],
                      int32_t(e.a[2]), e.a[3], e.a[4], e.rect[0], e.rect[1], e.rect[2], e.rect[3]);
    case WM_MEASUREITEM: return format("ctl=%u", unsigned(wp));
    case WM_NOTIFY:
        if (e.extra != EXTRA_NOTIFY) break;
        return format("id=%u code=%d", e.a[0], int32_t(e.a[1]));
    case WM_SETFOCUS: return "from=" + other_window(r, wp);
    case WM_KILLFOCUS: return "to=" + other_window(r, wp);
    case WM_ACTIVATE: {
        const char* wa = lookup(name_group::wa, uint32_t(wp & 0xFFFF));
        return std::string(wa ? wa : hex(wp)) + ((wp >> 16) ? " minimized" : "") +
               " other=" + other_window(r, lp);
    }
    case WM_ACTIVATEAPP:
    case WM_NCACTIVATE:
    case WM_ENABLE:
    case WM_SHOWWINDOW: return wp ? "TRUE" : "FALSE";
    case WM_INITMENU: return "menu=" + hex(wp);
    case WM_INITMENUPOPUP:
        return "menu=" + hex(wp) + format(" index=%u", unsigned(lp & 0xFFFF)) +
               ((lp >> 16) ? " system" : "");
    case WM_MENUSELECT:
        return format("item=%u flags=0x%x menu=", unsigned(wp & 0xFFFF),
                      unsigned((wp >> 16) & 0xFFFF)) +
               hex(lp);
    case WM_INITDIALOG: return "focus=" + other_window(r, wp) + " param=" + hex(lp);
    case WM_PALETTECHANGED:
    case WM_PALETTEISCHANGING: return "by=" + other_window(r, wp);
    case WM_CHANGECBCHAIN: return "removed=" + other_window(r, wp) + " next=" + other_window(r, lp);
    case WM_DRAWCLIPBOARD:
    case WM_QUERYNEWPALETTE:
    case WM_DESTROY:
    case WM_NCDESTROY:
    case WM_CLOSE:
    case WM_PAINT:
    case WM_CANCELMODE:
    case WM_ENTERSIZEMOVE:
    case WM_EXITSIZEMOVE: return "";
    case WM_ERASEBKGND: return "hdc=" + hex(wp);
    case WM_RENDERFORMAT: return format("format=%u", unsigned(wp));
    case WM_CAPTURECHANGED: return "to=" + other_window(r, lp);
    case WM_GETTEXT: return format("max=%u", unsigned(wp));
    }
    if (e.extra == EXTRA_FIND) return format("flags=0x%x find=", e.a[0]) + quoted(e.text);
    if (!wp && !lp) return "";
    return "wp=" + hex(wp) + " lp=" + hex(lp);
}

std::string result_text(const event& e) {
    if (e.message == WM_NCHITTEST)
        if (const char* ht = lookup(name_group::ht, uint32_t(e.result))) return ht;
    const int64_t v = e.message == WM_CREATE || e.message == WM_NCCREATE || e.result < 0x10000 ||
                              int64_t(e.result) < 0
                          ? int64_t(e.result)
                          : 0;
    if (v || !e.result) return format("%lld", static_cast<long long>(v));
    return hex(e.result);
}

} // namespace

line formatter::format(const event& e, bool with_result) const {
    std::string name = message_name(e.message, r_, &e.window);
    std::string p = params(e, r_);
    std::string text = trace::format("%9.3f  ", e.seconds) + std::string(2 * e.depth, ' ') + name;
    if (!p.empty()) text += " " + p;
    text += "  [" + window_label(e.window, e.hwnd) + (e.window.own ? "" : ", system") + "]";
    if (e.kind == TRACE_POSTED) text += " posted";
    if (with_result) text += " → " + result_text(e);
    // A run repeats one message to one window; keys, characters, commands and timers repeat
    // only with the same key, character, command or timer, so that a run never hides which.
    const uint64_t which = group_of(e.message) & (MOUSE | PAINT | WINDOW) ? 0 : e.wparam;
    std::string key = trace::format("%d %u %u %llx %llx", e.kind, e.depth, e.message,
                                    static_cast<unsigned long long>(e.hwnd),
                                    static_cast<unsigned long long>(which));
    return {text, key};
}

void formatter::add(const event& e, std::vector<line>& lines) {
    const bool shown = (group_of(e.message) & o_.groups) != 0;
    if (pending_) {
        pending_ = false;
        if (e.kind == TRACE_RETURN && e.message == sent_.message && e.hwnd == sent_.hwnd) {
            event both = sent_;
            both.result = e.result;
            if (e.extra != EXTRA_NONE) { // filled in by the procedure (WM_MEASUREITEM)
                both.extra = e.extra;
                memcpy(both.a, e.a, sizeof both.a);
            }
            if (shown) lines.push_back(format(both, true));
            return;
        }
        if ((group_of(sent_.message) & o_.groups) != 0) lines.push_back(format(sent_, false));
    }
    if (e.kind == TRACE_SENT) {
        sent_ = e;
        pending_ = true;
    } else if (e.kind == TRACE_RETURN) {
        if (!shown) return;
        line l;
        l.text = trace::format("%9.3f  ", e.seconds) + std::string(2 * e.depth, ' ') + "← " +
                 message_name(e.message, r_, &e.window) + " → " + result_text(e);
        l.key = "return";
        lines.push_back(l);
    } else if (shown) {
        lines.push_back(format(e, false));
    }
}

void formatter::finish(std::vector<line>& lines) {
    if (pending_ && (group_of(sent_.message) & o_.groups)) lines.push_back(format(sent_, false));
    pending_ = false;
}

std::vector<std::string> texts(const std::vector<line>& lines) {
    std::vector<std::string> out;
    for (const auto& l : lines)
        out.push_back(l.text);
    return out;
}

std::vector<std::string> fold(const std::vector<line>& lines) {
    std::vector<std::string> out;
    size_t i = 0;
    while (i < lines.size()) {
        size_t best_k = 0, best_runs = 1;
        for (size_t k = 1; k <= 4 && i + 2 * k <= lines.size(); k++) {
            size_t runs = 1;
            while (i + (runs + 1) * k <= lines.size()) {
                bool same = true;
                for (size_t j = 0; j < k && same; j++)
                    same = lines[i + j].key == lines[i + runs * k + j].key &&
                           lines[i + j].key != "return";
                if (!same) break;
                runs++;
            }
            if (runs >= (k == 1 ? 2u : 3u) && runs * k > best_runs * best_k)
                best_k = k, best_runs = runs;
        }
        if (!best_k) {
            out.push_back(lines[i++].text);
            continue;
        }
        if (best_k == 1) {
            // The first line's time and name, the last one's parameters.
            const std::string& first = lines[i].text;
            const std::string& last = lines[i + best_runs - 1].text;
            const size_t name_end = first.find(' ', first.find_first_not_of(' ', 11));
            const size_t last_name_end = last.find(' ', last.find_first_not_of(' ', 11));
            out.push_back(first.substr(0, name_end) + format(" ×%u", unsigned(best_runs)) +
                          (last_name_end == std::string::npos ? "" : last.substr(last_name_end)));
        } else {
            for (size_t j = 0; j < best_k; j++)
                out.push_back(lines[i + j].text +
                              (j == 0 ? format("  (these %u lines ×%u)", unsigned(best_k),
                                               unsigned(best_runs))
                                      : ""));
        }
        i += best_k * best_runs;
    }
    return out;
}

std::vector<std::string> format_file(const std::wstring& path, const options& o,
                                     std::string* error) {
    std::vector<char> bytes;
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) {
        if (error) *error = "cannot open the trace";
        return {};
    }
    trace_file_head head{};
    DWORD got = 0;
    if (ReadFile(f, &head, sizeof head, &got, nullptr) && got == sizeof head) {
        const size_t size = sizeof head + std::min<size_t>(head.used, head.capacity);
        bytes.resize(size);
        memcpy(bytes.data(), &head, sizeof head);
        DWORD rest = 0;
        if (size > sizeof head)
            ReadFile(f, bytes.data() + sizeof head, DWORD(size - sizeof head), &rest, nullptr);
        bytes.resize(sizeof head + rest);
    }
    CloseHandle(f);
    reader r;
    std::vector<event> events;
    size_t offset = 0;
    if (!r.read(bytes, offset, events)) {
        if (error) *error = "not a message trace";
        return {};
    }
    formatter fm(r, o);
    std::vector<line> lines;
    for (const auto& e : events)
        fm.add(e, lines);
    fm.finish(lines);
    std::vector<std::string> out = o.fold ? fold(lines) : texts(lines);
    if (r.dropped) out.push_back(format("(%u messages more: the trace was full)", r.dropped));
    return out;
}

} // namespace trace
