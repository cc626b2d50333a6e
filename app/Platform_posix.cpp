#include "app/Platform.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
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

std::string ProcessCommandLine() { return ""; }

uint32_t SystemTickCount() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint32_t>(ts.tv_sec * 1000ull + ts.tv_nsec / 1000000);
}

bool ReplaceFileWith(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}
