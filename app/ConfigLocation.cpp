#include "app/ConfigLocation.h"

std::string UserConfigFile(const std::string& userDirectory) {
    return userDirectory + "KLAVIRO" + ".cfg";
}

ConfigFiles ChooseConfigFiles(const std::string& programConfig, const ConfigLocationCalls& os) {
    // A writable program folder keeps its own configuration, even when the
    // user's folder holds one: that one belongs to an installed copy, and a
    // portable copy must neither read nor overwrite it.
    if (os.writable(programConfig))
        return {programConfig, programConfig};
    const std::string userDir = os.userDirectory();
    if (userDir.empty())
        return {programConfig, programConfig}; // nowhere better: the save fails and says so
    const std::string userConfig = UserConfigFile(userDir);
    const bool userHasOne = os.fileExists(userConfig);
    // The first run in a read-only folder starts from the configuration
    // shipped beside the program, if any.
    return {userHasOne ? userConfig : programConfig, userConfig};
}
