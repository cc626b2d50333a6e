// The sender's timing measured against the exact timing of the speed they
// reached. The unit is the mean length of the dots sent (a third of the mean
// dash when no dot was sent); every length is then counted in those units,
// so exact timing at any speed gives dots of 1, dashes of 3 and gaps of 1, 3
// and 7 units with no spread.
#pragma once

#include "transmission/KeyDecoder.h"

#include <vector>

// Mean and spread (standard deviation over the population) of lengths in
// units; count 0 means none were sent (mean and spread 0).
struct TimingFigure {
    double mean = 0;
    double spread = 0;
    int count = 0;
};

// A character whose timing is furthest from exact: the mean of
// |length - ideal| over its marks and the gaps inside it, in units.
struct WorstCharacter {
    char sign = 0;
    int index = 0; // into KeyDecoding::characters
    double deviation = 0;
};

// Histograms of lengths in units: bin i counts lengths in
// [(i - 0.5) x kHistogramBinUnits, (i + 0.5) x kHistogramBinUnits), so an
// exact 1, 3 or 7 lands in the bin centred on it; the last bin also takes
// everything longer.
constexpr double kHistogramBinUnits = 0.25;
constexpr int kHistogramBins = 41; // 0 to 10 units
struct TimingHistogram {
    std::vector<int> marks; // dots and dashes
    std::vector<int> gaps;  // gaps inside characters, between characters and between groups
};

constexpr int kWorstCharacters = 5;
// Deviations below this (units) are exact timing rounded to a microsecond,
// not worth naming.
constexpr double kLeastDeviation = 0.005;

struct KeyStatistics {
    double unitMs = 0;    // mean dot (see above); 0 when nothing was sent
    int characters = 0;   // characters decoded, unknown and error signs included
    double elapsedMs = 0; // first key down to last key up, plus the 3-unit gap closing the last character
    // 60000 x characters / elapsedMs: characters actually sent per minute,
    // the last one's closing gap counted so that a text sent at exact timing
    // at speed S of a text kind's average characters comes out near S.
    double cpm = 0;
    double ratio = 0; // mean dash / mean dot; 0 without both
    TimingFigure dots, dashes, intraGaps, charGaps, wordGaps;
    std::vector<WorstCharacter> worst; // up to kWorstCharacters, the worst first, from kLeastDeviation on
    TimingHistogram histogram;
    // 100 x (1 - 2 E), not below 0, to one decimal, where E is the mean over
    // the kinds sent (dots, dashes and the three gaps) of the root mean
    // square of (length / ideal - 1): 100 for exact timing, about 88 for
    // lengths off by up to 10 % at random, 0 for timing off by half.
    double quality = 0;
};

KeyStatistics MeasureKeying(const KeyDecoding& decoding);
