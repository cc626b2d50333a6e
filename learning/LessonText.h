// Koch lesson texts: five-sign groups of a lesson's signs, numbered like
// every KLAVIRO text so that the same lesson, number and groups always give
// the same text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// `groups` groups of five signs drawn from `signs` in the sending format of
// generateText (each sign followed by a blank, three blanks after every
// fifth). The newest sign (the last of `signs`) has weight 2, every older
// one weight 1, so it comes about twice as often as each of them; signs are
// drawn independently (a small alphabet cannot be balanced as the generator
// balances). Re-seeds the shared random source (texts/Random.h) with
// `number` and draws one value per sign. Empty signs or groups <= 0 give "".
std::string LessonText(const std::string& signs, int32_t number, int32_t groups);

// `groups` five-sign groups in the sending format, each sign of `signs`
// drawn with the weight at the same index (each > 0) by one draw from the
// shared random source re-seeded with `number`: the draw modulo the sum of
// the weights picks the sign. The lesson and the drill texts are both drawn
// here. "" when signs and weights differ in length or are empty.
std::string SignGroups(const std::string& signs, const std::vector<int>& weights, int32_t number,
                       int32_t groups);
