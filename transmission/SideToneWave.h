// The side tone's samples as a function of the stream position and the key
// edges placed on it: a sine of continuous phase (or a square wave) switched
// on and off at the edges with the player's ramps (MorseRampGain over
// MorseRampSamples), so that the keyed tone does not click even when a press
// is shorter than a ramp. Render is a pure function of the edges, which lets
// the side tone's writer render any span again once a new edge has arrived.
// Not thread-safe: the side tone's writer thread owns it.
#pragma once

#include <cstdint>
#include <vector>

class SideToneWave {
public:
    // shape MorseToneSquare or MorseToneSine (the square wave has no ramps,
    // as in the player); unitSamples sets the ramp as for the player's text
    // (MorseRampSamples: 5 ms, or a third of a unit when that is shorter);
    // 0 (a straight key) gives 5 ms.
    // The volume is the output buffer's.
    SideToneWave(int sampleRate, int frequency, int shape, int unitSamples);

    // Places an edge at stream position `at` (samples); edges come in order,
    // an edge earlier than the last one is moved to it, a repeated state is
    // ignored. Returns whether the key state changed.
    bool Edge(uint64_t at, bool down);
    bool IsDown() const;
    // Writes samples [from, from + n) at `out`.
    void Render(uint64_t from, uint32_t n, int16_t* out) const;
    // Drops edges whose ramps ended before `position` (nothing is rendered
    // before it any more).
    void Forget(uint64_t position);
    uint32_t RampSamples() const { return ramp_; }

private:
    double Gain(uint64_t p) const;
    const int rate_;
    const int frequency_;
    const int shape_;
    const uint32_t ramp_;
    struct KeyEdge {
        uint64_t at;
        bool down;
    };
    bool downBefore_ = false; // state before the first kept edge
    std::vector<KeyEdge> edges_;
};
