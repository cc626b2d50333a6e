#include "player/PlayerRender.h"

#include "sound/MorseStream.h"
#include "sound/MorseTable.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// One text as the player writes it: the stream from the start delay on, up
// to the end of the appended blank.
std::vector<uint8_t> Single(int rate, int delay, int frequency, const RenderText& t) {
    MorseStream stream(rate);
    stream.Load(t.sent, t.unit, delay, frequency, -1, -1, -1);
    std::vector<uint8_t> out;
    std::vector<uint8_t> segment(MorseSegmentBytes(rate));
    while (!stream.Fill(segment.data(), static_cast<uint32_t>(segment.size())))
        out.insert(out.end(), segment.begin(), segment.end());
    out.insert(out.end(), segment.begin(), segment.end());
    out.resize(stream.StartOffset(static_cast<uint32_t>(stream.Length())));
    return out;
}

std::vector<uint8_t> All(SampleRender& render) {
    std::vector<uint8_t> out;
    size_t count;
    while (const uint8_t* block = render.Next(count))
        out.insert(out.end(), block, block + count);
    return out;
}

} // namespace

TEST(PlayerRender, AFileIsItsTextsWithThePausesBetween) {
    const int rate = 11025;
    const std::vector<RenderText> texts = {
        {"O O O O O   1 0 0   V V V   =   A B   AR", unitSamples(0, 100, rate)},
        {"E", unitSamples(1, 1000, rate)},
        {"V V V   =   T E S T   AR", unitSamples(2, 310, rate)}};
    for (int interval : {0, 2}) {
        for (int delay : {0, 1}) {
            std::vector<uint8_t> want;
            for (size_t i = 0; i < texts.size(); ++i) {
                if (i > 0)
                    want.insert(want.end(), static_cast<size_t>(interval * rate), MorseSilence);
                const std::vector<uint8_t> one = Single(rate, delay, 850, texts[i]);
                EXPECT_EQ(RenderedSamples(texts[i].sent, texts[i].unit, static_cast<uint64_t>(delay * rate)),
                          one.size());
                want.insert(want.end(), one.begin(), one.end());
            }
            SampleRender render(rate, delay, 850, interval, texts);
            EXPECT_EQ(render.TotalSamples(), want.size());
            EXPECT_EQ(render.TextCount(), 3u);
            const std::vector<uint8_t> got = All(render);
            EXPECT_EQ(got, want) << "interval " << interval << ", delay " << delay;
            EXPECT_EQ(render.Done(), want.size());
            EXPECT_EQ(render.TextIndex(), 2u);
        }
    }
    // One text is the text alone: no pause after the last.
    SampleRender one(rate, 1, 850, 600, {texts[1]});
    EXPECT_EQ(All(one), Single(rate, 1, 850, texts[1]));
    SampleRender none(rate, 1, 850, 5, {});
    EXPECT_EQ(none.TotalSamples(), 0u);
    EXPECT_TRUE(All(none).empty());
}
