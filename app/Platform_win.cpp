#include "app/Platform.h"

#include <windows.h>

#include <cerrno>

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

// The inverse of Widened; false when a character of the path has no form in
// the code page of file names.
bool NarrowPath(const std::wstring& wide, std::string& path) {
    BOOL lossy = FALSE;
    BOOL* const check = g_fileNamePage == CP_UTF8 ? nullptr : &lossy; // UTF-8 takes every name
    // No best fit: "é" made "e" in code page 1251 would name another file.
    const DWORD flags = g_fileNamePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int n = WideCharToMultiByte(g_fileNamePage, flags, wide.c_str(), -1, nullptr, 0, nullptr, check);
    if (n <= 1 || lossy)
        return false;
    std::string narrow(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(g_fileNamePage, flags, wide.c_str(), -1, &narrow[0], n, nullptr, check);
    if (lossy)
        return false;
    narrow.resize(static_cast<size_t>(n - 1));
    path = narrow;
    return true;
}

// Whether two full paths name the same place, letters compared as the file
// system does (without regard to case).
bool SamePath(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

} // namespace

void SetUtf8FileNames(bool utf8) {
    g_fileNamePage = utf8 ? CP_UTF8 : CP_ACP;
}

namespace {
const char kUtf8Mark[] = "\xEF\xBB\xBF";

std::wstring WidenIn(const std::string& bytes, UINT page) {
    const int n = MultiByteToWideChar(page, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0)
        MultiByteToWideChar(page, 0, bytes.data(), static_cast<int>(bytes.size()), &wide[0], n);
    return wide;
}

// False when a character has no form in the code page.
bool NarrowIn(const std::wstring& wide, UINT page, std::string& bytes) {
    BOOL lossy = FALSE;
    BOOL* const check = page == CP_UTF8 ? nullptr : &lossy;
    const DWORD flags = page == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int n = WideCharToMultiByte(page, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                      nullptr, check);
    bytes.assign(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(page, flags, wide.data(), static_cast<int>(wide.size()), &bytes[0], n, nullptr,
                            check);
    return !lossy;
}
} // namespace

std::string FileNameForStore(const std::string& name) {
    if (g_fileNamePage != CP_UTF8)
        return name;
    const std::wstring wide = WidenIn(name, CP_UTF8);
    std::string system;
    return NarrowIn(wide, CP_ACP, system) ? system : kUtf8Mark + name;
}

std::string FileNameFromStore(const std::string& stored) {
    const bool utf8 = stored.compare(0, 3, kUtf8Mark) == 0;
    const std::wstring wide = utf8 ? WidenIn(stored.substr(3), CP_UTF8) : WidenIn(stored, CP_ACP);
    std::string name;
    NarrowIn(wide, g_fileNamePage, name);
    return name;
}

// The four below ask the wide calls and give the name in the code page of
// file names, so that a folder named in any script survives UTF-8 names.
std::string CurrentDirectory() {
    wchar_t buf[1023];
    const DWORD n = GetCurrentDirectoryW(1023, buf);
    std::string dir;
    if (n == 0 || n >= 1023 || !NarrowPath(std::wstring(buf, n), dir) || dir.size() >= 1023)
        return "";
    return dir;
}

bool TempDirectory(std::string& dir, size_t bufferSize) {
    wchar_t buf[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, buf);
    std::string narrow;
    if (n == 0 || n > MAX_PATH || !NarrowPath(std::wstring(buf, n), narrow) || narrow.size() >= bufferSize)
        return false;
    dir = narrow;
    return true;
}

bool FullPathName(const std::string& name, std::string& full, size_t& filePart) {
    const std::wstring wide = Widened(name);
    wchar_t buf[1024];
    wchar_t* part = nullptr;
    const DWORD n = wide.empty() ? 0 : GetFullPathNameW(wide.c_str(), 1024, buf, &part);
    std::string narrow, head;
    if (n == 0 || n >= 1024 || !NarrowPath(std::wstring(buf, n), narrow) || narrow.size() >= 1024)
        return false;
    full = narrow;
    filePart = std::string::npos;
    if (part) {
        if (part == buf)
            filePart = 0;
        else if (NarrowPath(std::wstring(buf, static_cast<size_t>(part - buf)), head))
            filePart = head.size();
    }
    return true;
}

std::string ProcessCommandLine() {
    const wchar_t* c = GetCommandLineW();
    std::string line;
    return c && NarrowPath(c, line) ? line : "";
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

FileState InspectFile(const std::string& path, std::string& target) {
    target = path;
    const std::wstring name = LongPathForm(path);
    if (name.empty())
        return FileState::Missing;
    // No access asked: a file open elsewhere, a folder or a device opens
    // for these questions all the same. Links are followed.
    HANDLE file = CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        // A link to nothing is still listed, as a reparse point, and a file
        // in its place would cut it off. (Wine does not list it at all.)
        WIN32_FIND_DATAW found;
        HANDLE listed = FindFirstFileW(name.c_str(), &found);
        if (listed == INVALID_HANDLE_VALUE)
            return FileState::Missing;
        FindClose(listed);
        return found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT ? FileState::NotRegular
                                                                     : FileState::Missing;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    FileState state = FileState::Regular;
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)))
        state = FileState::NotRegular;
    else if (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
        state = FileState::ReadOnly;
    // The file reached through whatever links the path holds (Wine shows
    // the system's own links as plain files, so every path is asked).
    if (state == FileState::Regular) {
        std::wstring final(1024, L'\0');
        DWORD n = GetFinalPathNameByHandleW(file, &final[0], static_cast<DWORD>(final.size()),
                                            FILE_NAME_NORMALIZED);
        if (n >= final.size()) {
            final.resize(n + 1);
            n = GetFinalPathNameByHandleW(file, &final[0], static_cast<DWORD>(final.size()),
                                          FILE_NAME_NORMALIZED);
        }
        if (n > 0 && n < final.size()) {
            final.resize(n);
            std::string narrow;
            if (!SamePath(final, name) && NarrowPath(final, narrow))
                target = narrow;
        }
    }
    CloseHandle(file);
    return state;
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
    if (source.empty() || target.empty())
        return false;
    // A file cannot be renamed over while anything has it open, and others
    // open it for a moment: a reader, a virus scanner, another program
    // checking the file before it takes the results lock. Such a moment is
    // waited out.
    const DWORD begin = GetTickCount();
    for (;;) {
        if (MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = GetLastError();
        if ((error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED &&
             error != ERROR_LOCK_VIOLATION) ||
            GetTickCount() - begin >= 1000)
            return false;
        Sleep(10);
    }
}

bool RemoveFile(const std::string& path) {
    const std::wstring name = LongPathForm(path);
    return !name.empty() && DeleteFileW(name.c_str()) != 0;
}

ReplacingFile::Handle OpenLockFile(const std::string& path) {
    const std::wstring name = LongPathForm(path);
    // Without FILE_SHARE_DELETE nobody removes the file while it is open.
    // Read access is enough for LockFileEx.
    HANDLE file = name.empty() ? INVALID_HANDLE_VALUE
                               : CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                             nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE && GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        file = INVALID_HANDLE_VALUE;
    }
    return reinterpret_cast<ReplacingFile::Handle>(file);
}

TryLock TryLockFile(ReplacingFile::Handle file) {
    OVERLAPPED at{};
    if (LockFileEx(reinterpret_cast<HANDLE>(file), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1,
                   0, &at))
        return TryLock::Locked;
    const DWORD error = GetLastError();
    return error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING ? TryLock::Busy : TryLock::Failed;
}

void UnlockFile(ReplacingFile::Handle file) {
    // Unlocked before closing: a lock left to the close is released only
    // when the system gets round to it.
    OVERLAPPED at{};
    UnlockFileEx(reinterpret_cast<HANDLE>(file), 0, 1, 0, &at);
    CloseHandle(reinterpret_cast<HANDLE>(file));
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
