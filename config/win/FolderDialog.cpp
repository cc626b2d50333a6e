#include "config/win/FolderDialog.h"

#include "app/Platform.h"
#include "app/win/WideText.h"

#include <shlobj.h>

namespace {

FolderHook folderHook = nullptr;

// Opens the chooser at the folder proposed (lpData), so that the organiser
// starts beside the competition's files rather than at the desktop.
int CALLBACK SelectProposed(HWND chooser, UINT message, LPARAM, LPARAM data) {
    // Selected by its item list: Wine's chooser does not take the path in
    // UTF-16 (BFFM_SETSELECTIONW with a string selects nothing).
    if (message == BFFM_INITIALIZED && data)
        if (PIDLIST_ABSOLUTE item = ILCreateFromPathW(reinterpret_cast<const wchar_t*>(data))) {
            SendMessageW(chooser, BFFM_SETSELECTIONW, FALSE, reinterpret_cast<LPARAM>(item));
            ILFree(item);
        }
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
    // Through the wide calls: the title is the language's text, the folder
    // a name in any script.
    wchar_t chosen[MAX_PATH] = L"";
    const std::wstring shownTitle = TextToWide(title);
    BROWSEINFOW request{};
    request.hwndOwner = owner;
    request.pszDisplayName = chosen;
    request.lpszTitle = shownTitle.c_str();
    // The edit box takes a typed or pasted path as well as a click in the tree.
    request.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX;
    std::string proposed = folder;
    while (proposed.size() > 3 && (proposed.back() == '\\' || proposed.back() == '/'))
        proposed.pop_back();
    request.lpfn = SelectProposed;
    const std::wstring wideProposed = FileSystemPath(proposed).native();
    request.lParam = wideProposed.empty() ? 0 : reinterpret_cast<LPARAM>(wideProposed.c_str());
    PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&request);
    if (!item)
        return false;
    // A virtual folder (the printers, say) has no path: nothing chosen.
    const bool hasPath = SHGetPathFromIDListW(item, chosen) != FALSE;
    CoTaskMemFree(item);
    if (!hasPath)
        return false;
    const std::string name = FileNameOf(std::filesystem::path(chosen));
    if (name.empty())
        return false;
    folder = name;
    return true;
}
