#include "transmission/KeyStats.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

KeyStatistics Measured(const KeyTimes& k) {
    return MeasureKeying(DecodeKeyTimes(k, 100));
}

TEST(KeyStats, ExactTimingIsIdealAtAnySpeed) {
    for (double unit : {12.5, 37.0, 99.9}) {
        const KeyStatistics s =
            Measured(RenderKeyTimes("P A R I S   P A R I S   1 2 3 / ?   ", unit, 0, 250));
        EXPECT_NEAR(s.unitMs, unit, 1e-9);
        EXPECT_NEAR(s.ratio, 3, 1e-9);
        const TimingFigure* figures[] = {&s.dots, &s.dashes, &s.intraGaps, &s.charGaps, &s.wordGaps};
        const double ideal[] = {1, 3, 1, 3, 7};
        for (int k = 0; k < 5; ++k) {
            EXPECT_GT(figures[k]->count, 0);
            EXPECT_NEAR(figures[k]->mean, ideal[k], 1e-9) << k;
            EXPECT_NEAR(figures[k]->spread, 0, 1e-6) << k;
        }
        EXPECT_EQ(s.quality, 100.0);
        EXPECT_TRUE(s.worst.empty());
        EXPECT_EQ(s.characters, 15);
        // Each exact length in the bin centred on it.
        EXPECT_EQ(s.histogram.marks[4], s.dots.count);
        EXPECT_EQ(s.histogram.marks[12], s.dashes.count);
        EXPECT_EQ(s.histogram.gaps[4] + s.histogram.gaps[12] + s.histogram.gaps[28],
                  s.intraGaps.count + s.charGaps.count + s.wordGaps.count);
        EXPECT_EQ(s.histogram.gaps[28], 2);
    }
}

TEST(KeyStats, HandMadeTimings) {
    // Unit 100 ms. A (.-) with a short dash, a long inner gap; char gap 400;
    // N (-.) exact; group gap 600; E exact.
    const KeyTimes k = {{0, 100}, {150, 400}, {800, 1100}, {1200, 1300}, {1900, 2000}};
    const KeyStatistics s = Measured(k);
    EXPECT_DOUBLE_EQ(s.unitMs, 100);
    EXPECT_DOUBLE_EQ(s.ratio, 2.75); // dashes of 250 and 300
    EXPECT_DOUBLE_EQ(s.dashes.mean, 2.75);
    EXPECT_DOUBLE_EQ(s.dashes.spread, 0.25);
    EXPECT_DOUBLE_EQ(s.intraGaps.mean, 0.75); // 50 in A, 100 in N
    EXPECT_EQ(s.intraGaps.count, 2);
    EXPECT_DOUBLE_EQ(s.charGaps.mean, 4);
    EXPECT_DOUBLE_EQ(s.wordGaps.mean, 6);
    EXPECT_EQ(s.characters, 3);
    EXPECT_DOUBLE_EQ(s.elapsedMs, 2000 + 300);
    EXPECT_DOUBLE_EQ(s.cpm, 60000.0 * 3 / 2300);
    // A is off by (0 + 0.5 + 0.5) / 3 (dot, dash, inner gap); N and E are exact.
    ASSERT_EQ(s.worst.size(), 1u);
    EXPECT_EQ(s.worst[0].sign, 'A');
    EXPECT_DOUBLE_EQ(s.worst[0].deviation, 1.0 / 3);
    // Root mean squares of the relative errors: dots 0, dashes
    // sqrt((1/36 + 0) / 2), inner gaps sqrt((0.25 + 0) / 2), char gap 1/3,
    // group gap 1/7.
    const double e = (0 + std::sqrt(1.0 / 72) + std::sqrt(0.125) + 1.0 / 3 + 1.0 / 7) / 5;
    EXPECT_DOUBLE_EQ(s.quality, std::round(1000 * (1 - 2 * e)) / 10);
    EXPECT_EQ(s.histogram.marks[10], 1); // 2.5 units
    EXPECT_EQ(s.histogram.gaps[2], 1);   // 0.5
    EXPECT_EQ(s.histogram.gaps[16], 1);  // 4
    EXPECT_EQ(s.histogram.gaps[24], 1);  // 6
}

TEST(KeyStats, WithoutDotsTheUnitIsAThirdOfTheDashAndLongGapsFillTheLastBin) {
    // T, M, T: dashes of 240 ms only; a group gap of 3 s.
    const KeyStatistics s = Measured({{0, 240}, {480, 720}, {800, 1040}, {4040, 4280}});
    EXPECT_DOUBLE_EQ(s.unitMs, 80);
    EXPECT_EQ(s.ratio, 0); // no dots to compare
    EXPECT_EQ(s.dots.count, 0);
    EXPECT_EQ(s.histogram.gaps[kHistogramBins - 1], 1);
    EXPECT_EQ(MeasureKeying(KeyDecoding{}).characters, 0);
    EXPECT_EQ(MeasureKeying(KeyDecoding{}).quality, 0);
}

} // namespace
