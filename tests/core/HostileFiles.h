// Files a test hands to a reader: text in UTF-16 as Notepad saves
// "Unicode", and files of a given size without writing their bytes.
#pragma once

#include "app/Platform.h"

#include <gtest/gtest.h>

#include <cstdio>
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

// A file in the temporary directory named for the running test and `name`.
inline std::string TempFile(const std::string& name) {
    std::string dir;
    EXPECT_TRUE(TempDirectory(dir, 1000));
    return dir + "klaviro-" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" + name;
}

inline std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = TempFile(name);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    EXPECT_NE(f, nullptr) << path;
    if (f) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return path;
}

// A file of `size` bytes (zeros, stored sparse where the system can).
inline std::string OfSize(const std::string& name, uintmax_t size) {
    const std::string path = Write(name, "");
    std::filesystem::resize_file(path, size);
    return path;
}

} // namespace hostile
