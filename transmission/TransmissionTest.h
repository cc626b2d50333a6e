// The competition transmission test beside its page: the text a participant
// sends, the minute counted from the first key down, the record stored, the
// chart's lengths and the earlier attempts asked about.
#pragma once

#include "transmission/Judge.h"
#include "transmission/TransmissionFile.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Groups of the test's text: 300 characters, more than the fastest sender
// keys in a minute, so nobody runs out of text.
constexpr int kTestGroups = 60;

// The text of a discipline (letters, figures, mixed) and number as the
// generator gives it for a competition, code page 1251.
std::string TestText(int discipline, int32_t number);

// Milliseconds of the minute left at `nowMs`: the whole minute until the
// first key down, never below 0 after it.
double TestMsLeft(bool started, double firstDownMs, double nowMs);

// The presses judged (those beginning within the minute), made relative to
// the first key down, as stored.
KeyTimes StoredKeys(const KeyTimes& presses);

// The row stored for a judged test.
TransmissionRecord TestRecord(const std::string& participant, int discipline, long long textNumber,
                              const TransmissionJudgement& judged, const KeyTimes& presses,
                              const std::string& sentAt);

// The keyed lengths in units for the chart: dots, dashes, gaps inside signs,
// between signs and between groups, as the decoder judged them. Empty
// strips without a unit.
std::array<std::vector<double>, 5> ChartLengths(const KeyDecoding& decoding, double unitMs);

// The earlier rows of the participant (by NameKey) in the discipline: the
// attempts the referee is asked about before another is stored. `same` is
// set when one of them has the same text number (the new one replaces it).
std::vector<TransmissionRecord> EarlierAttempts(const std::vector<TransmissionRecord>& records,
                                                const std::string& participant, int discipline,
                                                long long textNumber, bool& same);
