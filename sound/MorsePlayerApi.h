// What a page needs of a Morse player. The real player plays through
// DirectSound on its own thread; tests install a scripted one.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class AppConfig;

// Samples made elsewhere (a sender's keying as keyed), played as they are:
// 16-bit at the player's rate (the square-wave player takes their high
// bytes); `starts` gives the sample where each character of `text` begins.
struct RecordedSound {
    std::string text;
    std::vector<int16_t> samples;
    std::vector<uint32_t> starts;
};

class IMorsePlayer {
public:
    virtual ~IMorsePlayer() = default; // destroys the player (destroy)
    virtual bool failed() const = 0;
    // Loads a text (the player appends one blank); output waits for pause(false).
    // effectiveUnit > unit stretches the gaps between signs and words so that
    // the text lasts as at that unit's speed (MorseStream::Load).
    virtual void start(const std::string& text, int unit, int delaySeconds, int frequency, int markA,
                       int markB, int space, int effectiveUnit = 0) = 0;
    // Loads recorded samples instead of a text; output waits for pause(false).
    virtual void startRecorded(const RecordedSound& sound) = 0;
    virtual void pause(bool paused) = 0;
    virtual bool isPlaying() const = 0;
    // Index of the character being heard, -1 before the first.
    virtual int currentCharacter() const = 0;
    // Tick count at which mark A (B) began to sound, -1 until it has.
    virtual int64_t markTimeA() const = 0;
    virtual int64_t markTimeB() const = 0;
};

// Creates a player for a window (void* is its HWND), sample rate, volume,
// sound type and tone shape (MorseToneSquare or MorseToneSine). Pages create
// every player through this one function.
using MorsePlayerFactory = std::function<std::unique_ptr<IMorsePlayer>(
    void* window, int sampleRate, int volume, int soundType, int toneShape)>;
// Replaces the factory (tests); an empty function restores the real player.
void SetMorsePlayerFactory(MorsePlayerFactory factory);
std::unique_ptr<IMorsePlayer> CreateMorsePlayer(void* window, int sampleRate, int volume, int soundType,
                                                int toneShape = 0);
// A player with the stored sound settings (SPS, Volume, SoundType,
// ToneShape): how the reception pages make theirs.
std::unique_ptr<IMorsePlayer> CreateConfiguredPlayer(void* window, AppConfig& settings);
