#include "texts/Random.h"

namespace {
// Shared by the main thread's users only (generator, run page); the playback
// thread never draws.
uint32_t g_state = 0;
} // namespace

void SeedRandom(uint32_t seed) {
    g_state = seed;
}

int DrawRandom() {
    g_state = g_state * 214013u + 2531011u; // unsigned: wraps modulo 2^32
    return static_cast<int>((g_state >> 16) & 0x7FFFu);
}

uint32_t RandomState() {
    return g_state;
}

void SeedCompetitionRun(uint32_t seed) {
    SeedRandom(seed);
    int skip = DrawRandom() % 10;
    while (skip-- > 0)
        DrawRandom();
}

int32_t NextCompetitionTextNumber() {
    // Drawn one after another so that the order is fixed (r1 first).
    const int r1 = DrawRandom() % 1000;
    const int r2 = DrawRandom() % 1000;
    const int r3 = DrawRandom() % 1000;
    const int r4 = DrawRandom() % 1000;
    // The product is formed in double and truncated; at most 999^3 + 999,
    // so it fits a 32-bit integer exactly.
    const double x = static_cast<double>(r1) * r2 * r3 + r4;
    return static_cast<int32_t>(static_cast<int64_t>(x) % 10000000 + 20000000);
}
