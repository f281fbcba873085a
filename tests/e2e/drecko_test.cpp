// Drecko's bitmap menus read inside the program: every item's bitmap compared bit for bit with one
// made here by the same steps (the resource pictures stretched by the dialog base units, the face
// names drawn in their own faces), the font check mark, and no bitmap left once the window closed.
#include "harness/menu_views.h"
#include "harness/mono_bits.h"

using namespace harness;

namespace {

// The picture resource stretched: cx/4 and cy/8 of the dialog base units per pixel.
std::wstring stretched(HMODULE exe, const wchar_t* name) {
    HBITMAP source = LoadBitmapW(exe, name);
    BITMAP from{};
    if (!source || !GetObjectW(source, sizeof from, &from)) return L"no resource";
    const LONG units = GetDialogBaseUnits();
    BITMAP to = from;
    to.bmWidth = LOWORD(units) * from.bmWidth / 4;
    to.bmHeight = HIWORD(units) * from.bmHeight / 8;
    to.bmWidthBytes = (to.bmWidth + 15) / 16 * 2;
    to.bmBits = nullptr;
    HBITMAP made = CreateBitmapIndirect(&to);
    HDC src = CreateCompatibleDC(nullptr), dst = CreateCompatibleDC(nullptr);
    HGDIOBJ old_src = SelectObject(src, source), old_dst = SelectObject(dst, made);
    StretchBlt(dst, 0, 0, to.bmWidth, to.bmHeight, src, 0, 0, from.bmWidth, from.bmHeight, SRCCOPY);
    SelectObject(src, old_src);
    SelectObject(dst, old_dst);
    DeleteDC(src);
    DeleteDC(dst);
    std::wstring text = mono_bits_text(made);
    DeleteObject(made);
    DeleteObject(source);
    return text;
}

// The face name in its own face at twice the display font's height, on a bitmap of its extent.
std::wstring face_picture(const wchar_t* face) {
    HDC info = CreateICW(L"DISPLAY", nullptr, nullptr, nullptr);
    TEXTMETRICW tm{};
    GetTextMetricsW(info, &tm);
    HDC dc = CreateCompatibleDC(info);
    HFONT font = CreateFontW(2 * tm.tmHeight, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, face);
    HGDIOBJ old_font = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, face, int(wcslen(face)), &size);
    HBITMAP bitmap = CreateBitmap(size.cx, size.cy, 1, 1, nullptr);
    HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
    TextOutW(dc, 0, 0, face, int(wcslen(face)));
    SelectObject(dc, old_bitmap);
    SelectObject(dc, old_font);
    DeleteObject(font);
    DeleteDC(dc);
    DeleteDC(info);
    std::wstring text = mono_bits_text(bitmap);
    DeleteObject(bitmap);
    return text;
}

struct expected_pictures {
    std::wstring file, edit, font, help, faces[3];
    expected_pictures() {
        HMODULE exe =
            LoadLibraryExW(program_path(L"drecko").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        file = stretched(exe, L"BitmapFile");
        edit = stretched(exe, L"BitmapEdit");
        font = stretched(exe, L"BitmapFont");
        help = stretched(exe, L"BitmapHelp");
        if (exe) FreeLibrary(exe);
        const wchar_t* names[3] = {L"Courier New", L"Arial", L"Times New Roman"};
        for (int i = 0; i < 3; i++)
            faces[i] = face_picture(names[i]);
    }
};

std::string narrow(const std::wstring& s) {
    return std::string(s.begin(), s.begin() + std::min<size_t>(s.size(), 40));
}

void expect_bar(const menu_bitmaps& m, const expected_pictures& want, int checked) {
    // The bar: three bitmap pop-ups; File and Edit hold text items, the third the face names.
    const struct {
        int depth, id;
        bool bitmap;
        const std::wstring* bits;
    } rows[] = {{0, -1, true, &want.file},      {1, 40010, false, nullptr},
                {1, 40011, false, nullptr},     {1, 40012, false, nullptr},
                {1, 40013, false, nullptr},     {0, -1, true, &want.edit},
                {1, 40005, false, nullptr},     {1, 0, false, nullptr},
                {1, 40006, false, nullptr},     {1, 40007, false, nullptr},
                {1, 40008, false, nullptr},     {1, 40009, false, nullptr},
                {0, -1, true, &want.font},      {1, 101, true, &want.faces[0]},
                {1, 102, true, &want.faces[1]}, {1, 103, true, &want.faces[2]}};
    ASSERT_EQ(m.bar.size(), std::size(rows));
    for (size_t i = 0; i < m.bar.size(); i++) {
        SCOPED_TRACE("bar item " + std::to_string(i));
        const bitmap_item& got = m.bar[i];
        EXPECT_EQ(got.depth, rows[i].depth);
        EXPECT_EQ(got.id, rows[i].id);
        EXPECT_EQ((got.type & MFT_BITMAP) != 0, rows[i].bitmap);
        if (rows[i].bits) {
            EXPECT_EQ(got.bits, *rows[i].bits) << narrow(got.bits);
        }
        if (got.id >= 101 && got.id <= 103) {
            EXPECT_EQ((got.state & MF_CHECKED) != 0, got.id == checked);
        }
    }
}

} // namespace

TEST(drecko, bitmap_items_the_font_check_mark_and_no_bitmap_left_after_closing) {
    const expected_pictures want;
    ASSERT_NE(want.file, want.edit);
    app a;
    HWND hwnd = launch(a, L"drecko");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Bitmap Menu Demonstration");

    menu_bitmaps m = read_menu_bitmaps(hwnd);
    expect_bar(m, want, 101);
    // The system menu ends in the pictured help item, in a column of its own.
    ASSERT_FALSE(m.system.empty());
    const bitmap_item& help = m.system.back();
    EXPECT_EQ(help.id, 104);
    EXPECT_EQ(help.type & (MFT_BITMAP | MFT_MENUBARBREAK), UINT(MFT_BITMAP | MFT_MENUBARBREAK));
    EXPECT_EQ(help.bits, want.help);

    // A font item only moves the check mark.
    for (int id : {103, 102, 101}) {
        SCOPED_TRACE(id);
        menu_command(hwnd, id);
        expect_bar(read_menu_bitmaps(hwnd), want, id);
    }
    const int before = beeps(hwnd);
    for (int id = 40005; id <= 40013; id++)
        menu_command(hwnd, id);
    EXPECT_EQ(beeps(hwnd), before + 9);

    system_command(hwnd, 104);
    expect_message_box(a, L"drecko", L"Help not yet implemented!", box_icon::warning);

    // Closed from inside, so that the bitmaps can be looked up after its WM_DESTROY: all seven
    // are gone.
    std::pair<int, int> left = close_counting_bitmaps(hwnd);
    EXPECT_EQ(left.second, 7);
    EXPECT_EQ(left.first, 0);
    DWORD code = 1;
    EXPECT_TRUE(a.wait_exit(5000, &code));
    EXPECT_EQ(code, 0u);
}
