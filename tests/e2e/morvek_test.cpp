#include "harness/checks.h"
#include "harness/dib_files.h"

using namespace harness;

namespace {

const int OPEN = 40001;

struct listing_app {
    app a;
    HWND hwnd = nullptr, edit = nullptr;
    std::string shown; // what the edit control holds so far

    void start(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& files) {
        a.prepare = [files](const std::wstring& dir) {
            for (const auto& f : files)
                write_bytes(dir + L"\\" + widen(f.first), f.second);
        };
        hwnd = launch(a, L"morvek");
        if (!hwnd) return;
        for (HWND c : children(hwnd))
            if (GetDlgCtrlID(c) == 1 && class_of(c) == L"Edit") edit = c;
    }
    std::wstring path(const std::string& name) const { return a.dir() + L"\\" + widen(name); }
    // Opens the file and returns the lines its listing added.
    std::vector<std::string> list(const std::string& name) {
        EXPECT_TRUE(choose_file(a, hwnd, OPEN, path(name)));
        std::wstring all = text_of(edit);
        std::string text(all.begin(), all.end());
        EXPECT_EQ(text.substr(0, shown.size()), shown) << "earlier listings were changed";
        std::string added = text.substr(std::min(shown.size(), text.size()));
        shown = text;
        std::vector<std::string> lines;
        size_t at = 0;
        for (size_t end; (end = added.find("\r\n", at)) != std::string::npos; at = end + 2)
            lines.push_back(added.substr(at, end - at));
        EXPECT_EQ(at, added.size()) << "the listing does not end with a line break";
        return lines;
    }
};

std::string num(uint32_t v) {
    return std::to_string(v);
}

// The listing's beginning: the file line and the file header of `bytes`.
std::vector<std::string> file_part(const listing_app& m, const std::string& name,
                                   const std::vector<uint8_t>& v) {
    std::wstring p = m.path(name);
    char type[8];
    snprintf(type, sizeof type, "%X", unsigned(v[0] | v[1] << 8));
    return {"File: " + std::string(p.begin(), p.end()),
            "",
            "File size = " + num(uint32_t(v.size())) + " bytes",
            "",
            "BITMAPFILEHEADER",
            "\t.bfType = $" + std::string(type),
            "\t.bfSize = " + num(bmp::get32(v, 2)),
            "\t.bfReserved1 = " + num(uint32_t(v[6] | v[7] << 8)),
            "\t.bfReserved2 = " + num(uint32_t(v[8] | v[9] << 8)),
            "\t.bfOffBits = " + num(bmp::get32(v, 10)),
            ""};
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The eleven fields shared by the 40-, 108- and 124-byte headers.
std::vector<std::string> info_part(const std::string& p, const std::vector<uint8_t>& v,
                                   const std::string& height, int bits, const std::string& comp) {
    std::string b = "\t.b" + p;
    return {b + "Size = " + num(bmp::get32(v, 14)),
            b + "Width = 37",
            b + "Height = " + height,
            b + "Planes = 1",
            b + "BitCount = " + std::to_string(bits),
            b + "Compression = " + comp,
            b + "SizeImage = " + num(bmp::get32(v, 34)),
            b + "XPelsPerMeter = 2835",
            b + "YPelsPerMeter = 2835",
            b + "ClrUsed = 0",
            b + "ClrImportant = 0",
            ""};
}

std::vector<std::string> v4_part(const std::string& p, const std::string& red,
                                 const std::string& green, const std::string& blue,
                                 const std::string& alpha) {
    std::string b = "\t.b" + p;
    std::vector<std::string> out{b + "RedMask   = " + red, b + "GreenMask = " + green,
                                 b + "BlueMask  = " + blue, b + "AlphaMask = " + alpha,
                                 b + "CSType = 1934772034"};
    for (const char* c : {"Red\\ciexyzX   = ", "Red\\ciexyzY   = ", "Red\\ciexyzZ   = ",
                          "Green\\ciexyzX = ", "Green\\ciexyzY = ", "Green\\ciexyzZ = ",
                          "Blue\\ciexyzX  = ", "Blue\\ciexyzY  = ", "Blue\\ciexyzZ  = "})
        out.push_back(b + "Endpoints\\ciexyz" + c + "00000000");
    out.push_back(b + "GammaRed   = 00000000");
    out.push_back(b + "GammaGreen = 00000000");
    out.push_back(b + "GammaBlue  = 00000000");
    out.push_back("");
    return out;
}

bmp::file made(const char* name, int bits, bmp::header h, bmp::compression c, bool td = false) {
    bmp::format f;
    f.bits = bits, f.kind = h, f.comp = c, f.top_down = td;
    return bmp::make(name, f);
}

void expect_listing(listing_app& m, const std::string& name, const std::vector<std::string>& want) {
    SCOPED_TRACE(name);
    std::vector<std::string> got = m.list(name);
    for (size_t i = 0; i < std::max(got.size(), want.size()); i++)
        EXPECT_EQ(i < got.size() ? got[i] : "(none)", i < want.size() ? want[i] : "(none)")
            << "line " << i + 1;
}

} // namespace

TEST(morvek, lists_each_header_kind_line_by_line_below_the_earlier_listings) {
    using bmp::compression;
    using bmp::header;
    bmp::file info = made("info8td.bmp", 8, header::info, compression::rgb, true);
    bmp::file core = made("core4.bmp", 4, header::core, compression::rgb);
    bmp::file fields = made("fields32.bmp", 32, header::info, compression::bitfields);
    bmp::file v4 = made("v4.bmp", 24, header::v4, compression::rgb);
    bmp::file v5 = made("v5.bmp", 32, header::v5, compression::bitfields);
    bmp::file rle = made("rle4.bmp", 4, header::info, compression::rle4);
    std::vector<uint8_t> odd = rle.bytes;
    bmp::put32(odd, 30, 7); // a compression nobody knows
    listing_app m;
    m.start({{info.name, info.bytes},
             {core.name, core.bytes},
             {fields.name, fields.bytes},
             {v4.name, v4.bytes},
             {v5.name, v5.bytes},
             {rle.name, rle.bytes},
             {"odd.bmp", odd}});
    ASSERT_NE(m.hwnd, nullptr);
    ASSERT_NE(m.edit, nullptr);
    EXPECT_EQ(text_of(m.hwnd), L"DIB Headers");

    cursor_calls(m.hwnd);
    expect_listing(m, info.name,
                   file_part(m, info.name, info.bytes) +
                       std::vector<std::string>{"BITMAPINFOHEADER"} +
                       info_part("i", info.bytes, "-23", 8, "BI_RGB"));
    expect_hourglass_then_arrow(m.hwnd, L"wait show hide arrow");
    expect_listing(m, core.name,
                   file_part(m, core.name, core.bytes) +
                       std::vector<std::string>{"BITMAPCOREHEADER", "\t.bcSize = 12",
                                                "\t.bcWidth = 37", "\t.bcHeight = 23",
                                                "\t.bcPlanes = 1", "\t.bcBitCount = 4", ""});
    expect_listing(m, fields.name,
                   file_part(m, fields.name, fields.bytes) +
                       std::vector<std::string>{"BITMAPINFOHEADER"} +
                       info_part("i", fields.bytes, "23", 32, "BI_BITFIELDS") +
                       std::vector<std::string>{"Red Mask   = 00FF0000", "Green Mask = 0000FF00",
                                                "Blue Mask  = 000000FF", ""});
    expect_listing(m, v4.name,
                   file_part(m, v4.name, v4.bytes) + std::vector<std::string>{"BITMAPV4HEADER"} +
                       info_part("V4", v4.bytes, "23", 24, "BI_RGB") +
                       v4_part("V4", "00FF0000", "0000FF00", "000000FF", "00000000"));
    expect_listing(m, v5.name,
                   file_part(m, v5.name, v5.bytes) + std::vector<std::string>{"BITMAPV5HEADER"} +
                       info_part("V5", v5.bytes, "23", 32, "BI_BITFIELDS") +
                       v4_part("V5", "00FF0000", "0000FF00", "000000FF", "FF000000") +
                       std::vector<std::string>{"\t.bV5Intent = 4", "\t.bV5ProfileData = 0",
                                                "\t.bV5ProfileSize = 0", "\t.bV5Reserved = 0", ""});
    expect_listing(m, rle.name,
                   file_part(m, rle.name, rle.bytes) +
                       std::vector<std::string>{"BITMAPINFOHEADER"} +
                       info_part("i", rle.bytes, "23", 4, "BI_RLE4"));
    expect_listing(m, "odd.bmp",
                   file_part(m, "odd.bmp", odd) + std::vector<std::string>{"BITMAPINFOHEADER"} +
                       info_part("i", odd, "23", 4, "unknown"));
    // The edit control fills the window's client area at any size.
    for (SIZE size : {SIZE{700, 520}, SIZE{300, 200}}) {
        SetWindowPos(m.hwnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        sync(m.hwnd);
        const RECT client = client_rect(m.hwnd);
        RECT edit{};
        GetWindowRect(m.edit, &edit);
        EXPECT_TRUE(EqualRect(&edit, &client))
            << size.cx << " x " << size.cy << ": the edit control spans " << edit.left << ","
            << edit.top << " to " << edit.right << "," << edit.bottom << ", the client area "
            << client.left << "," << client.top << " to " << client.right << "," << client.bottom;
    }
}

TEST(morvek, failures_and_short_files_end_their_listing_with_a_line) {
    bmp::file good = made("good.bmp", 24, bmp::header::info, bmp::compression::rgb);
    std::vector<uint8_t> header64 = good.bytes;
    bmp::put32(header64, 14, 64);
    std::vector<uint8_t> text;
    for (char c : std::string("hello, this is only text\r\n"))
        text.push_back(uint8_t(c));
    std::vector<uint8_t> ten(good.bytes.begin(), good.bytes.begin() + 10);
    std::vector<uint8_t> fourteen(good.bytes.begin(),
                                  good.bytes.begin() + 14); // the file header alone
    std::vector<uint8_t> thirty(good.bytes.begin(), good.bytes.begin() + 30);
    bmp::file fields = made("fields.bmp", 16, bmp::header::info, bmp::compression::bitfields);
    std::vector<uint8_t> no_masks(fields.bytes.begin(), fields.bytes.begin() + 14 + 40 + 8);
    listing_app m;
    m.start({{"h64.bmp", header64},
             {"text.bmp", text},
             {"empty.bmp", {}},
             {"ten.bmp", ten},
             {"fourteen.bmp", fourteen},
             {"thirty.bmp", thirty},
             {"nomasks.bmp", no_masks}});
    ASSERT_NE(m.hwnd, nullptr);

    auto with = [](std::vector<std::string> a, std::vector<std::string> b) { return a + b; };
    expect_listing(m, "h64.bmp",
                   with(file_part(m, "h64.bmp", header64), {"Unknown header size of 64.", ""}));
    // Text is listed as if it were a header: "he" is the type, bytes 14 to 17 the header size.
    expect_listing(m, "text.bmp",
                   with(file_part(m, "text.bmp", text),
                        {"Unknown header size of " + num(bmp::get32(text, 14)) + ".", ""}));
    std::wstring missing = m.path("missing.bmp");
    expect_listing(m, "missing.bmp",
                   (std::vector<std::string>{"File: " + std::string(missing.begin(), missing.end()),
                                             "", "Cannot open file.", ""}));
    std::wstring empty = m.path("empty.bmp");
    expect_listing(m, "empty.bmp",
                   (std::vector<std::string>{"File: " + std::string(empty.begin(), empty.end()), "",
                                             "Cannot allocate memory\\", ""}));
    // Files that end before what they claim: the listing stops there, no byte past the end read.
    std::wstring p = m.path("ten.bmp");
    expect_listing(m, "ten.bmp",
                   (std::vector<std::string>{"File: " + std::string(p.begin(), p.end()), "",
                                             "File size = 10 bytes", "",
                                             "File ends inside its file header.", ""}));
    expect_listing(m, "fourteen.bmp",
                   with(file_part(m, "fourteen.bmp", fourteen),
                        {"File ends before its information header.", ""}));
    expect_listing(m, "thirty.bmp",
                   with(file_part(m, "thirty.bmp", thirty),
                        {"BITMAPINFOHEADER", "File ends inside its information header.", ""}));
    expect_listing(m, "nomasks.bmp",
                   file_part(m, "nomasks.bmp", no_masks) +
                       std::vector<std::string>{"BITMAPINFOHEADER"} +
                       info_part("i", no_masks, "23", 16, "BI_BITFIELDS") +
                       std::vector<std::string>{"File ends before its colour masks.", ""});
    // Ctrl+O opens the dialog too; never a message box.
    send_input_keys(m.hwnd, {VK_CONTROL, 'O'});
    HWND dialog = m.a.wait_dialog();
    ASSERT_NE(dialog, nullptr);
    settle(dialog);
    press(dialog, IDCANCEL);
    EXPECT_TRUE(wait_until([&] { return !IsWindow(dialog); }));
    EXPECT_EQ(wait_message_box(m.a, 300).hwnd, nullptr);
}
