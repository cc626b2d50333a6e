#include "config/win/FolderDialog.h"

#include <shlobj.h>

namespace {
FolderHook folderHook = nullptr;
} // namespace

FolderHook SetFolderHook(FolderHook hook) {
    FolderHook previous = folderHook;
    folderHook = hook;
    return previous;
}

bool AskFolder(HWND owner, const std::string& title, std::string& folder) {
    if (folderHook)
        return folderHook(title, folder);
    char chosen[MAX_PATH] = "";
    BROWSEINFOA request{};
    request.hwndOwner = owner;
    request.pszDisplayName = chosen;
    request.lpszTitle = title.c_str();
    request.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE item = SHBrowseForFolderA(&request);
    if (!item)
        return false;
    // A virtual folder (the printers, say) has no path: nothing chosen.
    const bool hasPath = SHGetPathFromIDListA(item, chosen) != FALSE;
    CoTaskMemFree(item);
    if (!hasPath)
        return false;
    folder = chosen;
    return true;
}
