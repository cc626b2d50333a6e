#include "TestFiles.h"

#include "texts/ControlTextFile.h"

#include "app/Platform.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace testfiles;

namespace {

// 100 letters in groups: 20 groups of 12 columns, 240 characters.
std::string HundredLetters() {
    std::string t;
    for (int g = 0; g < 20; ++g)
        t += "A B C D E   ";
    return t;
}

} // namespace

TEST(ControlTextFile, BlockFormat) {
    const std::string t = HundredLetters();
    const std::string line(t.substr(0, 60));
    EXPECT_EQ(ControlTextBlock(t, 60, 100),
              "100\r\n\r\n" + line + "\r\n" + line + "\r\n" + line + "\r\n" + line + "\r\n\r\n");
    // Negative number: no header text; the last line may be shorter.
    EXPECT_EQ(ControlTextBlock("1 2 3 4 5   6 ", 12, -1), "\r\n\r\n1 2 3 4 5   \r\n6 \r\n\r\n");
    EXPECT_EQ(ControlTextBlock("1 2 ", 12, 0), "0\r\n\r\n1 2 \r\n\r\n");
    // The empty text the page writes first: three empty lines.
    EXPECT_EQ(ControlTextBlock("", 60, -1), "\r\n\r\n\r\n");
    EXPECT_EQ(ControlTextBlock("", 60, 7), "7\r\n\r\n\r\n");
    // Width 1 and a width wider than the text.
    EXPECT_EQ(ControlTextBlock("AB", 1, 1), "1\r\n\r\nA\r\nB\r\n\r\n");
    EXPECT_EQ(ControlTextBlock("AB", 500, 1), "1\r\n\r\nAB\r\n\r\n");
    // A stray line feed in a text is stored as CR LF like every other one.
    EXPECT_EQ(ControlTextBlock("A\nB", 60, 1), "1\r\n\r\nA\r\nB\r\n\r\n");
}

TEST(ControlTextFile, WidthBelowOneIsTheDefaultWidthAndAbove500Is500) {
    const std::string t = HundredLetters() + HundredLetters() + HundredLetters();
    for (int w : {0, -7, -2147483647 - 1})
        EXPECT_EQ(ControlTextBlock(t, w, 5), ControlTextBlock(t, 60, 5)) << w;
    const std::string cut = "5\r\n\r\n" + t.substr(0, 500) + "\r\n" + t.substr(500) + "\r\n\r\n";
    for (int w : {500, 501, 2147483647})
        EXPECT_EQ(ControlTextBlock(t, w, 5), cut) << w;
}

TEST(ControlTextFile, OverwriteThenAppend) {
    const std::string path = TempFile("texts.txt");
    ASSERT_TRUE(WriteTextFile(path, "old contents that must go", 60, 1, false));
    ASSERT_TRUE(WriteTextFile(path, "", 60, -1, true));
    ASSERT_TRUE(WriteTextFile(path, "A B ", 60, 10, false));
    ASSERT_TRUE(WriteTextFile(path, "C D ", 60, 11, false));
    EXPECT_EQ(ReadAll(path), "\r\n\r\n\r\n"
                             "10\r\n\r\nA B \r\n\r\n"
                             "11\r\n\r\nC D \r\n\r\n");
    EXPECT_TRUE(FileExists(path));
    ASSERT_TRUE(WriteTextFile(path, HundredLetters(), 0, 100, true));
    EXPECT_EQ(ReadAll(path), ControlTextBlock(HundredLetters(), 60, 100));
    std::remove(path.c_str());
    EXPECT_FALSE(FileExists(path));
}

TEST(ControlTextFile, UnwritablePaths) {
    const std::string missingDir = TempFile("no-such-dir/") + "x.txt";
    EXPECT_FALSE(WriteTextFile(missingDir, "A ", 60, 1, true));
    EXPECT_FALSE(WriteTextFile(missingDir, "A ", 60, 1, false));
    EXPECT_FALSE(FileExists(missingDir));
    EXPECT_FALSE(WriteTextFile("", "A ", 60, 1, true));
    EXPECT_FALSE(FileExists(""));
    // A directory cannot be written as a file.
    std::string dir;
    ASSERT_TRUE(TempDirectory(dir, 1000));
    EXPECT_FALSE(WriteTextFile(dir, "A ", 60, 1, false));
#ifndef _WIN32
    // Opens, but the bytes never reach the disk: the failure shows at close.
    if (FileExists("/dev/full")) {
        EXPECT_FALSE(WriteTextFile("/dev/full", HundredLetters(), 60, 1, false));
    }
#endif
}

TEST(ControlTextFile, CurrentDirPathAddsOneBackslash) {
    EXPECT_EQ(DirPath("C:\\Work", "Letters.txt"), "C:\\Work\\Letters.txt");
    EXPECT_EQ(DirPath("C:\\", "Digits.txt"), "C:\\Digits.txt");
    EXPECT_EQ(DirPath("", "Mixed.txt"), "\\Mixed.txt");
    const std::string cwd = CurrentDirectory();
    ASSERT_FALSE(cwd.empty());
    EXPECT_EQ(CurrentDirPath("Letters.txt"), DirPath(cwd, "Letters.txt"));
}
