// The message trace decoder: names from the headers (scroll codes by orientation, dialog and
// user messages), parameters, results, group filters and folding.
#include "trace_format.h"
#include "trace_records.h"

#include <windows.h>
#include <gtest/gtest.h>
#include <string.h>

namespace {

trace::event sent(uint32_t message, uint64_t wp, uint64_t lp, uint64_t hwnd = 1) {
    trace::event e;
    e.kind = TRACE_SENT;
    e.message = message, e.wparam = wp, e.lparam = lp, e.hwnd = hwnd;
    return e;
}

trace::event returned(const trace::event& s, uint64_t result) {
    trace::event e = s;
    e.kind = TRACE_RETURN;
    e.result = result;
    return e;
}

// The lines the formatter gives for the events, each sent one answered with `result` at once.
std::vector<trace::line> lines_of(const trace::reader& r, const std::vector<trace::event>& events,
                                  unsigned groups = trace::ALL, uint64_t result = 0) {
    trace::formatter f(r, trace::options{groups, false});
    std::vector<trace::line> out;
    for (const auto& e : events) {
        f.add(e, out);
        if (e.kind == TRACE_SENT) f.add(returned(e, result), out);
    }
    f.finish(out);
    return out;
}

std::string one(const trace::reader& r, const trace::event& e, uint64_t result = 0) {
    auto l = lines_of(r, {e}, trace::ALL, result);
    return l.size() == 1 ? l[0].text.substr(11) : "(" + std::to_string(l.size()) + " lines)";
}

} // namespace

TEST(trace_format, names_parameters_and_results_decoded) {
    trace::reader r;
    trace::window_info button, dialog;
    button.class_name = "Button", button.id = 7, button.own = false;
    dialog.class_name = "#32770";
    r.windows = {{2, button}, {3, dialog}};
    r.names = {{0xC123, "commdlg_FindReplace"}};
    const struct {
        trace::event e;
        uint64_t result;
        const char* begins;
    } cases[] = {
        {sent(WM_VSCROLL, SB_LINEUP, 0), 0, "WM_VSCROLL SB_LINEUP "},
        {sent(WM_HSCROLL, SB_LINELEFT, 0), 0, "WM_HSCROLL SB_LINELEFT "},
        {sent(WM_HSCROLL, SB_RIGHT, 0), 0, "WM_HSCROLL SB_RIGHT "},
        {sent(WM_VSCROLL, SB_THUMBTRACK | (37 << 16), 2), 0,
         "WM_VSCROLL SB_THUMBTRACK pos=37 bar=Button#7 "},
        {sent(WM_COMMAND, 7 | (BN_CLICKED << 16), 2), 0,
         "WM_COMMAND id=7 BN_CLICKED ctl=Button#7 "},
        {sent(WM_COMMAND, 40001 | (1 << 16), 0), 0, "WM_COMMAND id=40001 accelerator "},
        {sent(WM_SYSCOMMAND, SC_CLOSE, 0), 0, "WM_SYSCOMMAND SC_CLOSE "},
        {sent(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(-3, 12)), 0,
         "WM_LBUTTONDOWN (-3,12) MK_LBUTTON|MK_SHIFT "},
        {sent(WM_MOUSEWHEEL, uint32_t(-120) << 16, MAKELPARAM(5, 6)), 0,
         "WM_MOUSEWHEEL delta=-120 (5,6) 0 "},
        {sent(WM_NCHITTEST, 0, MAKELPARAM(1, 2)), HTCAPTION,
         "WM_NCHITTEST (1,2)  [0x1, system] → HTCAPTION"},
        {sent(WM_KEYDOWN, VK_F1, 1 | (0x3B << 16)), 0, "WM_KEYDOWN VK_F1 repeat=1 scan=0x3b "},
        {sent(WM_CHAR, 'x', 3), 0, "WM_CHAR 'x' (0x78) repeat=3 "},
        {sent(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480)), 0, "WM_SIZE SIZE_MAXIMIZED 640x480 "},
        {sent(WM_USER + 5, 0, 0), 0, "WM_USER+5 "},
        {sent(WM_APP + 2, 0, 0), 0, "WM_APP+2 "},
        {sent(DM_GETDEFID, 0, 0, 3), 0, "DM_GETDEFID "},
        {sent(BM_SETCHECK, BST_CHECKED, 0, 2), 0, "BM_SETCHECK wp=0x1 lp=0x0 "},
        {sent(0xC123, 0, 0), 0, "commdlg_FindReplace "},
        {sent(0xC124, 0, 0), 0, "registered 0xc124 "},
    };
    for (const auto& c : cases) {
        trace::event e = c.e;
        if (const trace::window_info* w = r.find(e.hwnd)) e.window = *w;
        EXPECT_EQ(one(r, e, c.result).rfind(c.begins, 0), 0u) << one(r, e, c.result);
    }
}

