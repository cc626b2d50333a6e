// The arithmetic of a competition run that needs no window: what is sent for
// a text, which characters are highlighted, what each clock tick decides, and
// where the large-display clocks go.
#pragma once

#include "texts/Highlight.h"

#include <cstdint>
#include <string>

// Highest speed after which a run stops by itself (the last text is sent
// 10 above it).
constexpr int kCompetitionTopSpeed = 1000;
// Speed step between consecutive texts.
constexpr int kCompetitionSpeedStep = 10;

// Kind marker ("O O O O O   " for letters, "0 0 0 0 0   " otherwise), the
// speed's digits each followed by a blank, then "  V V V   =   ".
std::string CompetitionPreamble(int kind, int speed);

struct SentText {
    std::string sent; // preamble, text, "AR"
    int markA;        // index of the text's first character
    int markB;        // index of the A of the closing AR
};
SentText CompetitionSentText(int kind, int speed, const std::string& text);


// Everything one 100 ms tick of the run clock needs to know.
struct RunClockInput {
    uint32_t now;
    uint32_t runStart;
    uint32_t pauseStart;
    bool sending;
    int64_t markA; // tick count the text's first character began, -1: not yet
    int64_t markB; // tick count the closing AR began, -1: not yet
    int currentCharacter;
    bool playing;
    int preambleLength;
    int speed;
    int interval; // seconds
};

enum class RunClockAction {
    None,     // keep sending, or keep pausing
    TextOver, // the player finished: the pause begins now
    Stop,     // the pause is over and the top speed is passed
    NextText, // the pause is over: send the next text 10 faster
};

// What a tick shows and decides. A clock value of -1 shows "--:--".
struct RunClockStep {
    int64_t totalTime;
    bool setTextClock = false;
    int64_t textClock = -1;
    bool setSelection = false;
    TextRange selection{-1, -1}; // {-1, -1} removes the highlight
    bool setPauseClock = false;
    int64_t pauseClock = -1;
    RunClockAction action = RunClockAction::None;
};
RunClockStep DecideRunClock(const RunClockInput& in);

// Places of the large-display controls in a client area of W by H pixels.
struct ViewRect {
    int left, top, width, height;
};
struct LargeViewPlace {
    bool shown; // a hidden control is not moved
    ViewRect rect;
};
struct LargeViewLayout {
    LargeViewPlace speedClock, speedLabel;
    LargeViewPlace textClock, textLabel;
    LargeViewPlace pauseClock, pauseLabel;
    LargeViewPlace totalClock, totalLabel;
};
// While sending: total time, speed and text time; during a pause: speed and
// pause remaining. All divisions truncate.
LargeViewLayout ComputeLargeView(int width, int height, bool sending);
