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

uint32_t SystemTickCount() {
    return GetTickCount();
}

uint32_t ProcessId() {
    return GetCurrentProcessId();
}

namespace {

// The "\\?\" form of a path, which the wide calls take beyond MAX_PATH
// characters (the ANSI calls stop there, and so did saving in a deep folder).
std::wstring LongPathForm(const std::string& path) {
    const int n = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (n <= 1)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], n);
    wide.resize(static_cast<size_t>(n - 1));
    if (wide.compare(0, 4, L"\\\\?\\") == 0 || wide.compare(0, 4, L"\\\\.\\") == 0)
        return wide;
    const DWORD need = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (need == 0)
        return wide;
    std::wstring full(need, L'\0');
    const DWORD got = GetFullPathNameW(wide.c_str(), need, &full[0], nullptr);
    if (got == 0 || got >= need)
        return wide;
    full.resize(got);
    if (full.compare(0, 2, L"\\\\") == 0)
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

} // namespace

ReplacingFile::Handle CreateNewFile(const std::string& path, bool& nameTaken) {
    const std::wstring name = LongPathForm(path);
    HANDLE file = name.empty() ? INVALID_HANDLE_VALUE
                               : CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                             FILE_ATTRIBUTE_NORMAL, nullptr);
    const DWORD error = GetLastError();
    nameTaken = file == INVALID_HANDLE_VALUE &&
                (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED);
    return reinterpret_cast<ReplacingFile::Handle>(file);
}

bool WriteToFile(ReplacingFile::Handle file, const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(reinterpret_cast<HANDLE>(file), p, chunk, &written, nullptr) || written == 0)
            return false;
        p += written;
        size -= written;
    }
    return true;
}

bool CloseFile(ReplacingFile::Handle file, bool flush) {
    HANDLE h = reinterpret_cast<HANDLE>(file);
    const bool flushed = !flush || FlushFileBuffers(h);
    return CloseHandle(h) && flushed;
}

bool ReplaceFileWith(const std::string& from, const std::string& to) {
    const std::wstring source = LongPathForm(from), target = LongPathForm(to);
    return !source.empty() && !target.empty() &&
           MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
               0;
}

bool RemoveFile(const std::string& path) {
    const std::wstring name = LongPathForm(path);
    return !name.empty() && DeleteFileW(name.c_str()) != 0;
}

bool MakeFolder(const std::string& path) {
    std::string folder = path;
    while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    const std::wstring name = LongPathForm(folder);
    if (name.empty())
        return false;
    if (CreateDirectoryW(name.c_str(), nullptr))
        return true;
    const DWORD attributes = GetFileAttributesW(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
