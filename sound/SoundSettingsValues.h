// The sound settings page without its window: the ranges and fallbacks of its
// fields, how the three text display values are shown and stored, and the
// test text.
#pragma once

#include "sound/MorsePlayerApi.h"
#include "sound/PlaybackWatch.h"

#include <memory>

struct SoundField {
    int minimum;
    int maximum;
    int defaultValue;
};
constexpr SoundField kStartDelayField{0, 60, 3};
constexpr SoundField kFrequencyField{500, 3000, 850};
constexpr SoundField kVolumeField{0, 100, 85};
constexpr SoundField kGroupsPerLineField{1, 60, 5};
constexpr SoundField kLinesShownField{1, 100, 10};
constexpr SoundField kCharsPerLineField{1, 120, 60};

// Text box columns taken by one group of five in reception: each character
// with its blank, plus the two extra blanks after the group.
constexpr int kColumnsPerGroup = 12;
// Columns taken by one character and its blank in sending.
constexpr int kColumnsPerChar = 2;

// WTextBox Width is shown as groups per line, Width2 as characters per line.
int GroupsPerLineFromWidth(int width);
int WidthFromGroupsPerLine(int groups);
int CharsPerLineFromWidth2(int width2);
int Width2FromCharsPerLine(int chars);

// The test text, sent as letters at 50 characters per minute.
constexpr const char* kSoundTestText = "V V V   =   H E L L O   W O R L D   AR";
constexpr int kSoundTestSpeed = 50;

// The sound settings pages' lasting state: the test player, shared by both
// instances of the page; empty when no test plays.
struct SoundSettingsState {
    std::unique_ptr<IMorsePlayer> testPlayer;
    PlaybackWatch watch;
};