// Groups keep only their messages; a nested message shows the result of the one around it on a
// line of its own; runs fold into one line (the last one's parameters) or one block.
TEST(trace_format, groups_nesting_and_folding) {
    trace::reader r;
    const auto paint = sent(WM_PAINT, 0, 0), key = sent(WM_KEYDOWN, 'A', 1);
    EXPECT_EQ(lines_of(r, {paint, key}, trace::KEYBOARD).size(), 1u);
    EXPECT_EQ(lines_of(r, {paint, key}, trace::KEYBOARD | trace::PAINT).size(), 2u);

    trace::formatter f(r, trace::options{});
    std::vector<trace::line> out;
    auto inner = sent(WM_ERASEBKGND, 0, 0);
    inner.depth = 1;
    for (const auto& e : {paint, inner, returned(inner, 1), returned(paint, 0)})
        f.add(e, out);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_NE(out[1].text.find("  WM_ERASEBKGND hdc=0x0  [0x1, system] → 1"), std::string::npos);
    EXPECT_NE(out[2].text.find("← WM_PAINT → 0"), std::string::npos);

    std::vector<trace::event> events;
    for (int i = 0; i < 5; i++) {
        trace::event move = sent(WM_MOUSEMOVE, 0, MAKELPARAM(i, 9));
        move.kind = TRACE_POSTED;
        events.push_back(move);
    }
    for (int i = 0; i < 3; i++) {
        trace::event down = sent(WM_KEYDOWN, VK_LEFT, 1), up = sent(WM_KEYUP, VK_LEFT, 1);
        down.kind = up.kind = TRACE_POSTED;
        events.push_back(down);
        events.push_back(up);
    }
    const auto folded = trace::fold(lines_of(r, events));
    ASSERT_EQ(folded.size(), 3u);
    EXPECT_NE(folded[0].find("WM_MOUSEMOVE ×5 (4,9)"), std::string::npos) << folded[0];
    EXPECT_NE(folded[1].find("WM_KEYDOWN VK_LEFT"), std::string::npos) << folded[1];
    EXPECT_NE(folded[1].find("(these 2 lines ×3)"), std::string::npos) << folded[1];
}

// The file as the probe writes it while the program runs: records are read up to one still being
// written (its kind not yet set), and from there once it is; a window is described before its
// messages; the end and the dropped count are noted; another file is no trace.
TEST(trace_format, reader_follows_a_file_being_written) {
    trace_file_head head{};
    memcpy(head.magic, TRACE_MAGIC, 8);
    head.capacity = 4096;
    head.dropped = 3;
    std::vector<char> bytes(sizeof head);
    auto append = [&](const void* rec, size_t size) {
        const size_t at = bytes.size();
        bytes.resize(at + size);
        memcpy(bytes.data() + at, rec, size);
        head.used += uint32_t(size);
        memcpy(bytes.data(), &head, sizeof head);
        return at;
    };
    trace_window w{};
    w.head = {TRACE_WINDOW, sizeof w, 0};
    w.hwnd = 0x42, w.id = 7, w.own = 1;
    for (int i = 0; i < 6; i++)
        w.class_name[i] = uint16_t("Button"[i]);
    append(&w, sizeof w);
    trace_msg m{};
    m.head = {TRACE_SENT, uint16_t(TRACE_MSG_SHORT), 125000}; // one second in
    m.message = WM_COMMAND, m.hwnd = 0x42, m.wparam = 7;
    append(&m, TRACE_MSG_SHORT);
    m.head.kind = 0, m.message = WM_PAINT;
    const size_t partial = append(&m, TRACE_MSG_SHORT);

    trace::reader r;
    size_t offset = 0;
    std::vector<trace::event> events;
    ASSERT_TRUE(r.read(bytes, offset, events));
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].message, uint32_t(WM_COMMAND));
    EXPECT_DOUBLE_EQ(events[0].seconds, 1.0);
    EXPECT_EQ(events[0].window.class_name, "Button");
    EXPECT_TRUE(events[0].window.own);
    EXPECT_EQ(r.dropped, 3u);
    EXPECT_EQ(offset, partial);
    EXPECT_FALSE(r.ended);

    const uint16_t posted = TRACE_POSTED;
    memcpy(bytes.data() + partial, &posted, sizeof posted);
    const trace_rec end{TRACE_END, sizeof(trace_rec), 0};
    append(&end, sizeof end);
    events.clear();
    ASSERT_TRUE(r.read(bytes, offset, events));
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].message, uint32_t(WM_PAINT));
    EXPECT_EQ(events[0].kind, TRACE_POSTED);
    EXPECT_TRUE(r.ended);
    EXPECT_EQ(offset, bytes.size());

    bytes[0] = 'X';
    offset = 0;
    EXPECT_FALSE(trace::reader().read(bytes, offset, events));
}
