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

// Entries of the colour table the platform reads: the used count when given (it never reads
// more than 256), else the full table for 8 bits or fewer.
static uint64_t colour_entries(uint32_t bit_count, uint32_t clr_used) {
    if (clr_used) return clr_used < 256 ? clr_used : 256;
    return bit_count <= 8 ? uint64_t(1) << bit_count : 0;
}

static bool known_format(uint32_t bit_count, uint32_t compression, bool top_down) {
    switch (compression) {
    case DIB_RGB:
        return bit_count == 1 || bit_count == 4 || bit_count == 8 || bit_count == 16 ||
               bit_count == 24 || bit_count == 32;
    case DIB_RLE8: return bit_count == 8 && !top_down; // compressed rows are bottom-up only
    case DIB_RLE4: return bit_count == 4 && !top_down;
    case DIB_BITFIELDS: return bit_count == 16 || bit_count == 32;
    }
    return false;
}

bool dib_read_layout(const uint8_t* header, size_t avail, dib_layout* out) {
    if (avail < 4) return false;
    dib_layout l = {};
    l.header_size = le32(header);
    uint64_t table;
    uint32_t size_image = 0;
    if (l.header_size == DIB_CORE_HEADER) {
        if (avail < DIB_CORE_HEADER) return false;
        l.width = le16(header + 4);
        l.height = le16(header + 6);
        l.bit_count = le16(header + 10);
        l.compression = DIB_RGB;
        if (l.bit_count != 1 && l.bit_count != 4 && l.bit_count != 8 && l.bit_count != 24)
            return false;
        table = (l.bit_count <= 8 ? uint64_t(1) << l.bit_count : 0) * 3;
    } else if (l.header_size == DIB_INFO_HEADER || l.header_size == DIB_V4_HEADER ||
               l.header_size == DIB_V5_HEADER) {
        if (avail < l.header_size) return false;
        int32_t width = int32_t(le32(header + 4));
        int32_t height = int32_t(le32(header + 8));
        if (width <= 0 || height == 0 || height == INT32_MIN) return false;
        l.width = uint32_t(width);
        l.top_down = height < 0;
        l.height = uint32_t(height < 0 ? -height : height);
        l.bit_count = le16(header + 14);
        l.compression = le32(header + 16);
        size_image = le32(header + 20);
        if (!known_format(l.bit_count, l.compression, l.top_down)) return false;
        table = colour_entries(l.bit_count, le32(header + 32)) * 4;
        if (l.header_size == DIB_INFO_HEADER && l.compression == DIB_BITFIELDS) table += 12;
    } else {
        return false; // the layout of an unknown header cannot be known
    }
    if (l.width == 0 || l.height == 0) return false;
    if (uint64_t(l.header_size) + table > avail) return false;
    l.table_bytes = uint32_t(table);

    uint64_t row = (uint64_t(l.width) * l.bit_count + 31) / 32 * 4;
    uint64_t all_rows = row * l.height;
    if (all_rows > 0x7FFFFFFF) return false; // also bounds what an RLE image expands to
    l.row_bytes = uint32_t(row);
    if (l.compression == DIB_RLE8 || l.compression == DIB_RLE4) {
        // The platform's decoder reads biSizeImage bytes of codes.
        if (size_image == 0) return false;
        l.bits_bytes = size_image;
    } else {
        l.bits_bytes = uint32_t(all_rows);
    }
    *out = l;
    return true;
}

dib_file_check dib_check_file(const uint8_t* data, size_t size, dib_layout* layout) {
    if (!dib_is_bm(data, size)) return DIB_FILE_NOT_BM;
    if (size < 6 || le32(data + 2) != size) return DIB_FILE_WRONG_SIZE;
    dib_file_header fh;
    if (!dib_read_file_header(data, size, &fh)) return DIB_FILE_INCONSISTENT;
    if (fh.off_bits <= DIB_FILE_HEADER || fh.off_bits > size) return DIB_FILE_INCONSISTENT;
    dib_layout l;
    if (!dib_read_layout(data + DIB_FILE_HEADER, fh.off_bits - DIB_FILE_HEADER, &l))
        return DIB_FILE_INCONSISTENT;
    if (l.bits_bytes > size - fh.off_bits) return DIB_FILE_INCONSISTENT;
    if (layout) *layout = l;
    return DIB_FILE_OK;
}

bool dib_piece_sizes(const dib_file_header& fh, uint32_t* header_block, uint32_t* bits_block) {
    if (fh.off_bits < DIB_FILE_HEADER + 4 || fh.size <= fh.off_bits) return false;
    uint32_t head = fh.off_bits - DIB_FILE_HEADER;
    uint32_t bits = fh.size - fh.off_bits;
    if (head > 0x7FFFFFFF || bits > 0x7FFFFFFF) return false;
    *header_block = head;
    *bits_block = bits;
    return true;
}
