// Files of the tests' own in the temporary directory, written and read back
// whole with the C library alone, so that what a test checks about a file
// never goes through the code under test.
#pragma once

#include "app/Platform.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace testfiles {

// A path in the temporary directory named for the running test and `name`,
// so that tests running side by side never share a file.
inline std::string TempFile(const std::string& name) {
    std::string dir;
    EXPECT_TRUE(TempDirectory(dir, 1000));
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return dir + "klaviro-" + test->test_suite_name() + "." + test->name() + "-" + name;
}

// The whole content of a file; `missing` when it cannot be opened.
inline std::string ReadAll(const std::string& path, const std::string& missing = "<none>") {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return missing;
    std::string s;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        s.append(buf, n);
    std::fclose(f);
    return s;
}

inline void WriteAll(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        ADD_FAILURE() << "cannot write " << path;
        return;
    }
    EXPECT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size()) << path;
    std::fclose(f);
}

} // namespace testfiles
