#include "harness/printers.h"
#include "harness/peers.h"

#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace harness {

namespace fs = std::filesystem;

static const char* const pdf_driver = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";

static fs::path temp_base(const wchar_t* what) {
    static int counter;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return fs::path(temp) / (std::wstring(what) + L"-" + std::to_wstring(GetCurrentProcessId()) +
                             L"-" + std::to_wstring(++counter));
}

image render_pdf_page(const std::wstring& pdf, int dpi) {
    fs::path base = temp_base(L"page");
    std::string out_unix = unix_path_of(base.wstring());
    if (run_unix("pdftoppm -r " + std::to_string(dpi) + " -f 1 -l 1 -singlefile '" +
                 unix_path_of(pdf) + "' '" + out_unix + "'") != 0)
        return {};
    fs::path ppm = base.wstring() + L".ppm";
    std::ifstream in(ppm, std::ios::binary);
    std::string magic;
    int w = 0, h = 0, maxval = 0;
    in >> magic >> w >> h >> maxval;
    in.get();
    image img;
    if (magic == "P6" && w > 0 && h > 0 && maxval == 255) {
        std::vector<unsigned char> rgb(size_t(w) * h * 3);
        in.read(reinterpret_cast<char*>(rgb.data()), std::streamsize(rgb.size()));
        img.width = w;
        img.height = h;
        img.px.resize(size_t(w) * h);
        for (size_t i = 0; i < img.px.size(); i++)
            img.px[i] =
                (uint32_t(rgb[3 * i]) << 16) | (uint32_t(rgb[3 * i + 1]) << 8) | rgb[3 * i + 2];
    }
    in.close();
    std::error_code ec;
    fs::remove(ppm, ec);
    return img;
}

static double attribute(const std::string& line, const std::string& name) {
    size_t at = line.find(name + "=\"");
    return at == std::string::npos ? 0 : std::atof(line.c_str() + at + name.size() + 2);
}

pdf_layout pdf_words(const std::wstring& pdf) {
    std::string html;
    run_unix("pdftotext -bbox -f 1 -l 1 '" + unix_path_of(pdf) + "' -", &html);
    pdf_layout layout;
    std::istringstream lines(html);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.find("<page ") != std::string::npos) {
            layout.width = attribute(line, "width");
            layout.height = attribute(line, "height");
        }
        size_t open = line.find("<word ");
        if (open == std::string::npos) continue;
        size_t start = line.find('>', open), end = line.find("</word>");
        if (start == std::string::npos || end == std::string::npos) continue;
        layout.words.push_back({line.substr(start + 1, end - start - 1), attribute(line, "xMin"),
                                attribute(line, "yMin"), attribute(line, "xMax"),
                                attribute(line, "yMax")});
    }
    return layout;
}

std::string queue_uri(const std::string& name) {
    std::string out;
    if (run_unix("lpstat -v '" + name + "' 2>/dev/null | sed -n 's/^device for [^:]*: //p'",
                 &out) != 0)
        return "";
    while (!out.empty() && (out.back() == '\n' || out.back() == ' '))
        out.pop_back();
    return out;
}

static std::string default_queue() {
    std::string out;
    run_unix("lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p'", &out);
    while (!out.empty() && out.back() == '\n')
        out.pop_back();
    return out;
}

static std::wstring wide(const std::string& s) {
    return std::wstring(s.begin(), s.end());
}

// Wine's record of a printer (PRINTER_INFO_2W with its texts), empty when it has none.
static std::vector<BYTE> wine_printer(const std::wstring& name) {
    HANDLE h;
    std::vector<BYTE> info;
    if (!OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &h, nullptr)) return info;
    DWORD needed = 0;
    GetPrinterW(h, 2, nullptr, 0, &needed);
    info.resize(needed);
    if (!needed || !GetPrinterW(h, 2, info.data(), needed, &needed)) info.clear();
    ClosePrinter(h);
    return info;
}

static bool delete_wine_printer(const std::wstring& name) {
    PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE h;
    if (!OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &h, &access)) return false;
    const BOOL ok = DeletePrinter(h);
    ClosePrinter(h);
    return ok != FALSE;
}

static bool add_wine_printer(std::vector<BYTE> info, const std::wstring& name) {
    auto* p = reinterpret_cast<PRINTER_INFO_2W*>(info.data());
    std::wstring own_name = name;
    p->pPrinterName = own_name.data();
    p->pShareName = nullptr;
    p->Attributes &= ~DWORD(PRINTER_ATTRIBUTE_DEFAULT);
    HANDLE h = AddPrinterW(nullptr, 2, info.data());
    if (!h) return GetLastError() == ERROR_PRINTER_ALREADY_EXISTS; // left by an earlier run
    ClosePrinter(h);
    return true;
}

bool printer_queues::remove(const std::string& name, bool wine_too) {
    removed_queue q{name, queue_uri(name), default_queue() == name,
                    wine_too ? wine_printer(wide(name)) : std::vector<BYTE>{}};
    if (q.uri.empty()) return false;
    if (run_unix("lpadmin -x '" + name + "'") != 0) return false;
    if (!q.wine_printer.empty()) delete_wine_printer(wide(name));
    // A queue this object added is simply gone; one that was there before comes back at the end.
    auto added = std::find(added_.begin(), added_.end(), name);
    if (added != added_.end())
        added_.erase(added);
    else
        removed_.push_back(std::move(q)); // moved: the record's texts point into its own buffer
    return true;
}

bool printer_queues::add(const std::string& name) {
    std::string like = default_queue();
    if (like.empty()) like = "PDF";
    std::string uri = queue_uri(like);
    std::vector<BYTE> info = wine_printer(wide(like));
    if (uri.empty() || info.empty()) return false;
    if (run_unix("lpadmin -p '" + name + "' -v '" + uri + "' -E -P " + pdf_driver) != 0)
        return false;
    added_.push_back(name);
    return add_wine_printer(info, wide(name));
}

printer_queues::~printer_queues() {
    std::string script;
    for (const auto& name : added_) {
        script += "lpadmin -x '" + name + "'\n";
        delete_wine_printer(wide(name));
    }
    for (const auto& q : removed_) {
        script += "lpadmin -p '" + q.name + "' -v '" + q.uri + "' -E -P " + pdf_driver + "\n";
        if (q.was_default) script += "lpadmin -d '" + q.name + "'\n";
    }
    if (!script.empty()) run_unix(script);
    for (const auto& q : removed_) {
        if (q.wine_printer.empty()) continue;
        add_wine_printer(q.wine_printer, wide(q.name));
        if (q.was_default) SetDefaultPrinterW(wide(q.name).c_str());
    }
}

} // namespace harness
