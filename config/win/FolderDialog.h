// The system folder chooser, behind one replaceable call so that tests never
// block on SHBrowseForFolder.
#pragma once

#include <windows.h>

#include <string>

// Replaces the chooser (tests); null restores it. The hook answers like the
// chooser: true with the chosen folder in `folder`, false for Cancel.
using FolderHook = bool (*)(const std::string& title, std::string& folder);
FolderHook SetFolderHook(FolderHook hook);

// Asks for a folder owned by `owner` under the title `title` (in the system's
// code page), opening at `folder` when it names one. True with the choice in
// `folder`; Cancel changes nothing.
bool AskFolder(HWND owner, const std::string& title, std::string& folder);
