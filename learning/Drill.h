// Drills of the signs a trainee misses: each sign of a kind's alphabet gets
// an integer weight from its error rate in the diary, and drill texts draw
// signs by those weights. The weights are written into the diary row as a
// digest, so that a drill can be played again exactly.
#pragma once

#include "diary/DiaryFile.h"

#include <cstdint>
#include <string>
#include <vector>

// Weights run 1..kMaxDrillWeight.
constexpr int kMaxDrillWeight = 9;

struct SignWeight {
    char32_t sign = 0;
    int checked = 0; // occurrences among the last kCharacterWindow checked
    int errors = 0;  // of them wrong or missing
    int weight = 1;  // 1..kMaxDrillWeight
};

// The weight of an error rate errors / checked: 1 + round(16 x rate), at
// most 9 — no errors 1, 25 % 5, 50 % and more 9 (rates above a half are
// rare and need no finer steps).
int DrillWeightOfRate(int errors, int checked);

// One entry per sign of TextAlphabet(kind), in alphabet order. A sign's
// counts are those of its last kCharacterWindow occurrences in complete rows
// of any kind (diary/DiarySummary counts them). A sign never checked gets
// the average weight of the checked ones (rounded), or 1 when none is.
std::vector<SignWeight> DrillWeights(const DiaryContents& diary, int kind);

// The weights as letters in alphabet order, 'a' for 1 to 'i' for 9, e.g.
// "aaca..." (one per sign, as many as the alphabet has signs): enough to
// replay a drill. Letters, not digits, so that a spreadsheet saving the
// diary back cannot turn the digest into a number.
std::string WeightsDigest(const std::vector<SignWeight>& weights);
// Reads a digest back over TextAlphabet(kind) (counts left 0); false when it
// does not have one letter a..i per sign.
bool ReadWeightsDigest(const std::string& digest, int kind, std::vector<SignWeight>& weights);

// `groups` five-sign groups in the sending format of generateText, each sign
// drawn with its weight. Re-seeds the shared random source with `number`;
// the same number, groups and weights give the same text. Empty weights or
// groups <= 0 give "".
std::string DrillText(const std::vector<SignWeight>& weights, int32_t number, int32_t groups);

// The `count` heaviest signs, heaviest first; equal weights by the higher
// error rate, then in alphabet order.
std::vector<SignWeight> HeaviestSigns(const std::vector<SignWeight>& weights, size_t count);
