#include "harness/menu_views.h"

namespace harness {

static std::vector<std::wstring> lines_of(const std::wstring& text) {
    std::vector<std::wstring> out;
    size_t at = 0;
    for (size_t end; (end = text.find(L'\n', at)) != std::wstring::npos; at = end + 1)
        out.push_back(text.substr(at, end - at));
    return out;
}

static std::vector<std::wstring> fields_of(const std::wstring& line) {
    std::vector<std::wstring> out;
    size_t at = 0;
    for (size_t end; (end = line.find(L'\t', at)) != std::wstring::npos; at = end + 1)
        out.push_back(line.substr(at, end - at));
    out.push_back(line.substr(at));
    return out;
}

std::vector<std::wstring> environment_of(HWND hwnd) {
    return lines_of(probe(hwnd, PROBE_ENVIRONMENT));
}

popup_view read_popup(HWND hwnd) {
    popup_view v;
    std::vector<std::wstring> lines = lines_of(probe(hwnd, PROBE_POPUP_MENU));
    if (lines.empty()) return v;
    v.shown = true;
    std::vector<std::wstring> corner = fields_of(lines[0]);
    v.at = {std::stoi(corner[0]), std::stoi(corner[1])};
    for (size_t i = 1; i < lines.size(); i++) {
        std::vector<std::wstring> f = fields_of(lines[i]);
        if (f.size() < 4) continue;
        v.items.push_back({std::stoi(f[0]), std::stoi(f[1]), UINT(std::stoul(f[2])), f[3]});
    }
    return v;
}

struct popup_search {
    DWORD pid;
    bool found;
};

static BOOL CALLBACK find_popup(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<popup_search*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == s->pid && IsWindowVisible(hwnd) && class_of(hwnd) == L"#32768") s->found = true;
    return !s->found;
}

bool wait_popup(app& a, bool shown, DWORD timeout_ms) {
    return wait_until(
        [&] {
            popup_search s{a.pid(), false};
            EnumWindows(find_popup, reinterpret_cast<LPARAM>(&s));
            return s.found == shown;
        },
        timeout_ms);
}

menu_bitmaps read_menu_bitmaps(HWND hwnd) {
    menu_bitmaps m;
    std::vector<bitmap_item>* into = &m.bar;
    for (const std::wstring& line : lines_of(probe(hwnd, PROBE_MENU_BITMAPS))) {
        if (line == L"system") {
            into = &m.system;
            continue;
        }
        std::vector<std::wstring> f = fields_of(line);
        if (f.size() < 5) continue;
        into->push_back({std::stoi(f[0]), std::stoi(f[1]), UINT(std::stoul(f[2])),
                         UINT(std::stoul(f[3])), f[4]});
    }
    return m;
}

std::pair<int, int> close_counting_bitmaps(HWND hwnd) {
    std::vector<std::wstring> f = fields_of(probe(hwnd, PROBE_CLOSE_COUNTING_BITMAPS));
    if (f.size() != 2) return {-1, -1};
    return {std::stoi(f[0]), std::stoi(f[1])};
}

std::vector<std::wstring> list_items(HWND list) {
    std::vector<std::wstring> out;
    DWORD_PTR count = 0;
    SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
    for (WPARAM i = 0; i < count; i++) {
        DWORD_PTR len = 0;
        SendMessageTimeoutW(list, LB_GETTEXTLEN, i, 0, SMTO_ABORTIFHUNG, 5000, &len);
        std::wstring s(len + 1, L'\0');
        DWORD_PTR got = 0;
        SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(s.data()),
                            SMTO_ABORTIFHUNG, 5000, &got);
        s.resize(got == DWORD_PTR(LB_ERR) ? 0 : got);
        out.push_back(s);
    }
    return out;
}

SIZE text_extent(const std::wstring& text, int stock_font) {
    SIZE size{};
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(stock_font));
    GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
    SelectObject(dc, old);
    DeleteDC(dc);
    return size;
}

int text_difference(const image& shown, int x, int y, const std::wstring& text, int stock_font,
                    COLORREF ink, COLORREF paper, int columns) {
    SIZE size = text_extent(text, stock_font);
    if (columns > 0 && !text.empty()) size.cx = size.cx / LONG(text.size()) * columns;
    image want = render(size.cx, size.cy, [&](HDC dc) {
        RECT all{0, 0, size.cx, size.cy};
        HBRUSH b = CreateSolidBrush(paper);
        FillRect(dc, &all, b);
        DeleteObject(b);
        HGDIOBJ old = SelectObject(dc, GetStockObject(stock_font));
        SetTextColor(dc, ink);
        SetBkMode(dc, TRANSPARENT);
        TextOutW(dc, 0, 0, text.c_str(), int(text.size()));
        SelectObject(dc, old);
    });
    int differ = 0;
    for (int j = 0; j < size.cy; j++)
        for (int i = 0; i < size.cx; i++) {
            const int sx = x + i, sy = y + j;
            if (sx < 0 || sy < 0 || sx >= shown.width || sy >= shown.height) continue;
            if (shown.at(sx, sy) != want.at(i, j)) differ++;
        }
    if (differ) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        save_bmp(shown, std::wstring(temp) + L"text_shown.bmp");
        save_bmp(want, std::wstring(temp) + L"text_wanted.bmp");
    }
    return differ;
}

bool all_colour(const image& img, const RECT& r, uint32_t colour) {
    for (int y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, img.height); y++)
        for (int x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, img.width); x++)
            if (img.at(x, y) != colour) return false;
    return true;
}

} // namespace harness

namespace harness {

// Posted only: what reads the result next (a probe question, a capture, a wait for a box) comes
// after it in the program's queue.
void menu_command(HWND hwnd, int id) {
    PostMessageW(hwnd, WM_COMMAND, WPARAM(id), 0);
}

void system_command(HWND hwnd, WPARAM id) {
    PostMessageW(hwnd, WM_SYSCOMMAND, id, 0);
}

void expect_message_box(app& a, const std::wstring& caption, const std::wstring& text,
                        box_icon icon) {
    message_box box = wait_message_box(a);
    ASSERT_NE(box.hwnd, nullptr) << "no message box";
    EXPECT_EQ(box.caption, caption);
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(icon_of(box.hwnd), icon);
    press(box.hwnd, IDOK);
    EXPECT_TRUE(wait_until([&] { return !IsWindow(box.hwnd); }));
}

void expect_menu(const std::vector<menu_item>& got, const std::vector<item_row>& want) {
    EXPECT_EQ(got.size(), want.size()) << "items in the menu";
    for (size_t i = 0; i < std::min(got.size(), want.size()); i++) {
        SCOPED_TRACE("item " + std::to_string(i));
        EXPECT_EQ(got[i].depth, want[i].depth);
        EXPECT_EQ(got[i].id, want[i].id);
        // Separators come back disabled and grayed as well under Wine; only their kind counts.
        if (want[i].state & MF_SEPARATOR)
            EXPECT_TRUE(got[i].state & MF_SEPARATOR);
        else
            EXPECT_EQ(got[i].state, want[i].state);
        EXPECT_EQ(got[i].text, want[i].text);
    }
}

} // namespace harness
