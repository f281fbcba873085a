// The printed page as the printer made it, and the run's printer queues arranged for one test.
#pragma once

#include "harness/harness.h"
#include <string>
#include <vector>

namespace harness {

// The first page of a PDF rendered to pixels at `dpi` (pdftoppm); empty on failure.
image render_pdf_page(const std::wstring& pdf, int dpi);

// The words of a PDF's first page with their boxes in points, y growing downwards
// (pdftotext -bbox), and the page's size.
struct pdf_word {
    std::string text;
    double x0, y0, x1, y1;
};
struct pdf_layout {
    double width = 0, height = 0;
    std::vector<pdf_word> words;
};
pdf_layout pdf_words(const std::wstring& pdf);

// Changes to the run's printers for one test, undone when it ends: removed printers come back
// (with the default printer as it was) and added ones go again. Each change is made both in the
// CUPS scheduler and in Wine's own printer list: Wine copies the CUPS queues into its list only
// in the first process that loads the spooler while no other such process runs, so programs
// started by a test (which has the spooler loaded) would not see a CUPS change alone.
class printer_queues {
public:
    printer_queues() = default;
    printer_queues(const printer_queues&) = delete;
    printer_queues& operator=(const printer_queues&) = delete;
    ~printer_queues();
    // With `wine_too` false only the CUPS queue goes: Wine still lists the printer, and the
    // spooler refuses its jobs when the document ends.
    bool remove(const std::string& name, bool wine_too = true);
    // A queue printing like the default one (same device and driver).
    bool add(const std::string& name);

private:
    struct removed_queue {
        std::string name, uri;
        bool was_default;
        std::vector<BYTE> wine_printer; // its PRINTER_INFO_2W, empty when Wine did not list it
    };
    std::vector<removed_queue> removed_;
    std::vector<std::string> added_;
};

// The device URI of a queue ("cups-pdf:/..."), empty when there is no such queue.
std::string queue_uri(const std::string& name);

} // namespace harness
