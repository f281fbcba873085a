// Head walked through a folder tree of the test's own: items opened by double click and by Enter,
// the path line and the file's first bytes compared on the screen with the same text drawn here.
#include "harness/menu_views.h"
#include "harness/text_view.h"

#include <algorithm>
#include <fstream>

using namespace harness;

namespace {

const int LIST = 1, PATH = 2;

std::string big_text() {
    std::string s;
    for (int i = 0; s.size() < 9000; i++)
        s += "Line " + std::to_string(i) + ":\tthe quick brown fox jumps over the lazy dog.\r\n";
    return s;
}

void write_file(const std::wstring& path, const std::string& bytes) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD done = 0;
    WriteFile(f, bytes.data(), DWORD(bytes.size()), &done, nullptr);
    CloseHandle(f);
}

// Folder names of every length a name can have: one character, and the longest a name can be.
const std::wstring short_name(1, L'S'), long_name(255, L'L');

struct browser {
    app a;
    HWND hwnd = nullptr, list = nullptr, path = nullptr;
    LONG cx = LOWORD(GetDialogBaseUnits()), cy = HIWORD(GetDialogBaseUnits());

    void start() {
        a.prepare = [](const std::wstring& dir) {
            write_file(dir + L"\\big.txt", big_text());
            write_file(dir + L"\\gone.txt", "soon gone");
            write_file(dir + L"\\locked.txt", "locked away");
            CreateDirectoryW((dir + L"\\inner").c_str(), nullptr);
            write_file(dir + L"\\inner\\small.txt", "A small file\r\nof two lines.");
            CreateDirectoryW((dir + L"\\" + short_name).c_str(), nullptr);
            CreateDirectoryW((L"\\\\?\\" + dir + L"\\" + long_name).c_str(), nullptr);
        };
        hwnd = launch(a, L"head");
        if (!hwnd) return;
        list = GetDlgItem(hwnd, LIST);
        path = GetDlgItem(hwnd, PATH);
    }

    // Selects the item with a click, the item scrolled to the top of the list first.
    bool select(const std::wstring& item, POINT* at = nullptr) {
        std::vector<std::wstring> items = list_items(list);
        auto it = std::find(items.begin(), items.end(), item);
        if (it == items.end()) return false;
        const int index = int(it - items.begin());
        DWORD_PTR r = 0, height = 0, top = 0;
        SendMessageTimeoutW(list, LB_SETTOPINDEX, WPARAM(index), 0, SMTO_ABORTIFHUNG, 5000, &r);
        SendMessageTimeoutW(list, LB_GETITEMHEIGHT, 0, 0, SMTO_ABORTIFHUNG, 5000, &height);
        SendMessageTimeoutW(list, LB_GETTOPINDEX, 0, 0, SMTO_ABORTIFHUNG, 5000, &top);
        POINT p{5, int((index - int(top)) * int(height) + int(height) / 2)};
        post_click(list, p.x, p.y);
        if (at) *at = p;
        return true;
    }
    bool enter(const std::wstring& item) {
        if (!select(item)) return false;
        post_key(list, VK_RETURN);
        return true;
    }
    bool double_click(const std::wstring& item) {
        POINT p;
        if (!select(item, &p)) return false;
        const LPARAM at = MAKELPARAM(p.x, p.y);
        PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        PostMessageW(list, WM_LBUTTONUP, 0, at);
        sync(list);
        return true;
    }

    RECT text_rect(const image& shown) const {
        return {27 * cx + GetSystemMetrics(SM_CXVSCROLL), 3 * cy, shown.width, shown.height};
    }
    // The file's text as the program must draw it, over the whole drawing rectangle.
    int text_difference_of(const image& shown, const std::string& bytes) const {
        RECT r = text_rect(shown);
        image want = render(shown.width, shown.height, [&](HDC dc) {
            RECT all{0, 0, shown.width, shown.height};
            FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
            SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            DrawTextA(dc, bytes.data(), int(bytes.size()), &r,
                      DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP | DT_NOPREFIX);
        });
        int differ = 0;
        for (int y = r.top; y < r.bottom; y++)
            for (int x = r.left; x < r.right; x++)
                if (shown.at(x, y) != want.at(x, y)) differ++;
        if (differ) save_bmp(shown, a.dir() + L"\\..\\head_shown.bmp");
        return differ;
    }
    bool text_area_blank(const image& shown) const {
        return all_colour(shown, text_rect(shown), px_of(GetSysColor(COLOR_BTNFACE)));
    }
    // The path line, on the screen as in the control.
    void expect_path(const image& shown, const std::wstring& want) const {
        EXPECT_EQ(text_of(path), want);
        EXPECT_EQ(text_difference(shown, 0, cy, want, SYSTEM_FONT, GetSysColor(COLOR_WINDOWTEXT),
                                  GetSysColor(COLOR_BTNFACE)),
                  0)
            << "the path line on the screen";
    }
};

bool has(const std::vector<std::wstring>& items, const std::wstring& item) {
    return std::find(items.begin(), items.end(), item) != items.end();
}

} // namespace

