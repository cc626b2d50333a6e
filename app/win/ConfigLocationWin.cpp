#include "app/win/ConfigLocationWin.h"

#include "app/Platform.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

namespace {

// Paths are file names in the program's code page of names (UTF-8 in the
// program), asked through the wide calls.
std::wstring Wide(const std::string& path) {
    return FileSystemPath(path).native();
}

bool FileExists(const std::string& path) {
    DWORD a = GetFileAttributesW(Wide(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string FolderOf(const std::string& file) {
    size_t slash = file.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".\\") : file.substr(0, slash + 1);
}

bool Writable(const std::string& path) {
    if (FileExists(path)) {
        if (GetFileAttributesW(Wide(path).c_str()) & FILE_ATTRIBUTE_READONLY)
            return false;
        // Opening for writing without truncating tells a locked or
        // read-only-mounted file from a writable one.
        HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return false;
        CloseHandle(h);
    }
    // The save writes a new file beside the configuration and renames it,
    // so the folder must take new files too: create a uniquely named probe
    // that the system removes when it is closed.
    const std::string folder = FolderOf(path);
    for (DWORD attempt = 0; attempt < 16; ++attempt) {
        const std::string probe = folder + "KLAVIRO-" + std::to_string(GetCurrentProcessId()) + "-" +
                                  std::to_string(GetTickCount() + attempt) + ".probe";
        HANDLE h = CreateFileW(Wide(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            CloseHandle(h);
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS)
            return false;
    }
    return false;
}

std::string FolderPath(int folder) {
    wchar_t buf[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, buf)) || !buf[0])
        return "";
    return FileNameOf(std::filesystem::path(buf));
}

std::string UserDirectory() {
    std::string dir = FolderPath(CSIDL_APPDATA);
    if (dir.empty())
        return "";
    if (dir.back() != '\\')
        dir += '\\';
    return dir + "KLAVIRO\\";
}

} // namespace

const ConfigLocationCalls& SystemConfigLocationCalls() {
    static const ConfigLocationCalls calls{FileExists, Writable, UserDirectory};
    return calls;
}

std::string DocumentsDirectory() {
    return FolderPath(CSIDL_PERSONAL | CSIDL_FLAG_CREATE);
}

void EnsureFolderOf(const std::string& file) {
    const std::string folder = FolderOf(file);
    CreateDirectoryW(Wide(folder).c_str(), nullptr); // fails harmlessly when it exists
}
