// lumetra2 is checked through what it draws: each report is rendered here, line by line, from
// the capabilities the test reads itself for the same device, and compared with the client area.
#include "harness/harness.h"
#include "harness/hooking.h"
#include "harness/printers.h"
#include "harness/peers.h"
#include "harness/probe.h"

#include <algorithm>
#include <optional>

#include <winspool.h>

using namespace harness;

namespace {

struct row {
    int value;
    const wchar_t* label;
};

const row basic[] = {
    {HORZSIZE, L"HORZSIZE       Width in millimeters:"},
    {VERTSIZE, L"VERTSIZE       Height in millimeters:"},
    {HORZRES, L"HORZRES        Width in pixels:"},
    {VERTRES, L"VERTRES        Height in raster lines:"},
    {BITSPIXEL, L"BITSPIXEL      Color bits per pixel:"},
    {PLANES, L"PLANES         Number of color planes:"},
    {NUMBRUSHES, L"NUMBRUSHES     Number of device brushes:"},
    {NUMPENS, L"NUMPENS        Number of device pens:"},
    {NUMMARKERS, L"NUMMARKERS     Number of device markers:"},
    {NUMFONTS, L"NUMFONTS       Number of device fonts:"},
    {NUMCOLORS, L"NUMCOLORS      Number of device colors:"},
    {PDEVICESIZE, L"PDEVICESIZE    Size of device structure:"},
    {ASPECTX, L"ASPECTX        Relative width of pixel:"},
    {ASPECTY, L"ASPECTY        Relative height of pixel:"},
    {ASPECTXY, L"ASPECTXY       Relative diagonal of pixel:"},
    {LOGPIXELSX, L"LOGPIXELSX     Horizontal dots per inch:"},
    {LOGPIXELSY, L"LOGPIXELSY     Vertical dots per inch:"},
    {SIZEPALETTE, L"SIZEPALETTE    Number of palette entries:"},
    {NUMRESERVED, L"NUMRESERVED    Reserved palette entries:"},
    {COLORRES, L"COLORRES       Actual color resolution:"},
    {PHYSICALWIDTH, L"PHYSICALWIDTH   Printer page pixel width:"},
    {PHYSICALHEIGHT, L"PHYSICALHEIGHT  Printer page pixel height:"},
    {PHYSICALOFFSETX, L"PHYSICALOFFSETX Printer page x offset:"},
    {PHYSICALOFFSETY, L"PHYSICALOFFSETY Printer page y offset:"},
};

struct table {
    int index;
    const wchar_t* title;
    std::vector<row> rows;
};

const table curve = {28,
                     L"CURVCAPS(Curve Capabilities)",
                     {{1, L"CC_CIRCLES    Can do circles:"},
                      {2, L"CC_PIE        Can do pie wedges:"},
                      {4, L"CC_CHORD      Can do chord arcs:"},
                      {8, L"CC_ELLIPSES   Can do ellipses:"},
                      {16, L"CC_WIDE       Can do wide borders:"},
                      {32, L"CC_STYLED     Can do styled borders:"},
                      {64, L"CC_WIDESTYLED Can do wide and styled borders:"},
                      {128, L"CC_INTERIORS  Can do interiors:"}}};
const table line = {30,
                    L"LINECAPS(Line Capabilities)",
                    {{2, L"LC_POLYLINE   Can do polyline:"},
                     {4, L"LC_MARKER     Can do markers:"},
                     {8, L"LC_POLYMARKER Can do polymarkers"},
                     {16, L"LC_WIDE       Can do wide lines:"},
                     {32, L"LC_STYLED     Can do styled lines:"},
                     {64, L"LC_WIDESTYLED Can do wide and styled lines:"},
                     {128, L"LC_INTERIORS  Can do interiors:"}}};
const table poly = {32,
                    L"POLYGONALCAPS(Polygonal Capabilities)",
                    {{1, L"PC_POLYGON     Can do alternate fill polygon:"},
                     {2, L"PC_RECTANGLE   Can do rectangle:"},
                     {4, L"PC_WINDPOLYGON Can do winding number fill polygon:"},
                     {8, L"PC_SCANLINE    Can do scanlines:"},
                     {16, L"PC_WIDE        Can do wide borders:"},
                     {32, L"PC_STYLED      Can do styled borders:"},
                     {64, L"PC_WIDESTYLED  Can do wide and styled borders:"},
                     {128, L"PC_INTERIORS   Can do interiors:"}}};
const table text = {34,
                    L"TEXTCAPS(Text Capabilities)",
                    {{1, L"TC_OP_CHARACTER Can do character output precision:"},
                     {2, L"TC_OP_STROKE    Can do stroke output precision:"},
                     {4, L"TC_CP_STROKE    Can do stroke clip precision:"},
                     {8, L"TC_CP_90        Can do 90 degree character rotation:"},
                     {16, L"TC_CR_ANY       Can do any character rotation:"},
                     {32, L"TC_SF_X_YINDEP  Can do scaling independent of X and Y:"},
                     {64, L"TC_SA_DOUBLE    Can do doubled character for scaling:"},
                     {128, L"TC_SA_INTEGER   Can do integer multiples for scaling:"},
                     {256, L"TC_SA_CONTIN    Can do any multiples for exact scaling:"},
                     {512, L"TC_EA_DOUBLE    Can do double weight characters:"},
                     {1024, L"TC_IA_ABLE      Can do italicizing:"},
                     {2048, L"TC_UA_ABLE      Can do underlining:"},
                     {4096, L"TC_SO_ABLE      Can do strikeouts:"},
                     {8192, L"TC_RA_ABLE      Can do raster fonts:"},
                     {16384, L"TC_VA_ABLE      Can do vector fonts:"}}};
const table raster = {38,
                      L"RASTERCAPS(Raster capabilities)",
                      {{1, L"RC_BITBLT       Capable of simple BitBlt:"},
                       {2, L"RC_BANDING      Requires banding support:"},
                       {4, L"RC_SCALING      Requires scaling support:"},
                       {8, L"RC_BITMAP64     Supports bitmaps >64K:"},
                       {16, L"RC_GDI20_OUTPUT Has 2.0 output calls:"},
                       {128, L"RC_DI_BITMAP    Supports DIB to memory:"},
                       {256, L"RC_PALETTE      Supports a palette:"},
                       {512, L"RC_DIBTODEV     Supports bitmap conversion:"},
                       {1024, L"RC_BIGFONT      Supports fonts >64K:"},
                       {2048, L"RC_STRETCHBLT   Supports StretchBlt:"},
                       {4096, L"RC_FLOODFILL    Supports FloodFill:"},
                       {8192, L"RC_STRETCHDIB   Supports StretchDIBits:"}}};
const table clip = {
    36, L"CLIPCAPS(Clipping capabilities)", {{1, L"CP_RECTANGLE    Can Clip To Rectangle:"}}};

const wchar_t* const technologies[] = {
    L"DT_PLOTTER(Vector plotter)",      L"DT_RASDISPLAY(Raster display)",
    L"DT_RASPRINTER(Raster printer)",   L"DT_RASCAMERA(Raster camera)",
    L"DT_CHARSTREAM(Character stream)", L"DT_METAFILE(Metafile)",
    L"DT_DISPFILE(Display file)"};

std::wstring left_in(std::wstring s, size_t n) {
    s.resize(n, L' ');
    return s;
}

std::wstring right_in(const std::wstring& s, size_t n, wchar_t fill = L' ') {
    return s.size() >= n ? s.substr(0, n) : std::wstring(n - s.size(), fill) + s;
}

std::wstring yes_no(bool yes) {
    return L" " + right_in(yes ? L"Yes" : L"No", 3);
}

struct placed {
    int x, y;
    std::wstring text;
};

// What the report `command` must show for the device behind `info`. The size of the device
// structure is the driver's in the program's process (smaller in a 32-bit one): `pdevice_size`;
// the technology is the device's own or the one the program was made to see.
std::vector<placed> report(HDC info, int command, int cx, int cy, int pdevice_size,
                           int technology) {
    std::vector<placed> out;
    auto flags = [&](const table& t, int x, int first, size_t width) {
        const int bits = GetDeviceCaps(info, t.index);
        for (size_t r = 0; r < t.rows.size(); r++)
            out.push_back({x, cy * int(first + r),
                           left_in(t.rows[r].label, width) + yes_no(bits & t.rows[r].value)});
    };
    switch (command) {
    case 40002:
        for (size_t r = 0; r < std::size(basic); r++) {
            const int value =
                basic[r].value == PDEVICESIZE ? pdevice_size : GetDeviceCaps(info, basic[r].value);
            out.push_back({cx, cy * int(r + 1),
                           left_in(basic[r].label, 45) + right_in(std::to_wstring(value), 8)});
        }
        break;
    case 40003: {
        wchar_t hex[16];
        swprintf(hex, 16, L"%X", unsigned(GetDeviceCaps(info, DRIVERVERSION)));
        out.push_back({cx, cy, left_in(L"DRIVERVERSION:", 24) + right_in(hex, 4, L'0')});
        const int tech = technology;
        out.push_back({cx, 2 * cy,
                       left_in(L"TECHNOLOGY:", 24) +
                           left_in(tech >= 0 && tech < 7 ? technologies[tech] : L"", 40)});
        out.push_back({cx, 4 * cy, clip.title});
        flags(clip, 9 * cx, 6, 45);
        out.push_back({cx, 8 * cy, raster.title});
        flags(raster, 9 * cx, 10, 45);
        break;
    }
    default: {
        const table* t[] = {&curve, &line, &poly, &text};
        out.push_back({cx, cy, t[command - 40004]->title});
        flags(*t[command - 40004], cx, 3, 55);
    }
    }
    return out;
}

// PDEVICESIZE of the device as the program's process sees it, -1 when the probe does not know it.
int pdevice_size_in_program(HWND hwnd, const std::wstring& device) {
    const std::wstring sizes = probe(hwnd, PROBE_DEVICE_SIZES);
    const size_t at = (L"\n" + sizes).find(L"\n" + device + L"\t");
    return at == std::wstring::npos ? -1 : _wtoi(sizes.c_str() + at + device.size() + 1);
}

// The client area shows exactly the report's lines in the system fixed font.
void expect_report(HWND hwnd, HDC info, const std::wstring& device, int command,
                   std::optional<int> technology = std::nullopt) {
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, GetStockObject(SYSTEM_FIXED_FONT));
    TEXTMETRICW tm;
    GetTextMetricsW(screen, &tm);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    const int pdevice_size = pdevice_size_in_program(hwnd, device);
    ASSERT_GE(pdevice_size, 0) << device;
    if (!driving_32bit()) {
        EXPECT_EQ(pdevice_size, GetDeviceCaps(info, PDEVICESIZE)) << device;
    }
    const auto lines = report(info, command, tm.tmAveCharWidth, tm.tmHeight + tm.tmExternalLeading,
                              pdevice_size, technology.value_or(GetDeviceCaps(info, TECHNOLOGY)));

