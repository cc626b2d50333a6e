#include "app/Paths.h"

#include "app/Platform.h"

const PathCalls& SystemPathCalls() {
    static const PathCalls calls{
        ProcessCommandLine,
        CurrentDirectory,
        FullPathName,
        [](std::string& dir) { return TempDirectory(dir, 1000); },
    };
    return calls;
}

std::string EnsureTrailingBackslash(const std::string& path) {
    if (path.empty())
        return ".\\";
    if (path.back() != '\\')
        return path + '\\';
    return path;
}

std::string NormaliseDirectory(const std::string& path, const PathCalls& os) {
    std::string result = EnsureTrailingBackslash(path);
    std::string full;
    size_t filePart = std::string::npos;
    if (os.fullPathName(result, full, filePart)) {
        if (filePart != std::string::npos && filePart <= full.size())
            full.resize(filePart);
        result = full;
    }
    return EnsureTrailingBackslash(result);
}

std::string DirectoryFromCommandLine(const std::string& args, const PathCalls& os) {
    const std::string s = args.empty() ? os.commandLine() : args;
    size_t i = 0;
    bool quoted = false;
    for (; i < s.size(); ++i) {
        if (!quoted && s[i] == ' ')
            break;
        if (s[i] == '"')
            quoted = !quoted;
    }
    if (s.empty() || i == 0)
        return NormaliseDirectory(os.currentDirectory(), os);

    const std::string t = s.substr(0, i);
    const size_t n = i - 1;
    size_t j = 0;
    while (j < n && (t[j] == ' ' || t[j] == '"'))
        ++j;
    // The character at j itself is never taken as the separator, so a token
    // whose only backslash comes first falls back to the current directory.
    size_t k = n;
    while (k > j && t[k] != '\\')
        --k;
    if (k == j)
        return NormaliseDirectory(os.currentDirectory(), os);
    return NormaliseDirectory(t.substr(j, k - j + 1), os);
}

StartupPaths ComputeStartupPaths(const std::string& args, const PathCalls& os) {
    StartupPaths p;
    p.programDirectory = DirectoryFromCommandLine(args, os);
    std::string temp;
    if (!os.tempDirectory(temp))
        temp.clear();
    if (!temp.empty() && temp.back() != '\\')
        temp += '\\';
    p.tempSoundFile = temp + "KLAVIRO" + ".bsf";
    p.configFile = p.programDirectory + "KLAVIRO" + ".cfg";
    return p;
}

namespace {
StartupPaths g_paths{".\\", "KLAVIRO.bsf", ".\\KLAVIRO.cfg"};
std::string g_configReadFile;
} // namespace

void SetStartupPaths(const StartupPaths& paths) {
    g_paths = paths;
    g_configReadFile.clear();
}
const std::string& ProgramDirectory() {
    return g_paths.programDirectory;
}
const std::string& TempSoundFilePath() {
    return g_paths.tempSoundFile;
}
const std::string& ConfigFilePath() {
    return g_paths.configFile;
}
void SetConfigReadFilePath(const std::string& path) {
    g_configReadFile = path;
}
const std::string& ConfigReadFilePath() {
    return g_configReadFile.empty() ? g_paths.configFile : g_configReadFile;
}
