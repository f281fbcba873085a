#include "harness/text_view.h"
#include "harness/probe.h"

#include <sstream>

namespace harness {

void start_text_log(HWND hwnd) {
    EXPECT_EQ(probe(hwnd, PROBE_TEXT_LOG_START), L"1") << "cannot watch the program's TextOutW";
}

std::vector<text_call> text_log(HWND hwnd) {
    std::wstring all = probe(hwnd, PROBE_TEXT_LOG);
    std::vector<text_call> calls;
    size_t pos = 0;
    while (pos < all.size()) {
        size_t end = all.find(L'\n', pos);
        if (end == std::wstring::npos) end = all.size();
        std::wstring line = all.substr(pos, end - pos);
        pos = end + 1;
        size_t t1 = line.find(L'\t'), t2 = line.find(L'\t', t1 + 1), t3 = line.find(L'\t', t2 + 1);
        if (t3 == std::wstring::npos) continue;
        calls.push_back({std::stoi(line.substr(0, t1)), std::stoi(line.substr(t1 + 1, t2 - t1 - 1)),
                         UINT(std::stoul(line.substr(t2 + 1, t3 - t2 - 1))), line.substr(t3 + 1)});
    }
    return calls;
}

std::string last_ansi_text(HWND hwnd) {
    const std::wstring text = probe(hwnd, PROBE_LAST_ANSI_TEXT);
    std::string bytes;
    for (wchar_t c : text)
        bytes += char(c);
    return bytes;
}

const text_call* find_call(const std::vector<text_call>& log, const std::wstring& text) {
    for (const auto& c : log)
        if (c.text == text) return &c;
    return nullptr;
}

font_measures system_font_measures() {
    HDC dc = CreateCompatibleDC(nullptr);
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    DeleteDC(dc);
    font_measures m;
    m.cx_char = tm.tmAveCharWidth;
    m.cx_caps = (tm.tmPitchAndFamily & 1) ? m.cx_char * 3 / 2 : m.cx_char;
    m.cy_char = tm.tmHeight + tm.tmExternalLeading;
    return m;
}

std::wstring number_column(long long value, size_t width) {
    std::wstring s = std::to_wstring(value);
    if (s.size() < width) s.insert(0, width - s.size(), L' ');
    return s;
}

} // namespace harness
