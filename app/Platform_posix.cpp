#include "app/Platform.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

// POSIX stand-ins for the Windows calls, used by the native build and its
// tests. Paths keep whatever separators they are given.

std::string CurrentDirectory() {
    char buf[1023];
    if (!getcwd(buf, sizeof buf))
        return "";
    return buf;
}

bool TempDirectory(std::string& dir, size_t bufferSize) {
    const char* t = std::getenv("TMPDIR");
    std::string d = t && *t ? t : "/tmp/";
    if (d.back() != '/')
        d += '/';
    if (d.size() + 1 > bufferSize)
        return false;
    dir = d;
    return true;
}

bool FullPathName(const std::string& name, std::string& full, size_t& filePart) {
    if (name.empty())
        return false;
    full = name;
    size_t slash = full.find_last_of("/\\");
    filePart = slash == std::string::npos ? 0 : slash + 1;
    if (filePart >= full.size())
        filePart = std::string::npos;
    return true;
}

std::string ProcessCommandLine() {
    return "";
}

void SetUtf8FileNames(bool) {}

// Names are UTF-8 here, the system's own form.
std::string FileNameForStore(const std::string& name) {
    return name;
}

std::string FileNameFromStore(const std::string& stored) {
    return stored.compare(0, 3, "\xEF\xBB\xBF") == 0 ? stored.substr(3) : stored;
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

std::filesystem::path FileSystemPath(const std::string& name) {
    return std::filesystem::path(name);
}

std::string FileNameOf(const std::filesystem::path& path) {
    return path.string();
}

uint32_t SystemTickCount() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint32_t>(ts.tv_sec * 1000ull + ts.tv_nsec / 1000000);
}

uint32_t ProcessId() {
    return static_cast<uint32_t>(getpid());
}

ReplacingFile::Handle CreateNewFile(const std::string& path, bool& nameTaken) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    nameTaken = fd < 0 && errno == EEXIST;
    return fd < 0 ? ReplacingFile::kNoFile : fd;
}

bool WriteToFile(ReplacingFile::Handle file, const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = write(static_cast<int>(file), p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool CloseFile(ReplacingFile::Handle file, bool flush) {
    const bool synced = !flush || fsync(static_cast<int>(file)) == 0;
    return close(static_cast<int>(file)) == 0 && synced;
}

bool ReplaceFileWith(const std::string& from, const std::string& to) {
    // The new file keeps the permissions the old one had.
    struct stat old {};
    if (stat(to.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        chmod(from.c_str(), old.st_mode & 07777);
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool RemoveFile(const std::string& path) {
    return unlink(path.c_str()) == 0;
}

FileState InspectFile(const std::string& path, std::string& target) {
    target = path;
    // As many links as the system itself follows before it calls it a loop.
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (lstat(target.c_str(), &st) != 0)
            return FileState::Missing; // a link to nothing gets its file made
        if (!S_ISLNK(st.st_mode)) {
            if (!S_ISREG(st.st_mode))
                return FileState::NotRegular;
            // No write permission for anyone counts even for root, who could
            // write it anyway: the owner has said the file is not to change.
            if ((st.st_mode & 0222) == 0 || faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
                return FileState::ReadOnly;
            return FileState::Regular;
        }
        std::string link(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        const ssize_t n = readlink(target.c_str(), &link[0], link.size());
        if (n <= 0 || static_cast<size_t>(n) >= link.size())
            return FileState::NotRegular; // changed while being read
        link.resize(static_cast<size_t>(n));
        const size_t slash = target.rfind('/');
        target = link[0] == '/' || slash == std::string::npos ? link : target.substr(0, slash + 1) + link;
    }
    return FileState::NotRegular;
}

ReplacingFile::Handle OpenLockFile(const std::string& path) {
    // Read access is enough for flock, and works on a lock file left
    // read-only; a pipe in its place must not block the open.
    int fd;
    do
        fd = open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
    while (fd < 0 && errno == EINTR);
    struct stat st {};
    if (fd >= 0 && (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        close(fd);
        fd = -1;
    }
    return fd < 0 ? ReplacingFile::kNoFile : fd;
}

TryLock TryLockFile(ReplacingFile::Handle file) {
    for (;;) {
        if (flock(static_cast<int>(file), LOCK_EX | LOCK_NB) == 0)
            return TryLock::Locked;
        if (errno == EWOULDBLOCK)
            return TryLock::Busy;
        if (errno != EINTR)
            return TryLock::Failed;
    }
}

void UnlockFile(ReplacingFile::Handle file) {
    flock(static_cast<int>(file), LOCK_UN);
    close(static_cast<int>(file));
}

bool MakeFolder(const std::string& path) {
    if (mkdir(path.c_str(), 0777) == 0)
        return true;
    struct stat st {};
    return errno == EEXIST && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
