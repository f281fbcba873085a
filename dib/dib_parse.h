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

// A packed DIB's header fields, and how far the header's own description reaches: what the
// platform's DIB functions read after the header (the colour masks at offset 40 for bit fields,
// the colour table) and how many bytes of bits they take. Nothing here judges whether the platform
// can draw the image: an unknown header size, bit count or compression is for the drawing call to
// refuse. Only the extents matter, so that nobody reads outside the file.
struct dib_layout {
    uint32_t header_size; // as the header gives it: 12 for the core header, anything else
    uint32_t width;       // bcWidth, or the magnitude of biWidth
    uint32_t height;      // number of rows
    bool top_down;
    uint32_t bit_count;
    uint32_t compression;
    uint64_t table_end;  // from the header's start: header, masks and colour table
    uint64_t row_bytes;  // 4-byte aligned row
    uint64_t bits_bytes; // what the bits must hold: every row, or biSizeImage when compressed
};

// Reads the header at `header`, of which `avail` bytes are present. False only when the fields
// themselves (12 bytes of a core header, the 40 bytes of any other) are not all present.
bool dib_read_layout(const uint8_t* header, size_t avail, dib_layout* out);

// The loader's checks, in their order: "BM", then bfSize equal to the file size. Then what keeps
// every reader inside the file: the information header fits before bfOffBits, bfOffBits lies
// within the file, the header's fields, masks and colour table end within the file, and the bits
// the header describes fit between bfOffBits and the end. Fills *layout when it returns true.
enum dib_file_check {
    DIB_FILE_OK = 0,
    DIB_FILE_NOT_BM,
    DIB_FILE_WRONG_SIZE,
    DIB_FILE_INCONSISTENT,
};
dib_file_check dib_check_file(const uint8_t* data, size_t size, dib_layout* layout);

// A checked file as a packed DIB (the clipboard's CF_DIB): the header, masks and colour table,
// then the pixels at once. The format lets a file leave a gap between the table and bfOffBits;
// the pixels are taken from bfOffBits all the same, up to the end of the file. Without a gap (or
// with a table that reaches past bfOffBits) this is everything after the file header. False when
// dib_check_file refuses the file.
struct dib_packed {
    uint32_t head_bytes;  // from offset 14
    uint32_t bits_offset; // bfOffBits
    uint32_t bits_bytes;  // from bfOffBits to the end
};
bool dib_packed_of(const uint8_t* data, size_t size, dib_packed* out);

// For readers that take the file piece by piece: the header block runs from offset 14 to
// bfOffBits, the bits block from bfOffBits to bfSize. Each is 0 when the offsets give no size a
// block can have (none, fewer than none, 2 GB or more).
uint32_t dib_header_block_size(const dib_file_header& fh);
uint32_t dib_bits_block_size(const dib_file_header& fh);
