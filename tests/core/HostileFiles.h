// Files a test hands to a reader: text in UTF-16 as Notepad saves
// "Unicode", and files of a given size without writing their bytes.
#pragma once

#include "TestFiles.h"

#include <filesystem>
#include <string>

namespace hostile {

// UTF-16 with its byte order mark, from UTF-16 code units.
inline std::string Utf16(const std::u16string& text, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t c : text) {
        const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    }
    return out;
}

// A file of the test's own (testfiles::TempFile) holding `bytes`.
inline std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = testfiles::TempFile(name);
    testfiles::WriteAll(path, bytes);
    return path;
}

// A file of `size` bytes (zeros, stored sparse where the system can).
inline std::string OfSize(const std::string& name, uintmax_t size) {
    const std::string path = Write(name, "");
    std::filesystem::resize_file(path, size);
    return path;
}

} // namespace hostile
