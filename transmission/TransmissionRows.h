// The rows a judged transmission leaves behind: the diary row of keying
// practice and the competition's transmission record, rounded as their files
// keep them, so that both pages and klaviro-cli store the same figures.
#pragma once

#include "diary/DiaryFile.h"
#include "transmission/Judge.h"
#include "transmission/TransmissionFile.h"

#include <ctime>
#include <string>

// The diary row of `played` (its speed replaced by the speed reached,
// rounded, at least 1 so that the row stays readable); characters and errors
// are those of the marking, the confusions its steps, the copy the corrected
// one; ratio and spreads to two decimals. A copy too long to mark counts
// all its characters as errors.
DiaryRow TransmissionDiaryRow(const PlayedText& played, const TransmissionJudgement& judgement,
                              std::time_t when);

// The record of a participant's transmission: cpm rounded, ratio to two
// decimals, the copy in UTF-8, every press given (also those after the
// minute, so that the referee hears all that was keyed). A copy too long to
// mark counts all its characters as mistakes.
TransmissionRecord TransmissionRecordOf(const std::string& participant, int discipline, long long textNumber,
                                        const TransmissionJudgement& judgement, const KeyTimes& presses,
                                        std::time_t when);
