// The shaped sine against the square wave it replaces: the same timing, the
// element edges at the half-amplitude points, the samples of the sine and of
// the raised-cosine ramps.
#include "StreamRender.h"

#include "sound/MorseStream.h"
#include "sound/MorseTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Edge {
    uint32_t start, length; // the square wave's tone [start, start + length)
};

std::vector<Edge> SquareTones(const std::vector<uint8_t>& square) {
    std::vector<Edge> tones;
    for (uint32_t i = 0; i < square.size(); ++i) {
        const bool tone = square[i] == MorseToneHigh || square[i] == MorseToneLow;
        if (!tone)
            continue;
        if (!tones.empty() && tones.back().start + tones.back().length == i)
            ++tones.back().length;
        else
            tones.push_back({i, 1});
    }
    return tones;
}

// Where the amplitude of a tone crosses one half, from `from` on, rising or
// falling. The sine's phase is zero at the first sample of the sound
// (`soundStart`), so the amplitude is the sample divided by the sine there;
// it is taken where the sine is large enough to divide by, and the crossing
// is interpolated between such samples.
double HalfPoint(const std::vector<int16_t>& sine, uint32_t soundStart, uint32_t from, int frequency,
                 int rate, bool rising) {
    double lastT = -1, lastEnvelope = 0;
    for (uint32_t t = from; t < sine.size(); ++t) {
        const double s = std::sin(2 * kPi * static_cast<double>(t - soundStart) * frequency / rate);
        if (std::fabs(s) < 0.5)
            continue;
        const double envelope = sine[t] / (kMorseSineAmplitude * s);
        if (lastT >= 0 && (rising ? envelope >= 0.5 : envelope < 0.5))
            return lastT + (0.5 - lastEnvelope) / (envelope - lastEnvelope) * (t - lastT);
        lastT = t;
        lastEnvelope = envelope;
    }
    return -1;
}

} // namespace

TEST(ToneShape, RampIsFiveMillisecondsOrAThirdOfAUnit) {
    EXPECT_EQ(MorseRampSamples(44100, 2646), 220u); // slow: 5 ms
    EXPECT_EQ(MorseRampSamples(44100, 264), 88u);   // 1000 a minute: U / 3
    EXPECT_EQ(MorseRampSamples(11025, 167), 55u);
    EXPECT_EQ(MorseRampSamples(96000, 2), 0u);
}

// For several speeds and rates the sine keeps the square wave's timing:
// the same character starts, marks and end, and every tone's amplitude
// crosses one half within a sample of the square wave's edges.
TEST(ToneShape, HalfAmplitudePointsLieOnTheSquareWavesEdges) {
    const struct {
        int rate, speed, kind, frequency, delay;
    } cases[] = {{44100, 100, TextLetters, 850, 1}, {44100, 1000, TextLetters, 850, 1},
                 {11025, 40, TextFigures, 700, 1},  {22050, 600, TextMixed, 1500, 1},
                 {96000, 1000, TextMixed, 3000, 1}, {48000, 250, TextLetters, 500, 0}};
    const std::string text = "P A R I S   0 5 ,   E T";
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rate << "/s " << c.speed << " cpm " << c.frequency << " Hz");
        const int unit = unitSamples(c.kind, c.speed, c.rate);
        MorseStream square(c.rate), sine(c.rate, MorseToneSine);
        square.Load(text, unit, c.delay, c.frequency, 4, 12, -1);
        sine.Load(text, unit, c.delay, c.frequency, 4, 12, -1);
        const uint32_t segment = MorseSegmentBytes(c.rate);
        const std::vector<uint8_t> squareSamples = Render<uint8_t>(square, segment);
        const std::vector<int16_t> sineSamples = Render<int16_t>(sine, segment);
        EXPECT_EQ(sineSamples.size(), squareSamples.size()) << "ends in the same segment";
        ASSERT_EQ(sine.StartCount(), square.StartCount());
        for (uint32_t i = 0; i < sine.StartCount(); ++i)
            EXPECT_EQ(sine.StartOffset(i), square.StartOffset(i)) << i;
        EXPECT_EQ(sine.MarkOffsetA(), square.MarkOffsetA());
        EXPECT_EQ(sine.MarkOffsetB(), square.MarkOffsetB());
        EXPECT_EQ(sine.EndOffset(), square.EndOffset());

        const uint32_t ramp = MorseRampSamples(c.rate, unit), half = ramp / 2;
        uint32_t silentFrom = 0;
        for (const Edge& e : SquareTones(squareSamples)) {
            // With no silence before it, the first rise begins at sample 0.
            const uint32_t soundStart = e.start >= half ? e.start - half : 0;
            const uint32_t soundEnd = e.start + e.length + ramp - half;
            for (uint32_t t = silentFrom; t <= soundStart; ++t)
                ASSERT_EQ(sineSamples[t], 0) << "silence at " << t << " before the tone at " << e.start;
            if (soundStart > 0) {
                EXPECT_NEAR(HalfPoint(sineSamples, soundStart, soundStart, c.frequency, c.rate, true),
                            e.start, 1.0)
                    << "tone at " << e.start;
            }
            const uint32_t middle = e.start + e.length / 2;
            EXPECT_NEAR(HalfPoint(sineSamples, soundStart, middle, c.frequency, c.rate, false),
                        e.start + e.length, 1.0)
                << "tone at " << e.start;
            EXPECT_NE(sineSamples[soundEnd - ramp / 4], 0) << "still sounding near the end of the fall";
            silentFrom = soundEnd;
        }
        for (uint32_t t = silentFrom; t < sineSamples.size(); ++t)
            ASSERT_EQ(sineSamples[t], 0) << "silence at " << t << " after the text";
    }
}

// 48000 samples a second, 1000 Hz (48 samples a period), U = 300: R = 100,
// the dot sounds over 400 samples from 50 before its edge. Sample k of it is
// 0.8 x 32767 x g x sin(2 pi k / 48), the gain g rising as
// 0.5 - 0.5 cos(pi (k + 0.5) / 100) over the first 100 samples.
TEST(ToneShape, SamplesFollowTheSineAndTheRaisedCosine) {
    MorseStream sine(48000, MorseToneSine);
    sine.Load("E", 300, 1, 1000, -1, -1, -1);
    const std::vector<int16_t> s = Render<int16_t>(sine, 3000);
    const uint32_t a = 48000 - 50;
    EXPECT_EQ(s[a - 1], 0);
    EXPECT_EQ(s[a], 0);            // sin 0
    EXPECT_EQ(s[a + 12], 998);     // g = 0.5 - 0.5 cos(0.125 pi) = 0.0381, sin = 1
    EXPECT_EQ(s[a + 60], 17352);   // g = 0.5 - 0.5 cos(0.605 pi) = 0.6628, sin = 1
    EXPECT_EQ(s[a + 132], -26214); // g = 1, sin(3 pi / 2) = -1
    EXPECT_EQ(s[a + 200], 22702);  // g = 1, sin(pi / 3) = 0.866
    EXPECT_EQ(s[a + 387], 382);    // the fall mirrors the rise
    EXPECT_EQ(s[a + 399], 1);
    EXPECT_EQ(s[a + 400], 0);
    // Then silence to the end of the text, and after it.
    for (uint32_t t = a + 400; t < s.size(); ++t)
        ASSERT_EQ(s[t], 0) << t;
    EXPECT_EQ(sine.EndOffset(), 48000u + 300 + 300 + 600);
}
