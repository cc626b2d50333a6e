// What the working pages keep between visits. The blocks live in the
// application object, so a page can be hidden and shown again, and so two
// instances of one page share one block.
#pragma once

#include "sound/MorsePlayerApi.h"
#include "sound/SoundSettingsValues.h" // SoundSettingsState
#include "texts/TrainingSession.h"     // TrainingState
#include "texts/win/RunView.h"         // RunClocks

#include <array>
#include <cstdint>
#include <memory>
#include <string>

// Display colours page: the working copy, and the custom colours that every
// colour chooser of the run shares (white at start, never saved).
struct ColoursState {
    static constexpr int kColours = 18;
    std::array<uint32_t, kColours> working{};
    std::array<uint32_t, 16> custom;
    ColoursState() { custom.fill(0xFFFFFF); }
};

// Competition reception, shared by the options page and the run page.
struct CompetitionState : RunClocks {
    CompetitionState() { speed = 100; }
    int textKind = 0;
    int interval = 60;
    std::string controlFile;
    int textNumber = -1;
    std::string text;
    std::string alphabet;
    // A Start of this visit to the run page has written the control-text
    // file: later Starts append, so a Stop by mistake costs no sent text.
    bool controlFileStarted = false;
};
