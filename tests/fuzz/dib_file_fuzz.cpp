// The bitmap-file checks, fed arbitrary bytes. Whatever they accept is then read the way the
// programs and the platform's DIB functions read it (header and colour table, every row or the
// compressed codes), each piece from a buffer of exactly the size that was read, so that any
// read past what the checks allowed is caught.
#include "dib/dib_parse.h"
#include <stdlib.h>
#include <string.h>
#include <vector>

static volatile uint32_t sink;

static void touch(const uint8_t* p, size_t n) {
    uint32_t s = 0;
    for (size_t i = 0; i < n; i++)
        s += p[i];
    sink = s;
}

// Whole-file readers: plandor1, plandor2, heskar11 (load_dib_file) and sembrin. The platform
// reads the header's fields (12 or 40 bytes), masks and colour table, and the bits.
static void whole_file(const uint8_t* data, size_t size) {
    dib_layout l;
    if (dib_check_file(data, size, &l) != DIB_FILE_OK) return;
    uint32_t off = le32(data + 10);
    uint64_t fields = l.header_size == DIB_CORE_HEADER ? DIB_CORE_HEADER : DIB_INFO_HEADER;
    touch(data + DIB_FILE_HEADER, size_t(l.table_end > fields ? l.table_end : fields));
    touch(data + off, size_t(l.bits_bytes));
    if ((l.compression == DIB_RGB || l.compression == DIB_BITFIELDS) && l.row_bytes)
        for (uint32_t row = 0; row < l.height; row++)
            touch(data + off + size_t(row * l.row_bytes), size_t(l.row_bytes));
}

// Piecewise readers: yarnel and kolvane read the header block, then the bits block; they hand
// the header block to the platform when its masks and colour table lie inside it, and read rows
// only while they fit the bits block.
static void pieces(const uint8_t* data, size_t size) {
    dib_file_header fh;
    if (!dib_read_file_header(data, size, &fh) || !dib_is_bm(data, size)) return;
    uint32_t head = dib_header_block_size(fh), bits = dib_bits_block_size(fh);
    if (!head || head > size - DIB_FILE_HEADER || bits > (1u << 24)) return;
    std::vector<uint8_t> header(data + DIB_FILE_HEADER, data + DIB_FILE_HEADER + head);
    dib_layout l;
    if (!dib_read_layout(header.data(), header.size(), &l) || l.table_end > head) return;
    touch(header.data(), size_t(l.table_end));
    if (l.compression != DIB_RGB && l.compression != DIB_BITFIELDS) return;
    if (l.bits_bytes > bits || !l.row_bytes) return;
    std::vector<uint8_t> block(bits);
    for (uint32_t row = 0; row < l.height; row++)
        touch(block.data() + size_t(row * l.row_bytes), size_t(l.row_bytes));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size copy: the sanitizer sees any byte read beyond it.
    uint8_t* copy = static_cast<uint8_t*>(malloc(size ? size : 1));
    if (size) memcpy(copy, data, size);
    whole_file(copy, size);
    pieces(copy, size);
    free(copy);
    return 0;
}
