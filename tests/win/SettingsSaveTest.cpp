// The close of the main window when the configuration cannot be written: the
// operator is told where the settings were to go.
#include "ShellTestSupport.h"

#include <string>
#include <vector>

using namespace shelltest;

namespace {

std::vector<std::string>& Said() {
    static std::vector<std::string> said;
    return said;
}
int RecordBox(HWND, const char* text, const char*, UINT) {
    Said().push_back(text ? text : "");
    return IDOK;
}

TEST_F(MainWindowTest, ClosingSaysWhereTheSettingsCouldNotBeSaved) {
    const std::string dir = folder.ConfigFile().substr(0, folder.ConfigFile().size() - 11);
    const std::string blocker = dir + "blocker";
    testutil::WriteFile(blocker, "a file where a folder should be");
    const struct {
        const char* name;
        std::string config;
        bool saved;
    } cases[] = {
        {"writable", folder.ConfigFile(), true},
        {"its folder is a file", blocker + "\\KLAVIRO.cfg", false},
        {"its folder is missing", dir + "missing\\KLAVIRO.cfg", false},
    };
    const MessageBoxHook previous = SetMessageBoxHook(RecordBox);
    for (const auto& c : cases) {
        SetStartupPaths({dir, folder.SoundFile(), c.config});
        Said().clear();
        Start();
        SendMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_FALSE(IsWindow(main)) << c.name;
        main = nullptr;
        if (c.saved) {
            EXPECT_TRUE(Said().empty()) << c.name;
            EXPECT_NE(ReadFile(c.config).find("\tCfgNotSaved\t=\t"), std::string::npos) << c.name;
        } else {
            EXPECT_EQ(Said(), std::vector<std::string>{"Не удалось сохранить настройки в файл\n" + c.config})
                << c.name;
        }
    }
    SetMessageBoxHook(previous);
    DeleteFileA(blocker.c_str());
}

} // namespace
