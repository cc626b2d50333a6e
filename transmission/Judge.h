// Judging a transmission against its text, as a referee counts it.
//
// Correction: the error sign (a run of at least kErrorSignDots dots, see
// KeyDecoder.h) withdraws the group being sent: the characters sent since
// the last group gap; sent right after a group gap, it withdraws the group
// before. Error signs with nothing between them count as one. What is sent
// after it (the group again) takes the withdrawn group's place.
//
// Mistakes: the corrected copy is marked against the text by the marking
// rules (results/Marking.h: edit distance, spacing ignored). A transmission
// judged as a prefix (the one-minute test, where the text is longer than
// anyone sends) is marked against the beginning of the text that suits it
// best (the fewest errors), so that the text not reached is no mistake.
#pragma once

#include "results/Marking.h"
#include "transmission/KeyStats.h"

#include <string>
#include <vector>

constexpr int kDefaultTransmissionMaxErrors = 3;
// The transmission test lasts one minute from the first key down.
constexpr double kTransmissionTestMs = 60000;

// The copy after the correction rule: characters with one blank between
// groups, without error signs. `corrections` counts the error signs that
// withdrew something.
std::string CorrectedCopy(const std::vector<DecodedCharacter>& characters, int& corrections);

// The presses of a test of `windowMs` from the first key down: the presses
// that begin within it. A character cut by the end (one of its presses
// begins after it) is dropped whole by JudgeTransmission.
KeyTimes PressesWithin(const KeyTimes& presses, double windowMs);

struct JudgeRules {
    int maxErrors = kDefaultTransmissionMaxErrors;
    double windowMs = 0; // 0: everything; kTransmissionTestMs for the test
    bool prefix = false; // mark against the best beginning of the text
};

struct TransmissionJudgement {
    KeyDecoding decoding; // of the presses counted
    KeyStatistics stats;  // of those characters
    std::string copy;     // CorrectedCopy, code page 1251
    int corrections = 0;
    int characters = 0; // of the copy, blanks not counted
    // 60000 x characters / elapsed: the elapsed time of KeyStatistics, but
    // with windowMs set never beyond it, and the whole window when the
    // sender was still keying as it ended: characters that count per minute.
    double cpm = 0;
    MarkResult mark; // copy against the text (or its best beginning)
    int mistakes = 0;
    bool accepted = false; // mistakes <= maxErrors and something was sent
};

// `text` is code page 1251 in any spacing (the sending format too).
TransmissionJudgement JudgeTransmission(const KeyTimes& presses, const std::string& text, double guessUnitMs,
                                        const JudgeRules& rules);
