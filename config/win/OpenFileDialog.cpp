#include "config/win/OpenFileDialog.h"

#include "app/UserFiles.h"

#include <cstdio>

namespace {
OpenFileNameHook g_hook = nullptr;
} // namespace

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
    const bool confirmed = g_hook ? g_hook(&request) : GetOpenFileNameA(&request) != FALSE;
    if (!confirmed)
        return false;
    file[sizeof file - 1] = '\0';
    path = file;
    return true;
}
