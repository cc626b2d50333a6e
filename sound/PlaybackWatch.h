// Tells a page polling its player when the text has finished. Right after
// output is released the player may still report idle until its thread
// wakes, so idle counts as finished only once it has been seen playing, or
// when it never started within a grace period.
#pragma once

#include <cstdint>

constexpr uint32_t kPlaybackStartGraceMs = 1000;

class PlaybackWatch {
public:
    // Output was released (pause(false)) at tick `now`.
    void release(uint32_t now);
    // Polled with the player's isPlaying at tick `now`.
    bool finished(bool isPlaying, uint32_t now);

private:
    uint32_t releasedAt_ = 0;
    bool seenPlaying_ = false;
};
