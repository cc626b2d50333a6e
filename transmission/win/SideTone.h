// The side tone: the key sounds at once through a DirectSound output of its
// own, a short looping 16-bit mono buffer. A writer thread keeps some
// milliseconds rendered ahead of the write cursor; a key edge wakes it at
// once and the samples from the write cursor on are rendered again with the
// new edge (SideToneWave), so the tone starts within the device's own
// latency, with the sound settings' frequency, volume and tone shape.
//
// Threading: KeyDown/KeyUp may be called from any thread and never block
// (they set an atomic and an event). Construction waits (at most 2000 ms)
// for the device; failed() then says whether the tone will sound. The
// destructor stops the thread (bounded wait) and releases the device.
//
// Measuring the latency: run KLAVIRO (or a test program) with ALSA's file
// plugin writing into a FIFO read at real time (tests/e2e/lib.sh
// e2e_capture_start, tests/e2e/sound_capture.py), inject key presses at
// known keying-clock times, and compare the onsets of the tone in the capture
// with the key-down times: take the first key-down as the time origin of both
// and look at the spread of (tone onset - key down) over the later presses,
// plus the first one's offset when the capture start is known.
#pragma once

#include <windows.h>

#include <memory>

struct SideToneState;

struct SideToneSettings {
    int sampleRate = 22050;
    int frequency = 850;
    int volume = 85;   // 0..100, as the sound settings
    int toneShape = 1; // MorseToneSquare or MorseToneSine
    int soundType = 0; // 1 forces a software buffer, as the player's scheme 1
    double unitMs = 0; // the keyer's unit (ramps no longer than a third of it); 0: 5 ms ramps
};

class SideTone {
public:
    SideTone(HWND window, const SideToneSettings& settings);
    ~SideTone();
    SideTone(const SideTone&) = delete;
    SideTone& operator=(const SideTone&) = delete;

    // True when the output could not be opened or has failed since: keying
    // goes on silently.
    bool failed() const;
    void KeyDown();
    void KeyUp();

private:
    std::shared_ptr<SideToneState> state_;
    HANDLE thread_ = nullptr;
};
