// What a competition reception run keeps between the options page, which
// chooses it, and the run page, which sends it. Lives in the application
// object so that it survives moving between pages.
#pragma once

#include "sound/MorsePlayerApi.h"

#include <cstdint>
#include <memory>
#include <string>

struct CompetitionState {
    // Chosen by Next on the options page.
    int32_t kind = 0;     // TextKind
    int32_t speed = 100;  // of the current or next text, characters per minute
    int32_t interval = 60; // pause between texts, seconds
    std::string path;     // control-text file

    // Kept by the run page.
    int32_t textNumber = -1; // seed of the current text; -1: none
    std::string text;
    std::string alphabet;
    int32_t clientWidth = 0;
    int32_t clientHeight = 0;
    // Exists while the run page is shown.
    std::unique_ptr<IMorsePlayer> player;
    uint32_t pauseStart = 0; // tick count at the end of the last text
    uint32_t runStart = 0;   // tick count at Start
    int32_t preambleLength = 0;
    // 1 while a text is sent (and after Stop), 0 during a pause.
    uint8_t sending = 0;
};
