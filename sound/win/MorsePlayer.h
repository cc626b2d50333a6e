// The real Morse player: a DirectSound looping buffer of mono samples (8-bit
// for the square wave, 16-bit for the shaped sine), kept filled ahead of the
// play cursor by a playback thread of its own.
#pragma once

#include "sound/MorsePlayerApi.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

struct MorsePlayerState;

// Test seam into the playback thread of players created while it is set.
struct MorsePlayerProbe {
    // After each wake-up of running output (a test sleeps here to act as a
    // busy machine that wakes the thread late).
    std::function<void()> afterWake;
    // After each segment filled, before it is unlocked: its index in the
    // buffer, the stream offset written into it, the play cursor read at the
    // wake-up, and the bytes written.
    std::function<void(uint32_t segment, uint32_t offset, uint32_t cursor, const void* data, uint32_t bytes)>
        filled;
    // Before each Lock of the buffer: true makes that Lock fail as a lost
    // buffer does.
    std::function<bool()> failLock;
    // After each Restore of the buffer.
    std::function<void()> restored;
    // Before each Play and each SetCurrentPosition of the buffer: true makes
    // that call fail.
    std::function<bool()> failPlay;
    std::function<bool()> failSetPosition;
};
// Installs the probe (nullptr removes it); it must outlive the players.
void SetMorsePlayerProbe(const MorsePlayerProbe* probe);

class MorsePlayer : public IMorsePlayer {
public:
    // Starts the playback thread and waits (at most 5000 ms) until it is
    // ready or has failed; check failed() afterwards.
    MorsePlayer(HWND window, int sampleRate, int volume, int soundType, int toneShape = 0);
    // Stops the thread and returns once it has ended (see the definition).
    ~MorsePlayer() override;
    MorsePlayer(const MorsePlayer&) = delete;
    MorsePlayer& operator=(const MorsePlayer&) = delete;

    bool failed() const override;
    // Hands the thread a new text once it has gone idle; a thread that does
    // not go idle within the pause wait makes the player failed (the new
    // text could not be loaded, and the old one must not play on).
    void start(const std::string& text, int unit, int delaySeconds, int frequency, int markA, int markB,
               int space, int effectiveUnit = 0) override;
    void startRecorded(const RecordedSound& sound) override;
    void pause(bool paused) override;
    bool isPlaying() const override;
    int currentCharacter() const override;
    int64_t markTimeA() const override;
    int64_t markTimeB() const override;

private:
    // Pauses the thread for a new sound: false when it cannot take one.
    bool Idle();
    // Output from the new sound's first sample on.
    void Rewind();

    std::shared_ptr<MorsePlayerState> state_;
    HANDLE thread_ = nullptr;
};
