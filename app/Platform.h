// The few operating-system services the portable core needs, with a Windows
// and a POSIX implementation, so that the core runs and is tested natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Current directory (GetCurrentDirectoryA into 1023 bytes); "" on failure.
std::string CurrentDirectory();
// Temporary directory as reported (GetTempPathA into `bufferSize` bytes);
// false when the call fails or the directory does not fit.
bool TempDirectory(std::string& dir, size_t bufferSize);
// Full path of a name (GetFullPathNameA into 1024 bytes). filePart is the
// offset of the file-name part, or npos when the call reports none.
bool FullPathName(const std::string& name, std::string& full, size_t& filePart);
// The process's whole command line (GetCommandLineA).
std::string ProcessCommandLine();

// Millisecond tick count (GetTickCount). Tests may replace the source.
uint32_t TickCount();
using TickSource = uint32_t (*)();
// Installs a tick source; null restores the system's. Returns the previous.
TickSource SetTickSource(TickSource source);

// Writes `bytes` to `path` so that the old file is replaced only when every
// byte reached the disk: written to "<path>.tmp" first, then renamed over it.
bool WriteFileReplacing(const std::string& path, const std::string& bytes);

// Implemented by each platform variant; used by the functions above.
uint32_t SystemTickCount();
bool ReplaceFileWith(const std::string& from, const std::string& to);
