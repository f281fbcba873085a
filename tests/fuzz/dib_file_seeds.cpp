// Writes the generated bitmap files (every format, and the broken ones) as the DIB fuzzer's seeds.
#include "harness/bmp_images.h"
#include <stdio.h>
#include <string>

static bool write(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    std::string dir = argv[1];
    for (const bmp::file& f : bmp::all_formats())
        if (!write(dir + "/" + f.name, f.bytes)) return 1;
    for (const auto& b : bmp::broken_files())
        if (!write(dir + "/" + b.first, b.second)) return 1;
    return 0;
}
