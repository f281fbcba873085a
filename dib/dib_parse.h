// Byte-level reading of bitmap files: the little-endian fields of the file header and the
// information headers, and the checks that keep every reader (and the platform's DIB functions,
// which read the colour table and the bits from the addresses they are given) inside the bytes
// that were actually read. Plain C++ without the window system, so that it also builds natively
// for fuzzing.
#pragma once

#include <stddef.h>
#include <stdint.h>

enum : uint32_t {
    DIB_FILE_HEADER = 14, // BITMAPFILEHEADER
    DIB_CORE_HEADER = 12,
    DIB_INFO_HEADER = 40,
    DIB_V4_HEADER = 108,
    DIB_V5_HEADER = 124,
};

enum : uint32_t { DIB_RGB = 0, DIB_RLE8 = 1, DIB_RLE4 = 2, DIB_BITFIELDS = 3 };

inline uint32_t le16(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8;
}
inline uint32_t le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// The file header's fields; false when fewer than 14 bytes are given.
struct dib_file_header {
    uint32_t type; // 0x4D42 for "BM"
    uint32_t size; // bfSize
    uint32_t reserved1, reserved2;
    uint32_t off_bits; // bfOffBits
};
bool dib_read_file_header(const uint8_t* data, size_t size, dib_file_header* out);
inline bool dib_is_bm(const uint8_t* data, size_t size) {
    return size >= 2 && data[0] == 'B' && data[1] == 'M';
}

// What the platform reads of a packed DIB (information header, colour table or masks, bits).
struct dib_layout {
    uint32_t header_size; // 12, 40, 108 or 124
    uint32_t width;
    uint32_t height; // number of rows
    bool top_down;
    uint32_t bit_count;
    uint32_t compression;
    uint32_t table_bytes; // colour table or the three masks after a 40-byte header
    uint32_t row_bytes;   // 4-byte aligned row (uncompressed)
    uint32_t bits_bytes;  // what the bits must hold: every row, or biSizeImage for RLE
};

// Reads the information header at `header`, of which `avail` bytes (header and colour table)
// are present, and checks that the header is a known one, its sizes are sane and the colour
// table lies within those bytes. False for anything the programs cannot show safely.
bool dib_read_layout(const uint8_t* header, size_t avail, dib_layout* out);

// The whole-file checks of the loader, in their order: "BM", then bfSize equal to the file size.
// Then, so that nothing reads outside the file: the file header fits, bfOffBits lies between the
// end of the header and colour table and the end of the file, and the bits that the header
// describes fit between bfOffBits and the end. Fills *layout when it returns true.
enum dib_file_check {
    DIB_FILE_OK = 0,
    DIB_FILE_NOT_BM,
    DIB_FILE_WRONG_SIZE,
    DIB_FILE_INCONSISTENT,
};
dib_file_check dib_check_file(const uint8_t* data, size_t size, dib_layout* layout);

// For readers that take the file piece by piece (header block, then bits): the file header's
// bfOffBits and bfSize give blocks of sane sizes (the header block at least holds a header-size
// field, neither block is empty or beyond 2 GB). Sizes returned through the pointers.
bool dib_piece_sizes(const dib_file_header& fh, uint32_t* header_block, uint32_t* bits_block);
