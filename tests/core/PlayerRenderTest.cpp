#include "player/PlayerRender.h"

#include "sound/MorseStream.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

template <class Sample> std::vector<Sample> All(SampleRender& render) {
    std::vector<Sample> out;
    size_t count;
    for (;;) {
        const Sample* block;
        if constexpr (sizeof(Sample) == 1)
            block = render.Next(count);
        else
            block = render.NextWide(count);
        if (!block)
            return out;
        out.insert(out.end(), block, block + count);
    }
}

// Lengths of the runs of sound (positive) and silence (negative).
std::vector<long> Runs(const std::vector<uint8_t>& samples) {
    std::vector<long> runs;
    for (uint8_t s : samples) {
        const long step = s == MorseSilence ? -1 : 1;
        if (runs.empty() || (runs.back() > 0) != (step > 0))
            runs.push_back(0);
        runs.back() += step;
    }
    return runs;
}

long Total(const std::vector<long>& runs) {
    long n = 0;
    for (long r : runs)
        n += std::labs(r);
    return n;
}

// Two texts small enough to count by hand: "E T" with a unit of 10 samples
// (dot 10, gap 10, blank 20, dash 30, gap 10, the appended blank 20) and "T"
// with a unit of 20 (dash 60, gap 20, blank 40).
const std::vector<RenderText> kTexts = {{"E T", 10}, {"T", 20}};
constexpr int kRate = 11025;

} // namespace

TEST(PlayerRender, AFileIsItsTextsWithThePausesBetween) {
    const struct {
        int interval, delay;
        std::vector<long> runs;
    } cases[] = {
        {0, 0, {10, -30, 30, -30, 60, -60}},
        {0, 1, {-11025, 10, -30, 30, -(30 + 11025), 60, -60}},
        {2, 0, {10, -30, 30, -(30 + 22050), 60, -60}},
        {2, 1, {-11025, 10, -30, 30, -(30 + 22050 + 11025), 60, -60}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "interval " << c.interval << ", delay " << c.delay);
        SampleRender render(kRate, c.delay, 850, c.interval, kTexts);
        const long total = Total(c.runs);
        EXPECT_EQ(render.TotalSamples(), static_cast<uint64_t>(total));
        EXPECT_EQ(render.TextCount(), 2u);
        EXPECT_EQ(Runs(All<uint8_t>(render)), c.runs);
        EXPECT_EQ(render.Done(), static_cast<uint64_t>(total));
        EXPECT_EQ(render.TextIndex(), 1u);
    }
    EXPECT_EQ(RenderedSamples("E T", 10, 11025), 11025u + 100);
    EXPECT_EQ(RenderedSamples("T", 20, 0), 120u);
    // One text is the text alone: no pause after the last.
    SampleRender one(kRate, 1, 850, 600, {kTexts[1]});
    EXPECT_EQ(Runs(All<uint8_t>(one)), (std::vector<long>{-11025, 60, -60}));
    SampleRender none(kRate, 1, 850, 5, {});
    EXPECT_EQ(none.TotalSamples(), 0u);
    EXPECT_TRUE(All<uint8_t>(none).empty());
}

// The sine's silence is 0, in the pause as everywhere else. Its ramps
// spread each tone by half a ramp (here 1 and 3 samples) around the edges:
// the first text sounds until sample 11097, the second from 44197.
TEST(PlayerRender, TheSinesPauseIsSilentToo) {
    SampleRender render(kRate, 1, 850, 2, kTexts, MorseToneSine);
    ASSERT_EQ(render.BytesPerSample(), 2);
    EXPECT_EQ(render.TotalSamples(), 11125u + 22050 + 11145);
    const std::vector<int16_t> s = All<int16_t>(render);
    ASSERT_EQ(s.size(), 11125u + 22050 + 11145);
    long sounding = 0;
    for (size_t t = 11097; t < 44197; ++t)
        sounding += s[t] != 0;
    EXPECT_EQ(sounding, 0);
    EXPECT_NE(s[11024 + 5], 0);  // the dot
    EXPECT_NE(s[44200 + 30], 0); // the dash of the second text
}
