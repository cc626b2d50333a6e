#include "config/win/OpenFileDialog.h"

#include "app/Platform.h"
#include "app/UserFiles.h"

#include <cstring>

#include <algorithm>
#include <cstdio>

namespace {
OpenFileNameHook g_hook = nullptr;

// A list of NUL-terminated ASCII strings ending in an empty one.
std::wstring WideList(const char* list) {
    std::wstring wide;
    for (const char* p = list; p && *p; p += std::strlen(p) + 1) {
        wide.append(p, p + std::strlen(p));
        wide += L'\0';
    }
    wide += L'\0';
    return wide;
}

std::wstring WideName(const char* name) {
    return name ? FileSystemPath(name).native() : std::wstring();
}
} // namespace

bool RunWideFileDialog(OPENFILENAMEA& narrow, bool save) {
    std::wstring file = WideName(narrow.lpstrFile);
    file.resize(std::max<size_t>(file.size() + 1, 32768), L'\0');
    std::wstring title(narrow.lpstrFileTitle ? narrow.nMaxFileTitle : 0, L'\0');
    const std::wstring filter = WideList(narrow.lpstrFilter);
    const std::wstring extension = WideName(narrow.lpstrDefExt);
    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = narrow.hwndOwner;
    request.lpstrFilter = narrow.lpstrFilter ? filter.c_str() : nullptr;
    request.nFilterIndex = narrow.nFilterIndex;
    request.lpstrFile = &file[0];
    request.nMaxFile = static_cast<DWORD>(file.size());
    request.lpstrFileTitle = title.empty() ? nullptr : &title[0];
    request.nMaxFileTitle = static_cast<DWORD>(title.size());
    request.lpstrDefExt = narrow.lpstrDefExt ? extension.c_str() : nullptr;
    request.Flags = narrow.Flags;
    if (!(save ? GetSaveFileNameW(&request) : GetOpenFileNameW(&request)))
        return false;
    const std::string chosen = FileNameOf(std::filesystem::path(file.c_str()));
    if (chosen.empty() || chosen.size() >= narrow.nMaxFile)
        return false;
    std::memcpy(narrow.lpstrFile, chosen.c_str(), chosen.size() + 1);
    return true;
}

OpenFileNameHook SetOpenFileNameHook(OpenFileNameHook hook) {
    OpenFileNameHook previous = g_hook;
    g_hook = hook;
    return previous;
}

bool AskOpenFileName(HWND owner, const char* filter, const char* extension, bool mustExist,
                     std::string& path) {
    PrepareUserFilesFolder(path); // so that the dialog can open there
    char file[1024];
    std::snprintf(file, sizeof file, "%s", path.c_str());
    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = filter;
    request.nFilterIndex = 1;
    request.lpstrFile = file;
    request.nMaxFile = sizeof file;
    request.lpstrDefExt = extension;
    request.Flags =
        OFN_LONGNAMES | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | (mustExist ? OFN_FILEMUSTEXIST : 0);
    const bool confirmed = g_hook ? g_hook(&request) : RunWideFileDialog(request, false);
    if (!confirmed)
        return false;
    file[sizeof file - 1] = '\0';
    path = file;
    return true;
}
