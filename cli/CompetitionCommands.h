// What the organisation's commands share: the competition file as a
// command reads it (a missing one is named as such, a bad one refused), and
// the batch marking that "mark --folder" runs.
#pragma once

#include "organisation/Competition.h"

#include <string>
#include <vector>

// Loads the competition file; false with `error` set when it is missing
// (unless `missingIsNew`) or unreadable.
bool LoadCompetitionForCli(const std::string& path, bool missingIsNew, Competition& competition,
                           std::string& error);

// klaviro-cli mark --folder ...
int RunMarkFolder(const std::vector<std::string>& args);
