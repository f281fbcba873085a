// The bitmap-file module the DIB programs share: the open and save dialogs with the bitmap
// filters, loading a whole bitmap file into one block, and saving that block back.
#pragma once

#include "runtime/runtime.h"
#include "dib/dib_parse.h"

// Fills the one file-dialog record of the program (filters, default extension "bmp").
void init_bitmap_file_dialog(HWND window);
// The open and save dialogs; true when the user chose a file, whose full path and bare name are
// then in the two 260-character buffers.
bool ask_open_bitmap_name(HWND window, wchar_t* path, wchar_t* title);
bool ask_save_bitmap_name(HWND window, wchar_t* path, wchar_t* title);

// The whole file in one block (free it with block_free), or null when it cannot be opened or
// read, is not a bitmap file, its bfSize is not its length, or its headers describe more bytes
// than it holds.
uint8_t* load_dib_file(const wchar_t* path);
// Writes the image's bfSize bytes. The bytes go to a new file in the same folder first, which
// replaces the target only once all of it is written and flushed, so a failed save leaves an
// existing file as it was. False on failure.
bool save_dib_file(const wchar_t* path, const uint8_t* image);

// Derived from a loaded image (which load_dib_file has checked).
inline const BITMAPINFO* dib_info_of(const uint8_t* image) {
    return reinterpret_cast<const BITMAPINFO*>(image + DIB_FILE_HEADER);
}
inline const uint8_t* dib_bits_of(const uint8_t* image) {
    return image + le32(image + 10);
}
inline uint32_t dib_size_of(const uint8_t* image) {
    return le32(image + 2);
}
// Width and number of rows: the core header's fields, else biWidth and |biHeight|.
void dib_dimensions(const uint8_t* image, int* width, int* height);
