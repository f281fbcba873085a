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

// Whole-file readers: plandor1, plandor2, heskar11 (load_dib_file) and sembrin.
static void whole_file(const uint8_t* data, size_t size) {
    dib_layout l;
    if (dib_check_file(data, size, &l) != DIB_FILE_OK) return;
    uint32_t off = le32(data + 10);
    touch(data + DIB_FILE_HEADER, l.header_size + l.table_bytes);
    touch(data + off, l.bits_bytes);
    if (l.compression == DIB_RGB || l.compression == DIB_BITFIELDS)
        for (uint32_t row = 0; row < l.height; row++)
            touch(data + off + size_t(row) * l.row_bytes, l.row_bytes);
}

// Piecewise readers: yarnel and kolvane read the header block, then the bits block.
static void pieces(const uint8_t* data, size_t size) {
    dib_file_header fh;
    if (!dib_read_file_header(data, size, &fh) || !dib_is_bm(data, size)) return;
    uint32_t head, bits;
    if (!dib_piece_sizes(fh, &head, &bits)) return;
    if (head > size - DIB_FILE_HEADER || bits > (1u << 24)) return;
    std::vector<uint8_t> header(data + DIB_FILE_HEADER, data + DIB_FILE_HEADER + head);
    dib_layout l;
    if (!dib_read_layout(header.data(), header.size(), &l)) return;
    touch(header.data(), l.header_size + l.table_bytes);
    if (l.compression != DIB_RGB && l.compression != DIB_BITFIELDS) return;
    if (l.bits_bytes > bits) return;
    std::vector<uint8_t> block(bits);
    for (uint32_t row = 0; row < l.height; row++)
        touch(block.data() + size_t(row) * l.row_bytes, l.row_bytes);
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
