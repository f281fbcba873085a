// Gastrel: sends one empty page (a form feed) to the default printer and ends. It has no window
// and says nothing, whether or not there is a printer to print on.
#include "print/printer_dc.h"

static struct {
    wchar_t* doc_name;
    DOCINFOW doc;
} g;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    process_start(&g, sizeof g, USES_LIBRARIES | USES_BLOCKS);
    str_assign(&g.doc_name, L"gastrel");
    HDC printer = get_default_printer_dc();
    g.doc.cbSize = sizeof g.doc;
    g.doc.lpszDocName = g.doc_name;
    if (printer) {
        if (StartDocW(printer, &g.doc) > 0) {
            if (StartPage(printer) > 0 && EndPage(printer) > 0)
                EndDoc(printer);
            else
                AbortDoc(printer); // not left open in the spooler
        }
        DeleteDC(printer);
    }
    process_end(0);
}
