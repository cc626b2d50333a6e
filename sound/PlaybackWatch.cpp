#include "sound/PlaybackWatch.h"

void PlaybackWatch::release(uint32_t now) {
    releasedAt_ = now;
    seenPlaying_ = false;
}

bool PlaybackWatch::finished(bool isPlaying, uint32_t now) {
    if (isPlaying) {
        seenPlaying_ = true;
        return false;
    }
    return seenPlaying_ || now - releasedAt_ >= kPlaybackStartGraceMs;
}
