// The program directory, the temporary sound file and the configuration file,
// fixed once at start-up from the command line.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

// The three operating-system calls the path rules depend on, replaceable so
// that the rules can be exercised with any Windows path on any build.
struct PathCalls {
    std::function<std::string()> commandLine;                                    // GetCommandLineA
    std::function<std::string()> currentDirectory;                               // GetCurrentDirectoryA
    std::function<bool(const std::string&, std::string&, size_t&)> fullPathName; // GetFullPathNameA
    std::function<bool(std::string&)> tempDirectory;                             // GetTempPathA, 1000 bytes
};
const PathCalls& SystemPathCalls();

// "" becomes ".\"; otherwise one backslash is appended unless already last.
std::string EnsureTrailingBackslash(const std::string& path);
// Full path of a directory, always ending in a backslash.
std::string NormaliseDirectory(const std::string& path, const PathCalls& os = SystemPathCalls());
// Directory part of the first token of the arguments (or of the process's
// own command line when there are none), else the current directory.
std::string DirectoryFromCommandLine(const std::string& args, const PathCalls& os = SystemPathCalls());

struct StartupPaths {
    std::string programDirectory;
    std::string tempSoundFile;
    std::string configFile;
};
StartupPaths ComputeStartupPaths(const std::string& args, const PathCalls& os = SystemPathCalls());

// Process-wide values, written once by the entry point before any window or
// thread exists and read-only afterwards.
void SetStartupPaths(const StartupPaths& paths);
const std::string& ProgramDirectory();
const std::string& TempSoundFilePath();
const std::string& ConfigFilePath(); // written at close
// Read at start: the configuration file unless another place was chosen.
void SetConfigReadFilePath(const std::string& path);
const std::string& ConfigReadFilePath();
