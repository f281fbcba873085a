// Prellis tiles its client area with its icon, cut-off last rows and columns included: the screen
// must equal the icon drawn by the test at every multiple of the icon size.
#include "harness/dialogs.h"

using namespace harness;

TEST(prellis, icon_tiles_the_client_area_with_partial_rows_and_columns) {
    HMODULE exe =
        LoadLibraryExW(program_path(L"prellis").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    HICON icon = LoadIconW(exe, MAKEINTRESOURCEW(101));
    ASSERT_NE(icon, nullptr) << "no icon 101 in the program";
    const int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);

    app a;
    HWND hwnd = launch(a, L"prellis");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Icon Demo");
    EXPECT_EQ(GetMenu(hwnd), nullptr);
    const SIZE sizes[] = {{300, 200}, {457, 331}, {250, 400}};
    for (const SIZE& s : sizes) {
        resize(hwnd, s.cx, s.cy);
        image shown = capture_client(hwnd);
        SCOPED_TRACE(std::to_string(shown.width) + " x " + std::to_string(shown.height));
        EXPECT_NE(shown.width % cx, 0) << "no partial column";
        EXPECT_NE(shown.height % cy, 0) << "no partial row";
        image expected = render(shown.width, shown.height, [&](HDC dc) {
            for (int y = 0; y < shown.height; y += cy)
                for (int x = 0; x < shown.width; x += cx)
                    DrawIcon(dc, x, y, icon);
        });
        EXPECT_TRUE(shown == expected);
        if (!(shown == expected)) save_bmp(shown, L"prellis-shown.bmp");
    }
    FreeLibrary(exe);
}
