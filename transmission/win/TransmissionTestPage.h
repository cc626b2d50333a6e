// The competition transmission page (page 22): a participant of the roster
// sends one minute of a competition text, counted from the first key down;
// the decoded copy shows as it is sent, then the judgement (characters per
// minute, uncorrected mistakes, quality) and the timing chart, and the
// result goes with its key timings into the transmission results file.
#pragma once

#include "transmission/KeyDecoder.h"
#include "transmission/TransmissionFile.h"
#include "transmission/win/KeyingSession.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class Application;

// The control ids the tests look at.
enum : int {
    TQ_COMPETITION = 2602,
    TQ_RESULTS = 2605,
    TQ_PARTICIPANT = 2608,
    TQ_DISCIPLINE = 2610,
    TQ_NUMBER = 2612,
    TQ_NUMBER_SPIN = 2613,
    TQ_INPUT = 2615,
    TQ_CLOCK = 2616,
    TQ_DECODED = 2618,
    TQ_RESULT = 2619,
    TQ_CHART = 2620,
    TQ_STATUS = 2622,
    TQ_STORE = 2623,
};

enum class TestPhase {
    Idle,   // choosing participant and text
    Keying, // the session listens; the minute runs from the first key down
    Judged, // the result is shown (stored or not)
};

// What the page keeps between messages, in the application object.
struct TransmissionTestState {
    TestPhase phase = TestPhase::Idle;
    std::unique_ptr<KeyingSession> session;
    std::vector<std::string> names; // the participant list's names, in its order (UTF-8)
    std::string participant;        // of the test under way (UTF-8)
    int discipline = 0;
    long long number = 1;
    std::string text; // code page 1251
    double guessUnitMs = 0;
    KeyTimes presses;
    bool started = false;    // a key went down
    bool exactStart = false; // firstDownMs is the first press's own time
    double firstDownMs = 0;
    std::unique_ptr<KeyDecoder> decoder;
    TransmissionRecord record; // the last judged test
    bool unsaved = false;      // judged but not stored yet
    int width = 0, height = 0;
};

// How the page makes its keying session (tests: one with a silent side tone).
using KeyingSessionMaker = std::unique_ptr<KeyingSession> (*)(HWND page, Application& app);
KeyingSessionMaker SetKeyingSessionMaker(KeyingSessionMaker maker);

INT_PTR CALLBACK TransmissionTestPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
