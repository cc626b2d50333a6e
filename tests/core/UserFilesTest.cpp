#include "app/UserFiles.h"

#include "app/Platform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

const std::string kProgram = "C:\\Program Files\\KLAVIRO\\KLAVIRO.cfg";
const std::string kAppData = "C:\\Users\\u\\AppData\\Roaming\\KLAVIRO\\KLAVIRO.cfg";

TEST(UserFilesTest, TheFolderFollowsWhereTheSettingsAreSaved) {
    struct Case {
        const char* name;
        ConfigFiles config;
        std::string documents, folder;
    } const cases[] = {
        {"portable", {kProgram, kProgram}, "C:\\Users\\u\\Documents", ""},
        {"read-only folder, no user folder known", {kProgram, kProgram}, "C:\\Users\\u\\Documents", ""},
        {"installed", {kAppData, kAppData}, "C:\\Users\\u\\Documents", "C:\\Users\\u\\Documents\\KLAVIRO\\"},
        {"installed, first start", {kProgram, kAppData}, "D:\\Docs\\", "D:\\Docs\\KLAVIRO\\"},
        {"installed, no documents folder",
         {kAppData, kAppData},
         "",
         "C:\\Users\\u\\AppData\\Roaming\\KLAVIRO\\"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseUserFilesFolder(kProgram, c.config, c.documents), c.folder) << c.name;
}

TEST(UserFilesTest, OnlyNamesWithoutAPlaceOfTheirOwnAreCompleted) {
    const std::string folder = "C:\\Users\\u\\Documents\\KLAVIRO\\";
    struct Case {
        std::string name, completed;
    } const cases[] = {
        {"Letters.txt", folder + "Letters.txt"},
        {"Cup 2026\\Results.csv", folder + "Cup 2026\\Results.csv"},
        {"..\\Letters.txt", folder + "..\\Letters.txt"},
        {"", ""},
        {"C:\\Cup\\Letters.txt", "C:\\Cup\\Letters.txt"},
        {"c:/Cup/Letters.txt", "c:/Cup/Letters.txt"},
        {"C:Letters.txt", "C:Letters.txt"},
        {"\\Cup\\Letters.txt", "\\Cup\\Letters.txt"},
        {"\\\\server\\share\\Letters.txt", "\\\\server\\share\\Letters.txt"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CompleteName(folder, c.name), c.completed) << c.name;
}

// The process-wide folder, set and restored around one test.
class UserFilesFolderTest : public ::testing::Test {
protected:
    void TearDown() override { SetUserFilesFolder(""); }
};

TEST_F(UserFilesFolderTest, APortableCopyCompletesNamesWithTheCurrentFolder) {
    SetUserFilesFolder("");
    std::string current = CurrentDirectory();
    ASSERT_FALSE(current.empty());
    if (current.back() != '\\')
        current += '\\';
    EXPECT_EQ(UserFilePath("Results.csv"), current + "Results.csv");
    EXPECT_EQ(UserFilePath("C:\\Results.csv"), "C:\\Results.csv");
}

TEST_F(UserFilesFolderTest, TheFolderIsMadeOnlyWhenAFileIsWrittenIntoIt) {
    std::string temp;
    ASSERT_TRUE(TempDirectory(temp, 1000));
    const fs::path base = fs::path(temp) / "klaviro-userfiles";
    const fs::path made = base / "KLAVIRO";
    std::error_code ec;
    fs::remove_all(base, ec);
    ASSERT_TRUE(fs::create_directories(base, ec));
    SetUserFilesFolder(made.string() + static_cast<char>(fs::path::preferred_separator));

    EXPECT_EQ(UserFilePath("Letters.txt"), (made / "Letters.txt").string());
    EXPECT_TRUE(PrepareUserFilesFolder((base / "elsewhere.txt").string()));
    EXPECT_FALSE(fs::exists(made)) << "a file outside the folder made it";

    EXPECT_TRUE(PrepareUserFilesFolder(UserFilePath("Letters.txt")));
    EXPECT_TRUE(fs::is_directory(made));
    fs::remove(made, ec);

    // A file where the folder should be: the caller hears of it.
    std::ofstream(made.string()) << "in the way";
    EXPECT_FALSE(PrepareUserFilesFolder(UserFilePath("Letters.txt")));
    EXPECT_TRUE(fs::is_regular_file(made));
    fs::remove_all(base, ec);
}

} // namespace
