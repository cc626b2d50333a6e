// Koch lesson texts: five-sign groups of a lesson's signs, numbered like
// every KLAVIRO text so that the same lesson, number and groups always give
// the same text.
#pragma once

#include <cstdint>
#include <string>

// `groups` groups of five signs drawn from `signs` in the sending format of
// generateText (each sign followed by a blank, three blanks after every
// fifth). The newest sign (the last of `signs`) has weight 2, every older
// one weight 1, so it comes about twice as often as each of them; signs are
// drawn independently (a small alphabet cannot be balanced as the generator
// balances). Re-seeds the shared random source (texts/Random.h) with
// `number` and draws one value per sign. Empty signs or groups <= 0 give "".
std::string LessonText(const std::string& signs, int32_t number, int32_t groups);

// Draws one index in 0..total-1 from the shared random source by integer
// weights (each > 0): the draw taken modulo the weights' sum. Shared by the
// lesson and drill texts so both draw alike.
size_t DrawWeighted(const int* weights, size_t count);
