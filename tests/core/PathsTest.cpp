#include "app/Paths.h"
#include "config/RecordStore.h"

#include <gtest/gtest.h>

namespace {

// A Windows-like file system: the current directory is C:\cur, the full
// path of a directory is itself (with ".\" meaning the current directory),
// and the file-name part is whatever follows the last backslash.
PathCalls FakeCalls(std::string commandLine, bool fullPathWorks = true, std::string temp = "C:\\Temp\\") {
    PathCalls c;
    c.commandLine = [commandLine] { return commandLine; };
    c.currentDirectory = [] { return std::string("C:\\cur"); };
    c.fullPathName = [fullPathWorks](const std::string& in, std::string& out, size_t& part) {
        if (!fullPathWorks)
            return false;
        out = in.rfind(".\\", 0) == 0 ? "C:\\cur\\" + in.substr(2) : in;
        size_t slash = out.rfind('\\');
        part = slash + 1 < out.size() ? slash + 1 : std::string::npos;
        return true;
    };
    c.tempDirectory = [temp](std::string& dir) {
        dir = temp;
        return !temp.empty();
    };
    return c;
}

} // namespace

TEST(Paths, TrailingBackslash) {
    EXPECT_EQ(EnsureTrailingBackslash(""), ".\\");
    EXPECT_EQ(EnsureTrailingBackslash("C:\\a"), "C:\\a\\");
    EXPECT_EQ(EnsureTrailingBackslash("C:\\a\\"), "C:\\a\\");
}

TEST(Paths, DirectoryFromTheCommandLine) {
    PathCalls os = FakeCalls("\"E:\\Prog Files\\k\\prog.exe\"");
    EXPECT_EQ(DirectoryFromCommandLine("", os), "E:\\Prog Files\\k\\");
    EXPECT_EQ(ComputeStartupPaths("", os).configFile, "E:\\Prog Files\\k\\KLAVIRO.cfg");

    EXPECT_EQ(DirectoryFromCommandLine("", FakeCalls("prog.exe")), "C:\\cur\\");
    EXPECT_EQ(DirectoryFromCommandLine("D:\\data\\text.txt", os), "D:\\data\\");
    EXPECT_EQ(DirectoryFromCommandLine("D:\\data\\text.txt more args", os), "D:\\data\\");
    EXPECT_EQ(DirectoryFromCommandLine("text.txt", os), "C:\\cur\\");
    EXPECT_EQ(DirectoryFromCommandLine(" D:\\data\\x", os), "C:\\cur\\");
    EXPECT_EQ(DirectoryFromCommandLine("\\file", os), "C:\\cur\\");
    EXPECT_EQ(DirectoryFromCommandLine("\"\\file\"", os), "C:\\cur\\");
    EXPECT_EQ(DirectoryFromCommandLine("", FakeCalls("")), "C:\\cur\\");
    // A quoted first token may hold blanks.
    EXPECT_EQ(DirectoryFromCommandLine("\"C:\\My Texts\\a.txt\" b", os), "C:\\My Texts\\");
}

TEST(Paths, FailedFullPathKeepsTheDirectoryFound) {
    PathCalls os = FakeCalls("x", false);
    EXPECT_EQ(NormaliseDirectory("D:\\data", os), "D:\\data\\");
    EXPECT_EQ(NormaliseDirectory("", os), ".\\");
    os.currentDirectory = [] { return std::string(); };
    EXPECT_EQ(DirectoryFromCommandLine("plain", os), ".\\");
    EXPECT_EQ(ComputeStartupPaths("plain", os).configFile, ".\\KLAVIRO.cfg");
}

TEST(Paths, TemporarySoundFile) {
    EXPECT_EQ(ComputeStartupPaths("", FakeCalls("p", true, "C:\\Temp")).tempSoundFile, "C:\\Temp\\KLAVIRO.bsf");
    EXPECT_EQ(ComputeStartupPaths("", FakeCalls("p", true, "C:\\T\\")).tempSoundFile, "C:\\T\\KLAVIRO.bsf");
    EXPECT_EQ(ComputeStartupPaths("", FakeCalls("p", true, "")).tempSoundFile, "KLAVIRO.bsf");
}

TEST(RecordStore, DatabasePathIsInTheTemporaryDirectory) {
    RecordStore r;
    EXPECT_EQ(r.Title(), "");
    const std::string& p = r.DatabasePath();
    ASSERT_GE(p.size(), 11u);
    EXPECT_EQ(p.substr(p.size() - 11), "KLAVIRO.bdb");
}
