// The system open-file dialog, behind one replaceable call so that tests
// never block on GetOpenFileNameA.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>

// Replaces GetOpenFileNameA (tests); null restores it. The hook answers like
// the system call: true with the chosen path in lpstrFile, false for Cancel.
using OpenFileNameHook = bool (*)(OPENFILENAMEA* request);
OpenFileNameHook SetOpenFileNameHook(OpenFileNameHook hook);

// Asks for a file owned by `owner`, proposing `path`, with the filter (pairs
// of NUL-terminated strings) and default extension; `mustExist` for a file
// to be read. True with the choice in `path`; Cancel changes nothing.
bool AskOpenFileName(HWND owner, const char* filter, const char* extension, bool mustExist,
                     std::string& path);
