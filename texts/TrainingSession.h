// The training reception page without its window: the numbered-text series
// (Begin, Start, Repeat, Previous, Stop, Finish), the field ranges, the sent
// string and its timing, the clocks and the highlight, and which controls each
// state enables. The page reads its controls, asks this core, writes back.
#pragma once

#include "diary/CopyCheck.h"
#include "sound/MorsePlayerApi.h"
#include "sound/PlaybackWatch.h"
#include "texts/Highlight.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A number field of the page: what reading accepts, and what it falls back to.
struct NumberField {
    int minimum;
    int maximum;
    int defaultValue;
};
constexpr NumberField kTextNumberField{1, 10000000, 100};
constexpr NumberField kGroupsField{1, 10000, 40};
constexpr NumberField kSpeedField{1, 1000, 100};
constexpr NumberField kSpeedStepField{1, 1000, 1};

// Reading a field: a number within the range is taken, anything else (also a
// number that did not parse, read as 0) gives the default.
int AcceptFieldValue(const NumberField& field, long long read);
// Writing a field limits the value to its range.
int LimitFieldValue(const NumberField& field, long long value);

enum LengthMode { LengthFixed = 0, LengthStandard = 1 };

// Groups of a standard-length text: about one minute at the speed.
int StandardGroups(int speed);

// The preamble before every training text; the text proper starts at index 12.
constexpr const char* kTrainingPreamble = "V V V   =   ";
constexpr int kTrainingPreambleLength = 12;
// Preamble, the text, then AR run together as one sign right after it.
std::string TrainingSentString(const std::string& text);
// Sounding time of the text alone (blank = 2 units), in whole milliseconds;
// with an effective unit above `unit`, its gaps stretched to that speed.
int TextDurationMs(const std::string& text, int unit, int sampleRate, int effectiveUnit = 0);

// The speed the gaps are stretched to: the effective speed when it is the
// slower one, else 0 (no stretching; equal speeds stretch nothing).
int StretchedSpeed(int charSpeed, int effectiveSpeed);
// An effective speed field: empty (0) sends without stretching.
constexpr NumberField kEffectiveSpeedField{0, 1000, 0};

// The place of a text that must not be seen while it plays: every character
// a blank, so the box keeps its rows and shows nothing to read.
std::string HiddenText(const std::string& text);

// Text clock while the text sounds: time since it began (standard length) or
// time left (fixed length; negative once past the end). Tick arithmetic
// wraps like the 32-bit tick count.
int32_t TextClockMs(LengthMode mode, uint32_t now, uint32_t textStart, int durationMs);

enum class SeriesState { Idle, Series, Playing };

// Controls of the page whose enabled state depends on the series state.
enum TrainingControl {
    CtlBack,
    CtlBegin,
    CtlFinish,
    CtlPrevious,
    CtlStop,
    CtlRepeat,
    CtlStart,
    CtlTextNumber,
    CtlTextType,
    CtlLength,
    CtlSpeed,
    CtlSpeedStep,
    CtlGroups,
    CtlRefresh,
    CtlCount
};
// Enabled flags indexed by TrainingControl. Previous needs a number above the
// first of the series; the groups field is typed only in fixed length.
std::vector<bool> EnabledControls(SeriesState state, bool previousAllowed, LengthMode mode);

// The text number rules of a series.
class TrainingSeries {
public:
    // Begin at the number shown: the first Start plays that very number.
    void begin(int textNumber);
    int firstTextNumber() const { return first_; }
    bool repeatFlag() const { return repeat_; }
    void setRepeat() { repeat_ = true; }
    // Number the next Start plays, given the number shown; clears the flag.
    int numberToPlay(int shown);
    // A number below the first of the series is raised to it; Previous is
    // allowed only while the shown number (before raising) is above the first.
    int checkedNumber(int shown) const;
    bool previousAllowed(int shown) const { return shown > first_; }
    // One number back (never below 1); the next Start replays what is shown.
    int previous(int shown);

private:
    int first_ = 1;
    bool repeat_ = false;
};

// What a page that plays a text to be copied keeps while it is shown: the
// player, the text shown and the one last played (what a copy is checked
// against, whatever the fields show since), and whether the text is hidden.
struct ReceptionPlay {
    std::unique_ptr<IMorsePlayer> player; // only while the page is shown
    std::string text;
    SeriesState state = SeriesState::Idle;
    int lengthMode = LengthStandard; // the text clock counts up (standard) or down
    int speed = 100;                 // of the text playing: the highlight follows it
    int textDuration = 0;
    int sampleRate = 44100;
    int preambleLength = kTrainingPreambleLength;
    PlaybackWatch watch;
    bool hasPlayed = false;
    PlayedText played;
    std::string playedText;
    bool hideText = false;   // the setting, read when the page is shown
    bool textHidden = false; // the box shows the text's place, not the text
    bool textEnded = false;  // the end of the text playing has been reached
};

// The training page's lasting state, kept in the application object between
// visits.
struct TrainingState : ReceptionPlay {
    int layoutWidth = 0;
    int layoutHeight = 0;
    std::string alphabet;
    int textType = 0;
    int groups = 20;
    int textNumber = 1;
    TrainingSeries series;
    bool previousAllowed = false;
    uint32_t seriesStart = 0;
};
