#include "app/Platform.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
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

bool MakeFolder(const std::string& path) {
    if (mkdir(path.c_str(), 0777) == 0)
        return true;
    struct stat st {};
    return errno == EEXIST && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
