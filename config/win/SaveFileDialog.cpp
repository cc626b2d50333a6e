#include "config/win/SaveFileDialog.h"

#include "app/UserFiles.h"
#include "app/win/Application.h"
#include "config/win/OpenFileDialog.h"

#include <cstring>

namespace {

SaveFileNameHook saveFileNameHook = nullptr;

// Paths are limited to 1023 bytes and a terminating zero.
constexpr size_t kPathBuffer = 1024;

void CopyInto(char (&buffer)[kPathBuffer], const std::string& text) {
    const size_t n = text.size() < kPathBuffer - 1 ? text.size() : kPathBuffer - 1;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

} // namespace

SaveFileNameHook SetSaveFileNameHook(SaveFileNameHook hook) {
    SaveFileNameHook previous = saveFileNameHook;
    saveFileNameHook = hook;
    return previous;
}

bool ShowSaveFileDialog(HWND owner, const std::string& initialName, const std::string& initialTitle,
                        const char* defaultExtension, std::string& chosen, const char* filter) {
    PrepareUserFilesFolder(initialName); // so that the dialog can open there
    char file[kPathBuffer];
    char title[kPathBuffer];
    CopyInto(file, initialName);
    CopyInto(title, initialTitle);
    static const char kFilter[] = "Text Files\0*.TXT\0All Files\0*.*\0";

    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = filter ? filter : kFilter;
    request.nFilterIndex = 1;
    request.lpstrFile = file;
    request.nMaxFile = kPathBuffer;
    request.lpstrFileTitle = title;
    request.nMaxFileTitle = kPathBuffer;
    request.lpstrDefExt = defaultExtension;
    request.Flags = OFN_LONGNAMES;

    const bool confirmed = saveFileNameHook ? saveFileNameHook(&request) : RunWideFileDialog(request, true);
    if (!confirmed)
        return false;
    file[kPathBuffer - 1] = '\0';
    chosen = file;
    return true;
}

bool AskSaveFileName(Application& app, std::string& path) {
    const std::string& initial = path.empty() ? app.lastSavePath : path;
    std::string chosen;
    if (!ShowSaveFileDialog(app.mainWindow, initial, "", "TXT", chosen))
        return false;
    path = chosen;
    app.lastSavePath = chosen;
    return true;
}

bool AskSaveFileNameOf(Application& app, std::string& path, const char* filter, const char* extension) {
    std::string chosen;
    if (!ShowSaveFileDialog(app.mainWindow, path, "", extension, chosen, filter))
        return false;
    path = chosen;
    return true;
}
