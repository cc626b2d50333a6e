#include "app/UserFiles.h"

#include "app/Paths.h"
#include "app/Platform.h"

namespace {
std::string g_folder;

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}
} // namespace

std::string ChooseUserFilesFolder(const std::string& programConfig, const ConfigFiles& config,
                                  const std::string& documents) {
    if (config.save == programConfig)
        return "";
    if (documents.empty()) {
        const size_t slash = config.save.find_last_of("\\/");
        return slash == std::string::npos ? std::string() : config.save.substr(0, slash + 1);
    }
    return EnsureTrailingBackslash(documents) + "KLAVIRO\\";
}

bool IsFolderlessName(const std::string& name) {
    if (name.empty() || IsSeparator(name[0]))
        return false;
    return !(name.size() >= 2 && name[1] == ':');
}

std::string CompleteName(const std::string& folder, const std::string& name) {
    return IsFolderlessName(name) ? folder + name : name;
}

void SetUserFilesFolder(const std::string& folder) {
    g_folder = folder;
}

const std::string& UserFilesFolder() {
    return g_folder;
}

std::string UserFilePath(const std::string& name) {
    if (!g_folder.empty())
        return CompleteName(g_folder, name);
    std::string current = CurrentDirectory();
    // Read into 1022 characters: a longer one counts as unreadable rather
    // than as a cut-off path, and the name stays for the system to complete.
    if (current.empty() || current.size() > 1021)
        return name;
    return CompleteName(EnsureTrailingBackslash(current), name);
}

bool PrepareUserFilesFolder(const std::string& path) {
    if (g_folder.empty() || path.compare(0, g_folder.size(), g_folder) != 0)
        return true;
    return MakeFolder(g_folder);
}