    image shown = capture_client(hwnd);
    ASSERT_GT(shown.width, 300);
    image want = render(shown.width, shown.height, [&](HDC dc) {
        SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
        for (const auto& l : lines)
            TextOutW(dc, l.x, l.y, l.text.c_str(), int(l.text.size()));
    });
    int differing = 0;
    for (size_t i = 0; i < shown.px.size(); i++)
        differing += is_dark(shown.px[i]) != is_dark(want.px[i]);
    EXPECT_EQ(differing, 0) << "report " << command << " differs in " << differing << " pixels";
    EXPECT_GT(bounds(want, is_dark).bottom, 3 * tm.tmHeight) << "the reference drew nothing";
}

void command(HWND hwnd, int id) {
    PostMessageW(hwnd, WM_COMMAND, id, 0);
    settle(hwnd);
}

// The queues of the run's printing system (a new program process lists exactly these).
std::vector<std::wstring> queues_now() {
    std::string out;
    run_unix("lpstat -e", &out);
    std::vector<std::wstring> names;
    size_t pos = 0;
    while (pos < out.size()) {
        size_t end = out.find('\n', pos);
        if (end == std::string::npos) end = out.size();
        if (end > pos) names.push_back(std::wstring(out.begin() + pos, out.begin() + end));
        pos = end + 1;
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The local printers as the spooler lists them to this process.
std::vector<std::wstring> local_printers() {
    DWORD needed = 0, returned = 0;
    EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 4, nullptr, 0, &needed, &returned);
    std::vector<BYTE> buf(needed + 1);
    std::vector<std::wstring> names;
    if (EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 4, buf.data(), needed, &needed, &returned))
        for (DWORD i = 0; i < returned; i++)
            names.push_back(reinterpret_cast<PRINTER_INFO_4W*>(buf.data())[i].pPrinterName);
    return names;
}

