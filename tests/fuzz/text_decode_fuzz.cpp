// The editor's text decoding over arbitrary file contents: the layout stays inside the file, the
// decoded text never holds a NUL unit and never writes beyond the room it is given.
#include "editor/text_decode.h"

#include <stdlib.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t n) {
    // The file as the editor reads it: followed by two zero bytes.
    std::vector<uint8_t> file(data, data + n);
    file.push_back(0);
    file.push_back(0);
    uint32_t tries[2] = {mark_flags_of(data, n), n ? uint32_t(data[n - 1]) : 0u};
    for (uint32_t marks : tries) {
        text_layout t = analyse_text(file.data(), n, marks);
        if (t.offset > n || t.bytes > n - t.offset) abort();
        if (t.encoding == TEXT_UTF16_LE || t.encoding == TEXT_UTF16_BE) {
            size_t len = decode_utf16(file.data(), t, nullptr, 0);
            if (len > (t.bytes + 1) / 2) abort();
            std::vector<uint16_t> out(len / 2 + 1, 0xABCD);
            out.back() = 0xABCD;
            size_t again = decode_utf16(file.data(), t, out.data(), out.size() - 1);
            if (again != len || out.back() != 0xABCD) abort();
            for (size_t i = 0; i + 1 < out.size() && i < len; i++)
                if (out[i] == 0) abort();
        } else if (t.encoding == TEXT_UTF8 && t.offset == 0 &&
                   !is_utf8_beyond_ascii(file.data(), t.bytes)) {
            abort(); // without a mark, only well-formed UTF-8 is read as UTF-8
        } else if (t.bytes && file[t.offset + t.bytes] != 0 && t.offset + t.bytes < n) {
            abort(); // a byte text ends at a zero byte or the end of the file
        }
    }
    return 0;
}
