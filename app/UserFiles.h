// Where the files the user makes (control texts, results, saved texts) go
// when they are named without a folder. A portable copy keeps them in the
// current folder, as it always did; an installed copy, whose program folder
// cannot be written and whose settings therefore live in the application
// data folder, keeps them in the user's documents, in a folder of its own.
#pragma once

#include "app/ConfigLocation.h"

#include <string>

// The folder decided at start, ending in a backslash; "" for the current
// folder. `documents` is the user's documents folder ("" when the system
// names none, and then the settings' own folder takes the files).
std::string ChooseUserFilesFolder(const std::string& programConfig, const ConfigFiles& config,
                                  const std::string& documents);

// True for a name that the current folder would complete: "Letters.txt",
// "sub\x.txt", "..\x.txt". A drive ("C:\", "C:x"), a root ("\x") or a
// network name ("\\server\x") is a place of its own.
bool IsFolderlessName(const std::string& name);

// `name` completed with `folder` (which ends in a backslash) when it is
// folderless; any other name, and "", unchanged.
std::string CompleteName(const std::string& folder, const std::string& name);

// Process-wide, set once by the entry point before any window exists.
void SetUserFilesFolder(const std::string& folder);
const std::string& UserFilesFolder();

// `name` as the pages use it: completed with the user's files folder, or
// with the current folder for a portable copy.
std::string UserFilePath(const std::string& name);

// Before a file is written (or a file dialog opens) at `path`: creates the
// user's files folder if `path` lies in it and it does not exist yet. False
// only when that folder was needed and could not be made.
bool PrepareUserFilesFolder(const std::string& path);
