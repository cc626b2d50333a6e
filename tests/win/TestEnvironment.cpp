// Every test of this executable runs with the program's paths in a folder of
// its own under the temporary directory, so an application object built by
// a test never leaves KLAVIRO.cfg or KLAVIRO.bsf in the working directory.
#include "app/Paths.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

class ProgramPaths : public ::testing::Environment {
public:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        dir_ = std::string(temp) + "klaviro_win_tests_" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(dir_.c_str(), nullptr);
        SetStartupPaths({dir_, dir_ + "KLAVIRO.bsf", dir_ + "KLAVIRO.cfg"});
    }
    void TearDown() override {
        DeleteFileA((dir_ + "KLAVIRO.bsf").c_str());
        DeleteFileA((dir_ + "KLAVIRO.cfg").c_str());
        RemoveDirectoryA(dir_.c_str());
    }

private:
    std::string dir_;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ProgramPaths);

} // namespace
