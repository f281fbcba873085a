#include "harness/text_view.h"

using namespace harness;

namespace {

struct cell_measures {
    int cx, cy;
};

// A cell of the stock fixed-pitch system font.
cell_measures fixed_cell() {
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    DeleteDC(dc);
    return {tm.tmAveCharWidth, tm.tmHeight + tm.tmExternalLeading};
}

// The line for one mapping mode, computed here from a screen device context: the name in 20
// characters, then left, right, top and bottom of a client area of this size in 8 characters each.
std::wstring mode_line(const wchar_t* name, int mode, int width, int height) {
    HDC dc = GetDC(nullptr);
    SaveDC(dc);
    SetMapMode(dc, mode);
    POINT p[2] = {{0, 0}, {width, height}};
    DPtoLP(dc, p, 2);
    RestoreDC(dc, -1);
    ReleaseDC(nullptr, dc);
    std::wstring line = name;
    line.resize(20, L' ');
    for (long v : {p[0].x, p[1].x, p[0].y, p[1].y})
        line += L" " + number_column(v, 7);
    return line;
}

const struct {
    int mode;
    const wchar_t* name;
} modes[] = {{MM_TEXT, L"TEXT (pixels)"},
             {MM_LOMETRIC, L"LOMETRIC (.1 mm)"},
             {MM_HIMETRIC, L"HIMETRIC (.01 mm)"},
             {MM_LOENGLISH, L"LOENGLISH (.01 in)"},
             {MM_HIENGLISH, L"HIENGLISH (.001 in)"},
             {MM_TWIPS, L"TWIPS (1/1440 in)"}};

const wchar_t heading[] = L"Mapping Mode            Left   Right     Top  Bottom";
const wchar_t underline[] = L"------------            ----   -----     ---  ------";

std::vector<std::wstring> expected_lines(HWND hwnd) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    std::vector<std::wstring> lines{heading, underline};
    for (const auto& m : modes)
        lines.push_back(mode_line(m.name, m.mode, rc.right, rc.bottom));
    return lines;
}

// The table as it should look: line i of the table in the cell row i + 1, one cell in from the
// left, in the fixed-pitch font.
image expected_image(int w, int h, const std::vector<std::wstring>& lines) {
    const cell_measures c = fixed_cell();
    return render(w, h, [&](HDC dc) {
        SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
        for (size_t i = 0; i < lines.size(); i++)
            TextOutW(dc, c.cx, c.cy * int(i + 1), lines[i].c_str(), int(lines[i].size()));
    });
}

void expect_table(HWND hwnd, const wchar_t* name) {
    // On the screen as the program left it, and the text calls of one full repaint.
    image shown = capture_client(hwnd);
    start_text_log(hwnd);
    capture_repainted(hwnd);
    const std::vector<std::wstring> lines = expected_lines(hwnd);
    std::vector<text_call> log = text_log(hwnd);
    ASSERT_EQ(log.size(), 8u);
    for (size_t i = 0; i < 8; i++) {
        EXPECT_EQ(log[i].text, lines[i]) << "line " << i;
        EXPECT_EQ(log[i].x, fixed_cell().cx) << "one cell in";
        EXPECT_EQ(log[i].y, fixed_cell().cy * int(i + 1)) << "cell rows 1 to 8";
    }
    image want = expected_image(shown.width, shown.height, lines);
    int differing = 0;
    for (size_t i = 0; i < shown.px.size(); i++)
        differing += is_dark(shown.px[i]) != is_dark(want.px[i]);
    if (differing) {
        save_bmp(shown, std::wstring(name) + L"-shown.bmp");
        save_bmp(want, std::wstring(name) + L"-wanted.bmp");
    }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(bounds(want, is_dark).right, 40 * fixed_cell().cx) << "the reference was not drawn";
}

} // namespace

TEST(ostrane, text_mode_line_painted_with_the_client_size) {
    app a;
    HWND hwnd = launch(a, L"ostrane");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"What Size is the Window?");
    resize(hwnd, 640, 400);
    RECT rc;
    GetClientRect(hwnd, &rc);
    start_text_log(hwnd);
    InvalidateRect(hwnd, nullptr, TRUE);
    settle(hwnd);
    const std::vector<text_call> log = text_log(hwnd);
    const text_call* line = nullptr;
    for (const auto& c : log)
        if (c.text.rfind(L"TEXT (pixels)", 0) == 0) line = &c;
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text, L"TEXT (pixels)       " + number_column(0, 8) +
                              number_column(rc.right, 8) + number_column(0, 8) +
                              number_column(rc.bottom, 8));
    EXPECT_EQ(line->text.size(), 52u);
    EXPECT_EQ(line->y, 3 * fixed_cell().cy);
}

TEST(ostrane, six_modes_painted_under_the_heading_and_new_values_after_a_resize) {
    app a;
    HWND hwnd = launch(a, L"ostrane");
    ASSERT_NE(hwnd, nullptr);
    resize(hwnd, 600, 300);
    expect_table(hwnd, L"ostrane-600");
    // Metric and English units grow upwards: top 0, bottom negative.
    const std::vector<std::wstring> lines = expected_lines(hwnd);
    EXPECT_NE(lines[3].find(L"-"), std::wstring::npos);
    EXPECT_EQ(lines[2].find(L"-"), std::wstring::npos);
    resize(hwnd, 700, 420);
    expect_table(hwnd, L"ostrane-700");
}
