// The program's one random source: a 32-bit linear congruential generator
// (state x 214013 + 2531011) returning bits 16 to 30 of the new state. Texts
// are named by the seed they are generated from, so every draw must come from
// this source in a fixed order; the competition run keeps drawing from the
// state the last generated text left behind.
#pragma once

#include <cstdint>

// Largest value a draw returns.
constexpr int kRandomMax = 32767;

void SeedRandom(uint32_t seed);
// Advances the state and returns 0 to kRandomMax.
int DrawRandom();
// The current state, so that callers and tests can check where a text left it.
uint32_t RandomState();

// Starts a competition run from an arbitrary seed (the clock): seeds, draws
// once, then discards (that draw mod 10) further draws.
void SeedCompetitionRun(uint32_t seed);
// Number of the next competition text from four draws: 20000000 to 29999999.
int32_t NextCompetitionTextNumber();
