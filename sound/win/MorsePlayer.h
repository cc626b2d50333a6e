// The real Morse player: a DirectSound looping buffer of 8-bit mono samples,
// kept filled ahead of the play cursor by a playback thread of its own.
#pragma once

#include "sound/MorsePlayerApi.h"

#include <windows.h>

#include <memory>

struct MorsePlayerState;

class MorsePlayer : public IMorsePlayer {
public:
    // Starts the playback thread and waits (at most 5000 ms) until it is
    // ready or has failed; check failed() afterwards.
    MorsePlayer(HWND window, int sampleRate, int volume, int soundType);
    // Stops the thread and returns once it has ended (see the definition).
    ~MorsePlayer() override;
    MorsePlayer(const MorsePlayer&) = delete;
    MorsePlayer& operator=(const MorsePlayer&) = delete;

    bool failed() const override;
    void start(const std::string& text, int unit, int delaySeconds, int frequency, int markA, int markB,
               int space) override;
    void pause(bool paused) override;
    bool isPlaying() const override;
    int currentCharacter() const override;
    int64_t markTimeA() const override;
    int64_t markTimeB() const override;

private:
    std::shared_ptr<MorsePlayerState> state_;
    HANDLE thread_ = nullptr;
};
