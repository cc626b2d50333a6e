// The pages of an installed copy: files named without a folder are the
// user's, in a folder of the documents made when the first file is written.
#include "PageHarness.h"

#include "app/UserFiles.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace harness;

namespace {

// The user's files folder under the temporary directory, not made yet; the
// current-folder rule of a portable copy again at the end.
struct UserFolder {
    UserFolder() {
        std::error_code ec;
        std::filesystem::remove_all(documents, ec);
        CreateDirectoryA(documents.c_str(), nullptr);
        SetUserFilesFolder(folder);
    }
    ~UserFolder() {
        SetUserFilesFolder("");
        std::error_code ec;
        std::filesystem::remove_all(documents, ec);
    }
    bool Made() const {
        const DWORD a = GetFileAttributesA(folder.c_str());
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
    }
    const std::string documents = TempPath("documents-" + std::to_string(GetCurrentProcessId())) + "\\";
    const std::string folder = documents + "KLAVIRO\\";
};

const int kOptionsPath = 1069, kOptionsNext = 1067;
const int kResultsPath = 1101, kControlPath = 1104, kSpeed = 1116, kParticipant = 1118, kCopy = 1121;
const int kPlayerPath = 1101;

} // namespace

TEST(UserFilesPages, EveryDefaultFileIsShownWithTheUsersFolder) {
    const struct {
        const char* page;
        int dialog;
        DLGPROC procedure;
        int field;
        const char* name;
    } cases[] = {
        {"competition options", IDD_COMPETITION_OPTIONS, CompetitionOptionsPageProc, kOptionsPath,
         "Letters.txt"},
        {"results: results file", IDD_RESULTS, ResultsPageProc, kResultsPath, "Results.csv"},
        {"results: control texts", IDD_RESULTS, ResultsPageProc, kControlPath, "Letters.txt"},
        {"player", IDD_PLAYER, PlayerPageProc, kPlayerPath, "Letters.txt"},
    };
    for (const auto& c : cases) {
        UserFolder user;
        PageUnderTest p(c.dialog, c.procedure);
        p.Show();
        EXPECT_EQ(p.Text(c.field), user.folder + c.name) << c.page;
        EXPECT_FALSE(user.Made()) << c.page << ": showing a name made the folder";
    }
}

TEST(UserFilesPages, ATypedNameWithoutAFolderIsWrittenIntoTheUsersFolder) {
    {
        UserFolder user;
        PageUnderTest options(IDD_COMPETITION_OPTIONS, CompetitionOptionsPageProc);
        options.Show();
        options.SetText(kOptionsPath, "Cup.txt");
        options.Command(kOptionsNext);
        EXPECT_EQ(options.app->competition.controlFile, user.folder + "Cup.txt");
        EXPECT_TRUE(user.Made()) << "the run would write into a missing folder";
    }
    UserFolder user;
    const std::string control = TempPath("user-files-Letters.txt");
    WriteFile(control, "100\r\n\r\nA B C D E   \r\n\r\n");
    PageUnderTest results(IDD_RESULTS, ResultsPageProc);
    results.SetText(kResultsPath, "Cup.csv");
    results.SetText(kControlPath, control);
    results.Show();
    results.SetText(kParticipant, "Anna");
    results.SetText(kSpeed, "100");
    results.SetText(kCopy, "ABCDE");
    results.Key(KEY_ENTER);
    EXPECT_TRUE(Boxes().empty()) << (Boxes().empty() ? "" : Boxes()[0].text);
    EXPECT_NE(ReadFile(user.folder + "Cup.csv").find("\r\nAnna;letters;100;0;"), std::string::npos);
    DeleteFileA(control.c_str());
}
