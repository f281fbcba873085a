#include "dib/dib_parse.h"

bool dib_read_file_header(const uint8_t* data, size_t size, dib_file_header* out) {
    if (size < DIB_FILE_HEADER) return false;
    out->type = le16(data);
    out->size = le32(data + 2);
    out->reserved1 = le16(data + 6);
    out->reserved2 = le16(data + 8);
    out->off_bits = le32(data + 10);
    return true;
}

// Where the platform's DIB functions stop reading after the header: bit fields take their three
// masks from offset 40 whatever the header's size; images of 8 bits or fewer have a colour table
// after the header, of the used count (the platform never reads more than 256) or the full table.
static uint64_t table_end_of(const dib_layout& l, uint32_t clr_used) {
    if (l.header_size == DIB_CORE_HEADER)
        return DIB_CORE_HEADER + (l.bit_count <= 8 ? uint64_t(3) << l.bit_count : 0);
    if (l.compression == DIB_BITFIELDS) return l.header_size > 52 ? l.header_size : 52;
    if (l.bit_count > 8) return l.header_size;
    uint64_t entries = clr_used ? (clr_used < 256 ? clr_used : 256) : uint64_t(1) << l.bit_count;
    return l.header_size + entries * 4;
}

bool dib_read_layout(const uint8_t* header, size_t avail, dib_layout* out) {
    if (avail < 4) return false;
    dib_layout l = {};
    l.header_size = le32(header);
    uint32_t size_image = 0, clr_used = 0;
    if (l.header_size == DIB_CORE_HEADER) {
        if (avail < DIB_CORE_HEADER) return false;
        l.width = le16(header + 4);
        l.height = le16(header + 6);
        l.bit_count = le16(header + 10);
        l.compression = DIB_RGB;
    } else {
        if (avail < DIB_INFO_HEADER) return false;
        int32_t width = int32_t(le32(header + 4));
        int32_t height = int32_t(le32(header + 8));
        // Magnitudes, so that a negative width is measured like a positive one.
        l.width = width < 0 ? 0u - uint32_t(width) : uint32_t(width);
        l.top_down = height < 0;
        l.height = height < 0 ? 0u - uint32_t(height) : uint32_t(height);
        l.bit_count = le16(header + 14);
        l.compression = le32(header + 16);
        size_image = le32(header + 20);
        clr_used = le32(header + 32);
    }
    l.table_end = table_end_of(l, clr_used);
    // Width below 2^32 and bit count below 2^16: the row fits 64 bits; the product of rows and
    // height is kept from overflowing by saturating at what no file holds.
    l.row_bytes = (uint64_t(l.width) * l.bit_count + 31) / 32 * 4;
    const uint64_t beyond_any_file = uint64_t(1) << 40;
    if (l.compression == DIB_RGB || l.compression == DIB_BITFIELDS)
        l.bits_bytes = l.height && l.row_bytes > beyond_any_file / l.height
                           ? beyond_any_file
                           : l.row_bytes * l.height;
    else
        l.bits_bytes = size_image; // the decoder reads biSizeImage bytes of codes
    *out = l;
    return true;
}

dib_file_check dib_check_file(const uint8_t* data, size_t size, dib_layout* layout) {
    if (!dib_is_bm(data, size)) return DIB_FILE_NOT_BM;
    if (size < 6 || le32(data + 2) != size) return DIB_FILE_WRONG_SIZE;
    dib_file_header fh;
    if (!dib_read_file_header(data, size, &fh)) return DIB_FILE_INCONSISTENT;
    if (fh.off_bits < DIB_FILE_HEADER + 4 || fh.off_bits > size) return DIB_FILE_INCONSISTENT;
    dib_layout l;
    const size_t after_file_header = size - DIB_FILE_HEADER;
    if (!dib_read_layout(data + DIB_FILE_HEADER, after_file_header, &l) ||
        l.header_size > fh.off_bits - DIB_FILE_HEADER || l.table_end > after_file_header ||
        l.bits_bytes > size - fh.off_bits)
        return DIB_FILE_INCONSISTENT;
    // The programs keep the width and height as ints.
    if (l.width > 0x7FFFFFFF || l.height > 0x7FFFFFFF) return DIB_FILE_INCONSISTENT;
    if (layout) *layout = l;
    return DIB_FILE_OK;
}

bool dib_packed_of(const uint8_t* data, size_t size, dib_packed* out) {
    dib_layout l;
    dib_file_header fh;
    if (dib_check_file(data, size, &l) != DIB_FILE_OK || !dib_read_file_header(data, size, &fh))
        return false;
    const uint32_t before_bits = fh.off_bits - DIB_FILE_HEADER;
    out->head_bytes = l.table_end < before_bits ? uint32_t(l.table_end) : before_bits;
    out->bits_offset = fh.off_bits;
    out->bits_bytes = uint32_t(size) - fh.off_bits;
    return true;
}

static uint32_t block_size(uint32_t from, uint32_t to) {
    return to > from && to - from < 0x80000000u ? to - from : 0;
}

uint32_t dib_header_block_size(const dib_file_header& fh) {
    return block_size(DIB_FILE_HEADER, fh.off_bits);
}

uint32_t dib_bits_block_size(const dib_file_header& fh) {
    return block_size(fh.off_bits, fh.size);
}
