#include "config/win/FolderDialog.h"

#include <shlobj.h>

namespace {

FolderHook folderHook = nullptr;

// Opens the chooser at the folder proposed (lpData), so that the organiser
// starts beside the competition's files rather than at the desktop.
int CALLBACK SelectProposed(HWND chooser, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED && data)
        SendMessageA(chooser, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

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
    // The edit box takes a typed or pasted path as well as a click in the tree.
    request.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX;
    std::string proposed = folder;
    while (proposed.size() > 3 && (proposed.back() == '\\' || proposed.back() == '/'))
        proposed.pop_back();
    request.lpfn = SelectProposed;
    request.lParam = proposed.empty() ? 0 : reinterpret_cast<LPARAM>(proposed.c_str());
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
