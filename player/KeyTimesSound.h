// A sender's key timings as sound: each key press a tone from its down to
// its up time, silence between, so that a referee hears the transmission as
// it was keyed (not as the decoder read it).
#pragma once

#include "sound/MorsePlayerApi.h"
#include "transmission/KeyTiming.h"

#include <cstdint>
#include <string>
#include <vector>

// Silence before the first press and after the last one.
constexpr double kKeyTimesLeadMs = 500, kKeyTimesTailMs = 300;
// The longest playback made: an hour (a one-minute test is far below).
constexpr double kKeyTimesLongestMs = 3600.0 * 1000;

// The samples (16-bit, `sampleRate`) of the presses: time 0 is
// kKeyTimesLeadMs before the first down. A sine (MorseToneSine) ramps its
// edges as the player's tones do (5 ms, or a third of a short press), centred
// on the key's edges; a square wave (MorseToneSquare) switches at them.
// Presses out of order or overlapping the one before sound where they lie;
// a press whose up is not after its down is silent. Empty for no presses.
std::vector<int16_t> KeyTimesSamples(const KeyTimes& presses, int sampleRate, int frequency, int toneShape);

// The sound with the decoded `text`: `characterStartsMs[i]` (keying clock)
// is where character i begins; missing starts repeat the last one.
RecordedSound KeyTimesSound(const KeyTimes& presses, const std::string& text,
                            const std::vector<double>& characterStartsMs, int sampleRate, int frequency,
                            int toneShape);

// The sound of key times with their decoding (the adaptive decoder, from the
// unit guess): the decoded text, groups apart, each character starting at
// its first press, a blank at the first press of the group it opens.
RecordedSound DecodedKeyTimesSound(const KeyTimes& presses, double guessUnitMs, int sampleRate, int frequency,
                                   int toneShape);

// One transmission a file holds, to be played as keyed.
struct KeyedTake {
    std::string label; // UTF-8: "participant, discipline number: cpm" or the file's name
    KeyTimes keys;
};
enum class KeyedLoad {
    Loaded,
    NotKeyed,   // neither a transmission results file nor a key times file
    NoTakes,    // such a file with nothing recorded in it
    Unreadable, // cannot be read (error set)
};
// Reads a transmission results file (every row with its key times, labelled
// with `disciplines` names) or a key times file (one take).
KeyedLoad LoadKeyedTakes(const std::string& path, const std::string (&disciplines)[3],
                         std::vector<KeyedTake>& takes, std::string& error);
