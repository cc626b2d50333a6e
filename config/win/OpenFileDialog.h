// The system open-file dialog, behind one replaceable call so that tests
// never block on the system call.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>

// Replaces the system dialog (tests); null restores it. The hook answers like
// the system call: true with the chosen path in lpstrFile, false for Cancel.
using OpenFileNameHook = bool (*)(OPENFILENAMEA* request);
OpenFileNameHook SetOpenFileNameHook(OpenFileNameHook hook);

// Asks for a file owned by `owner`, proposing `path`, with the filter (pairs
// of NUL-terminated strings) and default extension; `mustExist` for a file
// to be read. True with the choice in `path`; Cancel changes nothing.
bool AskOpenFileName(HWND owner, const char* filter, const char* extension, bool mustExist,
                     std::string& path);

// The system's open (or save) dialog for a request in narrow names (the code
// page of file names, UTF-8 in the program), asked through the wide call so
// that a folder named in any script can be chosen: the chosen name is
// written back into lpstrFile; false for Cancel and for a name too long for
// the buffer.
bool RunWideFileDialog(OPENFILENAMEA& request, bool save);