TEST(head, walks_into_a_folder_and_back_and_shows_the_first_8192_bytes_of_a_file) {
    browser b;
    b.start();
    ASSERT_NE(b.hwnd, nullptr);
    ASSERT_NE(b.list, nullptr);
    ASSERT_NE(b.path, nullptr);
    EXPECT_EQ(text_of(b.hwnd), L"Head");
    const std::wstring dir = b.a.dir();
    image shown = capture_client(b.hwnd);
    b.expect_path(shown, dir);
    EXPECT_TRUE(b.text_area_blank(shown));
    std::vector<std::wstring> top = list_items(b.list);
    for (const wchar_t* item : {L"[..]", L"[inner]", L"big.txt", L"gone.txt", L"locked.txt"})
        EXPECT_TRUE(has(top, item)) << "no item " << std::string(item, item + wcslen(item));
    EXPECT_TRUE(has(top, L"[-c-]"));

    // A double click on a file: its path and its first 8192 bytes (most of them drawn below the
    // window's edge, so the text drawn is read inside the program too).
    start_text_log(b.hwnd);
    ASSERT_TRUE(b.double_click(L"big.txt"));
    shown = capture_client(b.hwnd);
    b.expect_path(shown, dir + L"\\big.txt");
    EXPECT_EQ(b.text_difference_of(shown, big_text().substr(0, 8192)), 0);
    EXPECT_EQ(last_ansi_text(b.hwnd), big_text().substr(0, 8192));

    // Enter on a folder: the folder's items, its path, and no file shown.
    ASSERT_TRUE(b.enter(L"[inner]"));
    shown = capture_client(b.hwnd);
    b.expect_path(shown, dir + L"\\inner");
    std::vector<std::wstring> inner = list_items(b.list);
    EXPECT_TRUE(has(inner, L"small.txt"));
    EXPECT_FALSE(has(inner, L"big.txt"));
    EXPECT_TRUE(b.text_area_blank(shown));

    ASSERT_TRUE(b.enter(L"small.txt"));
    shown = capture_client(b.hwnd);
    b.expect_path(shown, dir + L"\\inner\\small.txt");
    EXPECT_EQ(b.text_difference_of(shown, "A small file\r\nof two lines."), 0);

    // [..] goes back up.
    ASSERT_TRUE(b.double_click(L"[..]"));
    shown = capture_client(b.hwnd);
    b.expect_path(shown, dir);
    EXPECT_EQ(list_items(b.list), top);
    EXPECT_TRUE(b.text_area_blank(shown));

    // A drive item: the drive's root (the test's folder lies on C:), and back on C:.
    EXPECT_TRUE(has(top, L"[-z-]"));
    ASSERT_TRUE(b.enter(L"[-z-]"));
    shown = capture_client(b.hwnd);
    const std::wstring root = text_of(b.path); // the drive letter as the system spells it
    EXPECT_EQ(_wcsicmp(root.c_str(), L"Z:\\"), 0);
    b.expect_path(shown, root);
    EXPECT_TRUE(has(list_items(b.list), L"[-c-]"));
    EXPECT_FALSE(has(list_items(b.list), L"big.txt"));
    ASSERT_TRUE(b.double_click(L"[-c-]"));
    drain(b.hwnd);
    EXPECT_EQ(_wcsnicmp(text_of(b.path).c_str(), L"C:\\", 3), 0);
    EXPECT_TRUE(has(list_items(b.list), L"[-z-]"));
}

TEST(head, an_item_that_will_not_open_changes_nothing_and_a_deleted_file_is_not_repainted) {
    browser b;
    b.start();
    ASSERT_NE(b.hwnd, nullptr);
    const std::wstring dir = b.a.dir();
    ASSERT_TRUE(b.enter(L"big.txt"));
    image before = capture_client(b.hwnd);
    ASSERT_EQ(b.text_difference_of(before, big_text().substr(0, 8192)), 0);
    std::vector<std::wstring> items = list_items(b.list);

    // A file someone holds without sharing cannot be opened; it is no folder or drive either.
    HANDLE held = CreateFileW((dir + L"\\locked.txt").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(b.enter(L"locked.txt"));
    image after = capture_client(b.hwnd);
    CloseHandle(held);
    b.expect_path(after, dir + L"\\big.txt");
    EXPECT_EQ(list_items(b.list), items);
    EXPECT_EQ(b.text_difference_of(after, big_text().substr(0, 8192)), 0);

    // Chosen, then deleted: the next repaint shows nothing of it.
    ASSERT_TRUE(b.enter(L"gone.txt"));
    image shown = capture_client(b.hwnd);
    EXPECT_EQ(b.text_difference_of(shown, "soon gone"), 0);
    ASSERT_TRUE(DeleteFileW((dir + L"\\gone.txt").c_str()));
    shown = capture_repainted(b.hwnd);
    EXPECT_TRUE(b.text_area_blank(shown));
}

// Folders named with one character and with the longest name there can be; the second makes the
// current folder longer than MAX_PATH, and it is shown whole.
TEST(head, folders_of_any_name_length_are_entered_and_shown_whole) {
    browser b;
    b.start();
    ASSERT_NE(b.hwnd, nullptr);
    const std::wstring dir = b.a.dir();
    ASSERT_GT(dir.size() + 1 + long_name.size(), size_t(MAX_PATH));
    const std::vector<std::wstring> top = list_items(b.list);
    for (const std::wstring& name : {short_name, long_name}) {
        SCOPED_TRACE(name.size());
        ASSERT_TRUE(b.enter(L"[" + name + L"]"));
        image shown = capture_client(b.hwnd);
        b.expect_path(shown, dir + L"\\" + name);
        std::vector<std::wstring> inside = list_items(b.list);
        EXPECT_TRUE(has(inside, L"[..]"));
        for (const std::wstring& item : inside) // an empty folder: the way up and the drives
            EXPECT_TRUE(item == L"[..]" || (item.size() == 5 && item.substr(0, 2) == L"[-"));
        ASSERT_TRUE(b.double_click(L"[..]"));
        drain(b.hwnd);
        EXPECT_EQ(text_of(b.path), dir);
        EXPECT_EQ(list_items(b.list), top);
    }
}
