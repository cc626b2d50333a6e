// The player page (page 5): what it keeps between visits, in the
// application object, and the open-file question behind a replaceable call.
#pragma once

#include "sound/MorsePlayerApi.h"
#include "player/PlayerFile.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

struct PlayerPageState {
    PlayerFile file;
    std::string loadedPath; // the path `file` was read from; "" when none
    size_t current = 0;     // the text shown, or being sent
    int speed = 0;          // speed of the text being sent
    int preambleLength = 0;
    bool sending = false; // a text is being sent (not the pause after it)
    uint32_t runStart = 0, pauseStart = 0;
    int clientWidth = 0, clientHeight = 0;
    std::unique_ptr<IMorsePlayer> player; // only while the page is shown
};
