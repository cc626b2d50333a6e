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

// A new file that takes the place of `path` only once every byte of it has
// reached the disk, so that a full disk or a crash never costs the old file.
// It is written beside `path` under a name of its own ("~KLAVIRO-<hex>.tmp"),
// created only where nothing of that name exists, so no file of the user's
// is ever taken over; it is removed on every failure and when the object
// goes away uncommitted.
class ReplacingFile {
public:
    explicit ReplacingFile(const std::string& path);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // False when the temporary could not be created or a write failed.
    bool Good() const { return handle_ != kNoFile && ok_; }
    bool Write(const void* data, size_t size);
    // Flushes the temporary to the disk and renames it over `path`.
    bool Commit();
    const std::string& TempPath() const { return temp_; }

    using Handle = intptr_t;
    static constexpr Handle kNoFile = -1;

private:
    void Discard();

    std::string path_, temp_;
    Handle handle_ = kNoFile;
    bool ok_ = false;
};

// `bytes` as the whole new content of `path`, through a ReplacingFile.
bool WriteFileReplacing(const std::string& path, const std::string& bytes);

// Implemented by each platform variant; used by the functions above. Paths
// of any length are accepted wherever the system can reach them.
uint32_t SystemTickCount();
uint32_t ProcessId();
// Creates `path` for writing only if nothing of that name exists; kNoFile on
// failure, with `nameTaken` telling whether something was in the way.
ReplacingFile::Handle CreateNewFile(const std::string& path, bool& nameTaken);
bool WriteToFile(ReplacingFile::Handle file, const void* data, size_t size);
// Closes the file, first forcing its bytes to the disk when `flush` is set.
bool CloseFile(ReplacingFile::Handle file, bool flush);
bool ReplaceFileWith(const std::string& from, const std::string& to);
bool RemoveFile(const std::string& path);
// Creates one folder; true when it exists afterwards.
bool MakeFolder(const std::string& path);
