// Seeds for the text-decoding fuzzer: one small file of each encoding the editor meets.
#include <stdio.h>
#include <string>

static void write(const std::string& dir, const char* name, const std::string& bytes) {
    std::string path = dir + "/" + name;
    if (FILE* f = fopen(path.c_str(), "wb")) {
        fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
    }
}

int main(int argc, char** argv) {
    if (argc < 2) return 1;
    std::string d = argv[1];
    write(d, "empty", "");
    write(d, "le_mark_only", "\xFF\xFE");
    write(d, "be", std::string("\xFE\xFF\x00\x41\x00\x42", 6));
    write(d, "be_odd", std::string("\xFE\xFF\x00\x41\x42", 5));
    write(d, "le_nul", std::string("\xFF\xFEX\x00\x00\x00Y\x00", 8));
    write(d, "ansi_high", "caf\xE9 \x80\xFF");
    write(d, "ansi_nul",
          std::string("ab\x00"
                      "cd",
                      5));
    write(d, "utf8_mark", "\xEF\xBB\xBFna\xC3\xAFve");
    write(d, "utf8", "na\xC3\xAFve");
    write(d, "utf16_no_mark",
          std::string("A\x00"
                      "B\x00",
                      4));
    return 0;
}
