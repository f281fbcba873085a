// The clipboard from the test's side: putting text, raw text blocks and bitmaps there as another
// program would, and the X11 peer (xclip) that reads and sets the same clipboard from Linux.
#pragma once

#include <windows.h>
#include <stdint.h>
#include <string>
#include <vector>

namespace harness {

// Each returns true when the clipboard took the data (opened with a window of the test's own as
// its owner, as Windows requires for setting data).
bool empty_clipboard();
bool set_clipboard_text(const std::wstring& text);
// The bytes of a UTF-16 text, as a text block holds them (no terminator).
std::string bytes_of(const std::wstring& text);
// A CF_UNICODETEXT block of exactly these bytes: no terminator is added.
bool set_clipboard_block(const std::string& bytes);
// A CF_BITMAP of w x h pixels, each as colour_at(x, y) gives it (0x00RRGGBB): of the screen's
// format, or a device-dependent bitmap of `bits` per pixel as another program may make (the
// 32-bit programs' agent makes only the screen's).
bool set_clipboard_bitmap(int w, int h, uint32_t (*colour_at)(int x, int y), int bits = 0);
bool clipboard_has(UINT format);
// The bytes of the clipboard's block in that format (CF_DIB, ...), all GlobalSize gives; empty
// when there is none.
std::vector<uint8_t> clipboard_bytes(UINT format);
// The clipboard's bitmap read back as pixels (0x00RRGGBB, top-down rows); empty when none.
std::vector<uint32_t> clipboard_bitmap(int* w, int* h);

// The X11 side: xclip sets the clipboard selection to the text (sent as UTF-8) and reads it back.
bool xclip_put(const std::wstring& text);
bool xclip_get(std::wstring* text);

} // namespace harness
