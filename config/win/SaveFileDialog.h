// The system save-file dialog for text files, behind one replaceable call so
// that tests never block on the system call (asked in UTF-16).
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>

class Application;

// Replaces the system dialog (tests); null restores it. The hook gets the
// filled-in request and answers like the system call: true with the chosen
// path written into lpstrFile, false for Cancel.
using SaveFileNameHook = bool (*)(OPENFILENAMEA* request);
SaveFileNameHook SetSaveFileNameHook(SaveFileNameHook hook);

// Shows the dialog owned by `owner` with 1024-byte path and title buffers
// starting with `initialName` and `initialTitle`, the filter "Text Files"
// (*.TXT) then "All Files" (*.*), the first selected, the default extension,
// and only OFN_LONGNAMES (no overwrite question: callers ask themselves).
// True with the full path in `chosen` when the operator confirmed.
// `filter` (pairs of NUL-terminated strings) replaces the text-file filter.
bool ShowSaveFileDialog(HWND owner, const std::string& initialName, const std::string& initialTitle,
                        const char* defaultExtension, std::string& chosen, const char* filter = nullptr);

// The text-file question of the application: proposes `path`, or when it is
// empty the last path chosen here during this run. On confirmation stores the
// choice in `path` and as the last path and returns true; Cancel changes
// nothing.
bool AskSaveFileName(Application& app, std::string& path);
// The same question for another kind of file (a web page, a CSV file):
// proposes `path`, with that filter and default extension.
bool AskSaveFileNameOf(Application& app, std::string& path, const char* filter, const char* extension);
