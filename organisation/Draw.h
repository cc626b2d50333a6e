// The draw of start numbers (or of seats in groups of N): random but
// reproducible. The generator is this file's own (not the program's text
// source, whose state names texts), fixed so that a seed gives the same draw
// on every system and in every later version.
#pragma once

#include "organisation/Competition.h"

#include <cstdint>
#include <string>
#include <vector>

// A small generator with a fixed definition (SplitMix64).
class DrawRandom64 {
public:
    explicit DrawRandom64(uint64_t seed) : state_(seed) {}
    uint64_t Next();
    // Uniform in [0, bound), bound > 0, without the bias of a plain modulo
    // (draws past the last whole multiple of `bound` are drawn again).
    uint64_t Below(uint64_t bound);

private:
    uint64_t state_;
};

// A uniform random order of 0..count-1 (Fisher-Yates).
std::vector<int> DrawOrder(size_t count, uint64_t seed);

// Numbers the whole roster 1..n in a drawn order and keeps seed and group
// size in the competition. The roster is put in name order (NameKey) first,
// so that the same participants in any order of the file get the same
// numbers from the same seed. groupSize 0: plain start numbers.
void DrawStartNumbers(Competition& competition, uint32_t seed, int groupSize);

// Group and seat of a start number with groups of `groupSize` (1-based);
// group 0 when groupSize is 0.
struct Seat {
    int group = 0;
    int seat = 0;
};
Seat SeatOf(int startNumber, int groupSize);

enum class StartListOrder { ByNumber, ByName, ByCategory };

// The words of the start list, UTF-8; the defaults are the built-in Russian
// texts, the page passes its language's.
struct StartListCaptions {
    std::string title, number, name, sex, year, club, callsign, category, group, seat, seed, noCategory;
    std::string male, female; // how "M" and "F" are shown
};
StartListCaptions DefaultStartListCaptions();

// The start list as an HTML page (UTF-8, everything escaped): the
// competition's title, venue and dates, the seed of the draw, and the roster
// in the order asked (by category: one table per category, with a page
// break before each when printed).
std::string StartListHtml(const Competition& competition, StartListOrder order,
                          const StartListCaptions& captions);
