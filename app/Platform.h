// The few operating-system services the portable core needs, with a Windows
// and a POSIX implementation, so that the core runs and is tested natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
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

// File names in narrow strings are in the system's ANSI code page, as Windows
// hands them to the program. klaviro-cli reads its command line as UTF-16 and
// switches to UTF-8 names, so that no name is lost to the code page; every
// file call below then takes UTF-8. Elsewhere a name is its bytes as given.
void SetUtf8FileNames(bool utf8);
// std::fopen through the wide call on Windows.
std::FILE* OpenFile(const std::string& path, const char* mode);
// A file name as the configuration file stores it: in the system's code
// page, as it always was, when every character has a form there; otherwise
// its UTF-8 after the UTF-8 byte order mark, which no name in a code page
// starts with. FileNameFromStore reads both.
std::string FileNameForStore(const std::string& name);
std::string FileNameFromStore(const std::string& stored);
// A file name as a std::filesystem path, and a path back as a file name.
std::filesystem::path FileSystemPath(const std::string& name);
std::string FileNameOf(const std::filesystem::path& path);

// Millisecond tick count (GetTickCount). Tests may replace the source.
uint32_t TickCount();
using TickSource = uint32_t (*)();
// Installs a tick source; null restores the system's. Returns the previous.
TickSource SetTickSource(TickSource source);

// What a write that replaces `path` would meet there.
enum class FileState {
    Missing,    // nothing (or nothing that can be checked): a new file
    Regular,    // a file that may be replaced
    ReadOnly,   // a file marked read-only, or one this process may not write
    NotRegular, // a folder, a device, a pipe, a loop of links
};
// Follows links to the file `path` finally names and says what is there;
// `target` gets that file's path (`path` itself when it is no link).
FileState InspectFile(const std::string& path, std::string& target);

// Why a ReplacingFile wrote nothing.
enum class ReplaceFailure { None, ReadOnly, NotRegular, CannotCreate, CannotWrite };

// A new file that takes the place of `path` only once every byte of it has
// reached the disk, so that a full disk or a crash never costs the old file.
// It is written beside `path` under a name of its own ("~KLAVIRO-<hex>.tmp"),
// created only where nothing of that name exists, so no file of the user's
// is ever taken over; it is removed on every failure and when the object
// goes away uncommitted.
// A link is written through: the file it names is replaced and the link
// stays. A read-only file, a folder, a device or a pipe is never replaced.
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
    // Why nothing was (or will be) written; None while all is well.
    ReplaceFailure Failure() const { return failure_; }

    using Handle = intptr_t;
    static constexpr Handle kNoFile = -1;

private:
    void Discard();

    std::string path_, temp_;
    Handle handle_ = kNoFile;
    bool ok_ = false;
    ReplaceFailure failure_ = ReplaceFailure::None;
};

// `bytes` as the whole new content of `path`, through a ReplacingFile;
// `failure`, when given, says why it was not written.
bool WriteFileReplacing(const std::string& path, const std::string& bytes, ReplaceFailure* failure = nullptr);

// An exclusive lock between processes (and between objects of one process)
// on the file `path`, created empty when missing. The file is left in place
// afterwards: removing it could let another process lock a new file of the
// same name while a third still holds the old one, and an empty file costs
// nothing. Released when the object goes away.
class FileLock {
public:
    enum class State {
        Held,
        InUse,       // another holder kept it for the whole wait
        Unavailable, // the file cannot be made or locked here at all
    };
    // Tries again until `waitMs` milliseconds have passed.
    FileLock(const std::string& path, uint32_t waitMs);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    State GetState() const { return state_; }

private:
    ReplacingFile::Handle handle_ = ReplacingFile::kNoFile;
    State state_ = State::Unavailable;
};

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
// Opens `path` for locking, creating it when missing; kNoFile on failure.
ReplacingFile::Handle OpenLockFile(const std::string& path);
enum class TryLock { Locked, Busy, Failed };
// An exclusive lock on the whole of an open lock file, without waiting.
TryLock TryLockFile(ReplacingFile::Handle file);
// Releases the lock and closes the file.
void UnlockFile(ReplacingFile::Handle file);
// Creates one folder; true when it exists afterwards.
bool MakeFolder(const std::string& path);