// The Device menu's items (depth 1 under its pop-up), in order.
std::vector<menu_item> device_items(HWND hwnd) {
    auto menu = read_menu(hwnd);
    std::vector<menu_item> items;
    bool inside = false;
    for (const auto& it : menu) {
        if (it.depth == 0)
            inside = it.text == L"&Device";
        else if (inside && it.depth == 1)
            items.push_back(it);
    }
    return items;
}

const menu_item* item_with_id(const std::vector<menu_item>& items, int id) {
    for (const auto& it : items)
        if (it.id == id) return &it;
    return nullptr;
}

} // namespace

TEST(lumetra2, starts_with_the_screen_and_its_basic_information) {
    app a;
    HWND hwnd = launch(a, L"lumetra2");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Device Capabilities: DISPLAY");
    HDC info = CreateICW(L"DISPLAY", nullptr, nullptr, nullptr);
    expect_report(hwnd, info, L"DISPLAY", 40002);
    command(hwnd, 40003);
    expect_report(hwnd, info, L"DISPLAY", 40003);
    // A device of another technology: the first and the last of the name table show their names,
    // a value outside the table none.
    for (int technology : {0, 6, 7, -1}) {
        SCOPED_TRACE(technology);
        ASSERT_EQ(probe(hwnd, PROBE_TECHNOLOGY_AS + technology), L"1");
        command(hwnd, 40003);
        expect_report(hwnd, info, L"DISPLAY", 40003, technology);
    }
    ASSERT_EQ(probe(hwnd, PROBE_TECHNOLOGY_OWN), L"1");
    command(hwnd, 40007);
    expect_report(hwnd, info, L"DISPLAY", 40007);
    command(hwnd, 40002); // and back to the first
    expect_report(hwnd, info, L"DISPLAY", 40002);
    DeleteDC(info);
}

