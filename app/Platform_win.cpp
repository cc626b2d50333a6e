#include "app/Platform.h"

#include <windows.h>

std::string CurrentDirectory() {
    char buf[1023];
    DWORD n = GetCurrentDirectoryA(sizeof buf, buf);
    if (n == 0 || n >= sizeof buf)
        return "";
    buf[sizeof buf - 1] = 0;
    return buf;
}

bool TempDirectory(std::string& dir, size_t bufferSize) {
    std::string buf(bufferSize, '\0');
    DWORD n = GetTempPathA(static_cast<DWORD>(bufferSize), &buf[0]);
    if (n == 0 || n >= bufferSize)
        return false;
    buf.resize(n);
    dir = buf;
    return true;
}

bool FullPathName(const std::string& name, std::string& full, size_t& filePart) {
    char buf[1024];
    char* part = nullptr;
    DWORD n = GetFullPathNameA(name.c_str(), sizeof buf, buf, &part);
    if (n == 0 || n >= sizeof buf)
        return false;
    buf[sizeof buf - 1] = 0;
    full = buf;
    filePart = part ? static_cast<size_t>(part - buf) : std::string::npos;
    return true;
}

std::string ProcessCommandLine() {
    const char* c = GetCommandLineA();
    return c ? c : "";
}

uint32_t SystemTickCount() { return GetTickCount(); }

bool ReplaceFileWith(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
