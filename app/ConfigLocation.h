// Where the configuration lives: beside the program when that folder can be
// written (portable use), otherwise in the user's application data folder,
// so that an installation under a read-only folder still keeps its settings.
#pragma once

#include <functional>
#include <string>

struct ConfigLocationCalls {
    std::function<bool(const std::string&)> fileExists;
    // The file can be written in place (or created) and its folder takes new
    // files, which the save needs for its temporary file.
    std::function<bool(const std::string&)> writable;
    // The user's folder for the program's files, ending in a backslash; ""
    // when the system names none.
    std::function<std::string()> userDirectory;
};

struct ConfigFiles {
    std::string read; // loaded at start
    std::string save; // written at close
};

// `programConfig` is the configuration file in the program folder.
ConfigFiles ChooseConfigFiles(const std::string& programConfig, const ConfigLocationCalls& os);

// The user's copy of the configuration inside `userDirectory`.
std::string UserConfigFile(const std::string& userDirectory);