TEST(lumetra2, device_menu_lists_the_printers_and_each_report_matches_the_printer) {
    std::vector<std::wstring> printers = local_printers();
    ASSERT_FALSE(printers.empty());
    app a;
    HWND hwnd = launch(a, L"lumetra2");
    ASSERT_NE(hwnd, nullptr);
    auto items = device_items(hwnd);
    ASSERT_EQ(items.size(), printers.size() + 3) << "screen, printers, separator, Properties";
    EXPECT_EQ(items[0].text, L"&Screen");
    EXPECT_EQ(items[0].id, 40001);
    EXPECT_TRUE(items[0].state & MF_CHECKED);
    for (size_t i = 0; i < printers.size(); i++) {
        EXPECT_EQ(items[i + 1].text, printers[i]);
        EXPECT_EQ(items[i + 1].id, int(i + 1));
    }
    EXPECT_TRUE(items[printers.size() + 1].state & MF_SEPARATOR);
    EXPECT_EQ(items.back().text, L"Properties");
    EXPECT_EQ(items.back().id, 1000);

    int pdf_id = 0;
    for (size_t i = 0; i < printers.size(); i++)
        if (printers[i] == L"PDF") pdf_id = int(i + 1);
    ASSERT_NE(pdf_id, 0);
    command(hwnd, pdf_id);
    EXPECT_EQ(text_of(hwnd), L"Device Capabilities: PDF");
    items = device_items(hwnd);
    EXPECT_FALSE(item_with_id(items, 40001)->state & MF_CHECKED);
    EXPECT_TRUE(item_with_id(items, pdf_id)->state & MF_CHECKED);

    HDC info = CreateICW(nullptr, L"PDF", nullptr, nullptr);
    ASSERT_NE(info, nullptr);
    for (int report_id = 40002; report_id <= 40007; report_id++) {
        command(hwnd, report_id);
        expect_report(hwnd, info, L"PDF", report_id);
        auto menu = read_menu(hwnd);
        for (int other = 40002; other <= 40007; other++) {
            const menu_item* it = nullptr;
            for (const auto& m : menu)
                if (m.id == other) it = &m;
            ASSERT_NE(it, nullptr);
            EXPECT_EQ((it->state & MF_CHECKED) != 0, other == report_id) << other;
        }
    }
    DeleteDC(info);
    EXPECT_EQ(text_of(hwnd), L"Device Capabilities: PDF") << "the report keeps the device";
}

