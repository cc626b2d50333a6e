#pragma once

#include "app/ConfigLocation.h"

// The file system and %APPDATA%\KLAVIRO\ as the configuration's place rules see them.
const ConfigLocationCalls& SystemConfigLocationCalls();

// The user's documents folder, which the system creates if needed; "" when
// it names none.
std::string DocumentsDirectory();

// Creates the folder of `file` (one level) when it does not exist yet.
void EnsureFolderOf(const std::string& file);
