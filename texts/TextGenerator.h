// Reception test texts named by a number: the same seed, count and alphabet
// always give the same text, byte for byte, and leave the shared random
// source (texts/Random.h) in the same state.
#pragma once

#include <cstdint>
#include <string>

// Alphabet of a TextKind (sound/MorseTable.h): letters, figures, or mixed
// (letters, figures and . , = ? /). Kinds outside 0..2 give "".
const char* TextAlphabet(int kind);

// Longest alphabet generateText accepts; the pair tables are n by n.
constexpr size_t kMaxAlphabet = 256;

// `count` characters from `alphabet` in the sending format: every character
// followed by a blank, three blanks after every fifth. Frequencies and pairs
// are kept near even, very short and very long characters get larger quotas,
// a few doubled characters are let in, and from position count - n on the
// choice steers the total pattern length towards that of average characters.
// Re-seeds the shared random source with `seed` and leaves it advanced.
// count <= 0, an empty alphabet or one longer than kMaxAlphabet give "".
std::string generateText(int32_t seed, int32_t count, const std::string& alphabet);