TEST(lumetra2, properties_is_grey_for_the_screen_and_does_nothing_more_under_wine) {
    app a;
    HWND hwnd = launch(a, L"lumetra2");
    ASSERT_NE(hwnd, nullptr);
    // The Device pop-up opened by its mnemonic, read while it is open, then closed.
    auto open_device_menu = [&] {
        auto items = std::vector<menu_item>{};
        PostMessageW(hwnd, WM_SYSCOMMAND, SC_KEYMENU, 'd');
        Sleep(300);
        items = device_items(hwnd);
        PostMessageW(hwnd, WM_CANCELMODE, 0, 0);
        post_key(hwnd, VK_ESCAPE);
        post_key(hwnd, VK_ESCAPE);
        settle(hwnd, 200);
        return items;
    };
    auto items = open_device_menu();
    ASSERT_NE(item_with_id(items, 1000), nullptr);
    EXPECT_TRUE(item_with_id(items, 1000)->state & MF_GRAYED) << "Properties with the screen";

    command(hwnd, 1);
    items = open_device_menu();
    ASSERT_NE(item_with_id(items, 1000), nullptr);
    EXPECT_FALSE(item_with_id(items, 1000)->state & (MF_GRAYED | MF_DISABLED))
        << "Properties with a printer";

    // PrinterProperties is a stub under Wine: nothing opens and the program goes on, with the
    // printer still chosen (Properties is no device).
    command(hwnd, 1000);
    EXPECT_EQ(a.wait_dialog(1000), nullptr);
    EXPECT_TRUE(IsWindowEnabled(hwnd));
    EXPECT_EQ(text_of(hwnd), L"Device Capabilities: " + local_printers()[0]);
    items = device_items(hwnd);
    ASSERT_NE(item_with_id(items, 1000), nullptr);
    EXPECT_TRUE(item_with_id(items, 1)->state & MF_CHECKED);
    EXPECT_FALSE(item_with_id(items, 1000)->state & MF_CHECKED);
}

