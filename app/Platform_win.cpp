#include "app/Platform.h"

#include <windows.h>

#include <cerrno>

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

UINT g_fileNamePage = CP_ACP;

std::wstring Widened(const std::string& name) {
    const int n = MultiByteToWideChar(g_fileNamePage, 0, name.c_str(), -1, nullptr, 0);
    if (n <= 1)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(g_fileNamePage, 0, name.c_str(), -1, &wide[0], n);
    wide.resize(static_cast<size_t>(n - 1));
    return wide;
}

// The "\\?\" form of a path, which the wide calls take beyond MAX_PATH
// characters (the ANSI calls stop there, and so did saving in a deep folder).
// A device ("NUL", "\\.\COM1") keeps its own form.
std::wstring LongPathForm(const std::string& path) {
    const std::wstring wide = Widened(path);
    if (wide.empty())
        return wide;
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
    if (full.compare(0, 4, L"\\\\.\\") == 0)
        return full;
    if (full.compare(0, 2, L"\\\\") == 0)
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

} // namespace

void SetUtf8FileNames(bool utf8) {
    g_fileNamePage = utf8 ? CP_UTF8 : CP_ACP;
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
    const std::wstring name = LongPathForm(path);
    if (name.empty()) {
        errno = ENOENT;
        return nullptr;
    }
    std::wstring wideMode;
    for (const char* m = mode; *m; ++m)
        wideMode += static_cast<wchar_t>(*m);
    return _wfopen(name.c_str(), wideMode.c_str());
}

std::filesystem::path FileSystemPath(const std::string& name) {
    return std::filesystem::path(Widened(name));
}

std::string FileNameOf(const std::filesystem::path& path) {
    const std::wstring& wide = path.native();
    if (wide.empty())
        return std::string();
    const int n = WideCharToMultiByte(g_fileNamePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                      0, nullptr, nullptr);
    std::string name(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(g_fileNamePage, 0, wide.data(), static_cast<int>(wide.size()), &name[0], n,
                            nullptr, nullptr);
    return name;
}

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
