#include "HostileFiles.h"

#include "app/WholeFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace hostile;
using testfiles::TempFile;

TEST(WholeFile, ReadsUpToTheLimitAndRefusesMoreWithoutReadingIt) {
    const size_t limit = 1000;
    struct Case {
        const char* what;
        std::string path;
        WholeFileRead result;
        size_t size;
    } cases[] = {
        {"one byte under", Write("under", std::string(limit - 1, 'a')), WholeFileRead::Read, limit - 1},
        {"exactly the limit", Write("at", std::string(limit, 'a')), WholeFileRead::Read, limit},
        {"one byte over", Write("over", std::string(limit + 1, 'a')), WholeFileRead::TooLarge, 0},
        {"empty", Write("empty", ""), WholeFileRead::Read, 0},
        // Measured, not read: 3 GB would take the memory the read was to fill.
        {"three gigabytes", OfSize("huge", 3ull << 30), WholeFileRead::TooLarge, 0},
        {"missing", TempFile("none"), WholeFileRead::Missing, 0},
        {"a folder", TempFile(""), WholeFileRead::CannotRead, 0},
        {"no name", "", WholeFileRead::CannotRead, 0},
    };
    std::filesystem::create_directory(TempFile(""));
    for (const Case& c : cases) {
        std::string bytes = "stale";
        EXPECT_EQ(ReadWholeFile(c.path, limit, bytes), c.result) << c.what;
        EXPECT_EQ(bytes.size(), c.size) << c.what;
        if (c.result != WholeFileRead::Missing && !c.path.empty())
            std::filesystem::remove(c.path);
    }
    EXPECT_EQ(WholeFileProblem(WholeFileRead::TooLarge, "x.txt", 1u << 20), "x.txt is larger than 1 MB");
    EXPECT_EQ(WholeFileProblem(WholeFileRead::Missing, "x.txt", 1), "cannot read x.txt: no such file");
}

#ifndef _WIN32
// A pipe that never ends (as /dev/zero, which a container may lack), read as
// an open stream and by its name.
TEST(WholeFile, AStreamThatNeverEndsIsCutAtTheLimit) {
    for (bool byName : {false, true}) {
        std::FILE* yes = popen("yes", "r");
        ASSERT_NE(yes, nullptr);
        std::string bytes;
        EXPECT_EQ(byName ? ReadWholeFile("/proc/self/fd/" + std::to_string(fileno(yes)), 100000, bytes)
                         : ReadWholeStream(yes, 100000, bytes),
                  WholeFileRead::TooLarge);
        EXPECT_TRUE(bytes.empty());
        pclose(yes); // `yes` ends once nothing reads the pipe
    }
}
#endif
