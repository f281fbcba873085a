// Real peers on the Linux side of Wine: running Linux commands (pdftotext, xclip, lpadmin, iconv)
// and reading what the CUPS PDF printer produced.
#pragma once

#include <windows.h>
#include <string>
#include <vector>

namespace harness {

// The Linux path of a Windows path, and back (Z: is the Linux root).
std::string unix_path_of(const std::wstring& windows_path);
std::wstring windows_path_of(const std::string& unix_path);

// Runs `script` with /bin/sh and waits (bounded) until it has finished. Returns its exit status,
// or -1 when it could not be started or did not finish in time. Its standard output, when wanted,
// comes back in *output.
int run_unix(const std::string& script, std::string* output = nullptr, DWORD timeout_ms = 30000);

// The folder the PDF printer writes into (the test run's own), in Windows form; empty when the
// run has no printer.
std::wstring printed_dir();
// PDF files in that folder now, oldest first.
std::vector<std::wstring> printed_files();
// Waits for a PDF beyond `known` files to appear and be complete; empty on timeout.
std::wstring wait_printed(size_t known, DWORD timeout_ms = 30000);
// The text of a PDF (pdftotext -layout) and its page count (pdfinfo).
std::string pdf_text(const std::wstring& pdf);
int pdf_pages(const std::wstring& pdf);

} // namespace harness