// Windows sends setting changes often: the menu is rebuilt, the chosen printer and report stay
// while the printer is installed, and the screen comes back once it is gone.
TEST(lumetra2, a_settings_change_keeps_the_chosen_printer_while_it_is_installed) {
    printer_queues queues;
    ASSERT_TRUE(queues.add("Passing"));
    app a;
    HWND hwnd = launch(a, L"lumetra2");
    ASSERT_NE(hwnd, nullptr);
    auto items = device_items(hwnd);
    int passing = 0;
    for (const menu_item& it : items)
        if (it.text == L"Passing") passing = it.id;
    ASSERT_NE(passing, 0);
    command(hwnd, passing);
    command(hwnd, 40004);
    // Sent, as the system does: a message that may carry a text cannot be posted.
    auto setting_change = [&] {
        DWORD_PTR r;
        SendMessageTimeoutW(hwnd, WM_SETTINGCHANGE, 0, 0, SMTO_ABORTIFHUNG, 5000, &r);
        settle(hwnd, 200);
    };
    setting_change();
    EXPECT_EQ(text_of(hwnd), L"Device Capabilities: Passing");
    items = device_items(hwnd);
    EXPECT_EQ(items.size(), local_printers().size() + 3) << "rebuilt, not added to";
    ASSERT_NE(item_with_id(items, passing), nullptr);
    EXPECT_EQ(item_with_id(items, passing)->text, L"Passing");
    EXPECT_TRUE(item_with_id(items, passing)->state & MF_CHECKED);
    EXPECT_FALSE(item_with_id(items, 40001)->state & MF_CHECKED);
    HDC info = CreateICW(nullptr, L"Passing", nullptr, nullptr);
    ASSERT_NE(info, nullptr);
    expect_report(hwnd, info, L"Passing", 40004);
    DeleteDC(info);

    ASSERT_TRUE(queues.remove("Passing"));
    setting_change();
    EXPECT_EQ(text_of(hwnd), L"Device Capabilities: DISPLAY");
    items = device_items(hwnd);
    EXPECT_EQ(items.size(), local_printers().size() + 3);
    ASSERT_NE(item_with_id(items, 40001), nullptr);
    EXPECT_TRUE(item_with_id(items, 40001)->state & MF_CHECKED);
    for (const menu_item& it : items)
        EXPECT_TRUE(it.id == 40001 || !(it.state & MF_CHECKED)) << "still checked: " << it.id;
    info = CreateICW(L"DISPLAY", nullptr, nullptr, nullptr);
    expect_report(hwnd, info, L"DISPLAY", 40004); // the report choice survives
    DeleteDC(info);
}

TEST(lumetra2, twenty_printers_start_a_second_column_at_the_sixteenth) {
    printer_queues queues;
    size_t have = queues_now().size();
    for (size_t i = have; i < 20; i++) {
        char name[16];
        snprintf(name, sizeof name, "Queue%02zu", i);
        ASSERT_TRUE(queues.add(name));
    }
    std::vector<std::wstring> printers = queues_now();
    ASSERT_EQ(printers.size(), 20u);
    std::vector<std::wstring> wine_list = local_printers();
    std::sort(wine_list.begin(), wine_list.end());
    ASSERT_EQ(wine_list, printers) << "Wine lists the same printers";
    app a;
    HWND hwnd = launch(a, L"lumetra2");
    ASSERT_NE(hwnd, nullptr);
    auto items = device_items(hwnd);
    ASSERT_EQ(items.size(), 23u);
    std::vector<std::wstring> listed;
    for (size_t i = 0; i < 20; i++) {
        const menu_item& it = items[i + 1];
        listed.push_back(it.text);
        EXPECT_EQ(it.id, int(i + 1));
        EXPECT_EQ((it.state & MF_MENUBARBREAK) != 0, i == 15) << "printer " << i;
    }
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, printers);
    EXPECT_FALSE(items[0].state & MF_MENUBARBREAK);
    EXPECT_FALSE(items.back().state & MF_MENUBARBREAK);
}
