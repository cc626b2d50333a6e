// The whole stream of a text up to and including the first segment that
// reports the end, filled in segments of the player's size: 8-bit samples
// for the square wave, 16-bit for the sine.
#pragma once

#include "sound/MorseStream.h"

#include <cstdint>
#include <vector>

template <class Sample = uint8_t> std::vector<Sample> Render(MorseStream& s, uint32_t segment) {
    std::vector<Sample> out;
    bool complete = false;
    while (!complete) {
        const size_t at = out.size();
        out.resize(at + segment);
        complete = s.Fill(out.data() + at, segment);
    }
    return out;
}
