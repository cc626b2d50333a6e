#include "app/ConfigLocation.h"

std::string UserConfigFile(const std::string& userDirectory) {
    return userDirectory + "KLAVIRO" + ".cfg";
}

ConfigFiles ChooseConfigFiles(const std::string& programConfig, const ConfigLocationCalls& os) {
    const std::string userDir = os.userDirectory();
    const std::string userConfig = userDir.empty() ? std::string() : UserConfigFile(userDir);
    const bool userHasOne = !userConfig.empty() && os.fileExists(userConfig);

    if (os.writable(programConfig)) {
        // A configuration beside the program wins; a writable folder without
        // one still takes the user's settings if an earlier run kept them
        // elsewhere, and otherwise starts a portable configuration.
        if (os.fileExists(programConfig) || !userHasOne)
            return {programConfig, programConfig};
        return {userConfig, userConfig};
    }
    if (userConfig.empty())
        return {programConfig, programConfig}; // nowhere better: the save fails as it would anyway
    // The first run in a read-only folder starts from the configuration
    // shipped beside the program, if any.
    return {userHasOne ? userConfig : programConfig, userConfig};
}
