#include "app/ConfigLocation.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const std::string kProgram = "C:\\Program Files\\KLAVIRO\\KLAVIRO.cfg";
const std::string kUserDir = "C:\\Users\\u\\AppData\\Roaming\\KLAVIRO\\";
const std::string kUser = kUserDir + "KLAVIRO.cfg";

struct Case {
    const char* name;
    bool programExists, programWritable, userExists, userDirKnown;
    std::string read, save;
};

TEST(ConfigLocationTest, ProgramFolderWinsWhereItCanBeWrittenElseTheUsersFolder) {
    const Case cases[] = {
        {"portable with a file", true, true, true, true, kProgram, kProgram},
        {"portable first start", false, true, false, true, kProgram, kProgram},
        // The user's file belongs to an installed copy: a portable one starts its own.
        {"portable first start beside an installed copy's settings", false, true, true, true, kProgram,
         kProgram},
        {"read-only, first start, nothing shipped", false, false, false, true, kProgram, kUser},
        {"read-only, shipped file, first start", true, false, false, true, kProgram, kUser},
        {"read-only, later starts", true, false, true, true, kUser, kUser},
        {"read-only, no user folder known", true, false, false, false, kProgram, kProgram},
    };
    for (const Case& c : cases) {
        std::set<std::string> files;
        if (c.programExists)
            files.insert(kProgram);
        if (c.userExists)
            files.insert(kUser);
        ConfigLocationCalls os;
        os.fileExists = [&](const std::string& p) { return files.count(p) > 0; };
        os.writable = [&](const std::string& p) { return p == kProgram ? c.programWritable : true; };
        os.userDirectory = [&] { return c.userDirKnown ? kUserDir : std::string(); };
        const ConfigFiles f = ChooseConfigFiles(kProgram, os);
        EXPECT_EQ(f.read, c.read) << c.name;
        EXPECT_EQ(f.save, c.save) << c.name;
    }
}

} // namespace
