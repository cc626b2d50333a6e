// The player page (page 5): what it keeps between visits, in the
// application object, and the open-file question behind a replaceable call.
#pragma once

#include "player/KeyTimesSound.h"
#include "player/PlayerFile.h"
#include "texts/win/RunView.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct PlayerPageState : RunClocks {
    PlayerFile file;
    std::string loadedPath; // the path `file` was read from; "" when none
    size_t current = 0;     // the text shown, or being sent
    // A transmissions or key times file: its takes, played as keyed (the
    // list shows them instead of texts), and the sound of the current one.
    std::vector<KeyedTake> takes;
    RecordedSound keyed;
};
