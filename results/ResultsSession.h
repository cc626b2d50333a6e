// What the results page keeps between visits and decides without its window:
// the limits from the configuration, the names offered for the participant,
// stepping through the texts of a control-text file.
#pragma once

#include "texts/ControlTextBlocks.h"
#include "results/Results.h"

#include <string>
#include <vector>

class ConfigStore;

// [Results] MaxErrors (0 or more, default 5) and MaxCopies (1 or more,
// default 3); a missing or unusable value is stored with its default.
ResultsLimits ReadResultsLimits(ConfigStore& store);

// Every participant with a mark, each once (by NameKey, as first spelt), in
// name order.
std::vector<std::string> ParticipantNames(const std::vector<MarkRecord>& records);

// The speed `delta` texts away from `current` in `speeds` (lowest first),
// stopping at either end; the first speed when `current` is not among them.
int StepSpeed(const std::vector<int>& speeds, int current, int delta);

struct ResultsSession {
    // Client size at the last layout; the template's client size and its
    // rectangles of the controls that share the right-hand side's height.
    struct Box {
        int left, top, right, bottom;
    };
    int clientWidth = 0, clientHeight = 0;
    int baseWidth = 0, baseHeight = 0;
    Box textBox{}, viewLabel{}, view{}, category{}, list{};
    // The control-text file whose speeds the page lists.
    std::string controlPath;
    std::vector<ControlBlock> blocks;
    // Participants in the order of the page's list, UTF-8; the list shows
    // them in the system's code page, which may not hold every letter.
    std::vector<std::string> names;
    // The categories the rankings can be shown for, after "everyone" (UTF-8;
    // "" for the participants in none).
    std::vector<std::string> categories;
};
