#include "controls/ImagePixels.h"
#include "controls/ImageResample.h"

#include <gtest/gtest.h>

namespace {

uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
    return r << 16 | g << 8 | b;
}

std::vector<uint32_t> Resampled(const std::vector<uint32_t>& from, PixelSize fromSize, PixelSize toSize) {
    std::vector<uint32_t> to(static_cast<size_t>(toSize.width) * toSize.height, 0xDEADBEEF);
    ResamplePixels(from.data(), fromSize, to.data(), toSize);
    return to;
}

} // namespace

TEST(ImageResample, FitKeepsTheAspectRoundedToTheNearestPixel) {
    PixelSize s = FitKeepingAspect({400, 300}, {100, 100});
    EXPECT_EQ(s.width, 100u);
    EXPECT_EQ(s.height, 75u);
    s = FitKeepingAspect({400, 300}, {400, 100});
    EXPECT_EQ(s.width, 133u); // 133.33
    EXPECT_EQ(s.height, 100u);
    s = FitKeepingAspect({3, 2}, {100, 100});
    EXPECT_EQ(s.width, 100u);
    EXPECT_EQ(s.height, 67u); // 66.67 rounds up
    s = FitKeepingAspect({2, 3}, {100, 100});
    EXPECT_EQ(s.width, 67u);
    EXPECT_EQ(s.height, 100u);
    // Sides whose products overflow 32 bits.
    s = FitKeepingAspect({100000, 50000}, {200000, 200000});
    EXPECT_EQ(s.width, 200000u);
    EXPECT_EQ(s.height, 100000u);
}

TEST(ImageResample, FitNeverRoundsASideToNothing) {
    PixelSize s = FitKeepingAspect({1000, 1}, {10, 10});
    EXPECT_EQ(s.width, 10u);
    EXPECT_EQ(s.height, 1u);
    s = FitKeepingAspect({1, 1000}, {10, 10});
    EXPECT_EQ(s.width, 1u);
    EXPECT_EQ(s.height, 10u);
}

TEST(ImageResample, ShrinkSpansTileTheSourceWithRoundedBounds) {
    auto spans = AxisSpans(4, 2);
    ASSERT_EQ(spans.size(), 2u);
    EXPECT_EQ(spans[0].first, 0u);
    EXPECT_EQ(spans[0].count, 2u);
    EXPECT_EQ(spans[1].first, 2u);
    EXPECT_EQ(spans[1].count, 2u);
    // 5 into 3: bounds (0*5+1)/3=0, (5+1)/3=2, (10+1)/3=3, (15+1)/3=5.
    spans = AxisSpans(5, 3);
    ASSERT_EQ(spans.size(), 3u);
    EXPECT_EQ(spans[0].first, 0u);
    EXPECT_EQ(spans[0].count, 2u);
    EXPECT_EQ(spans[1].first, 2u);
    EXPECT_EQ(spans[1].count, 1u);
    EXPECT_EQ(spans[2].first, 3u);
    EXPECT_EQ(spans[2].count, 2u);
    for (uint32_t n : {7u, 100u, 401u})
        for (uint32_t m = 1; m <= n; ++m) {
            auto s = AxisSpans(n, m);
            uint32_t next = 0;
            for (const AxisSpan& span : s) {
                ASSERT_EQ(span.first, next) << n << " into " << m;
                ASSERT_GE(span.count, 1u);
                next += span.count;
            }
            ASSERT_EQ(next, n) << n << " into " << m;
        }
}

TEST(ImageResample, GrowSpansRepeatEverySourceInOrder) {
    auto spans = AxisSpans(2, 5);
    ASSERT_EQ(spans.size(), 5u);
    const uint32_t expected[5] = {0, 0, 0, 1, 1};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(spans[i].first, expected[i]) << i;
        EXPECT_EQ(spans[i].count, 1u);
    }
    for (uint32_t n : {1u, 3u, 97u})
        for (uint32_t m = n + 1; m <= 3 * n + 5; ++m) {
            auto s = AxisSpans(n, m);
            ASSERT_EQ(s.front().first, 0u);
            ASSERT_EQ(s.back().first, n - 1);
            for (size_t i = 1; i < s.size(); ++i)
                ASSERT_LE(s[i].first - s[i - 1].first, 1u) << n << " into " << m;
        }
}

TEST(ImageResample, RowShrinkAveragesNeighboursPerChannel) {
    const std::vector<uint32_t> row = {Rgb(10, 0, 255), Rgb(20, 255, 0), Rgb(1, 2, 3), Rgb(2, 2, 4)};
    auto out = Resampled(row, {4, 1}, {2, 1});
    // (10+20)/2, (0+255+1)/2 = 128, (255+0+1)/2 = 128; then 1.5 -> 2, 2, 3.5 -> 4.
    EXPECT_EQ(out[0], Rgb(15, 128, 128));
    EXPECT_EQ(out[1], Rgb(2, 2, 4));
}

TEST(ImageResample, RowGrowRepeatsAndClearsTheTopByte) {
    const std::vector<uint32_t> row = {0xFF000000 | Rgb(1, 2, 3), Rgb(200, 100, 50)};
    auto out = Resampled(row, {2, 1}, {5, 1});
    EXPECT_EQ(out, (std::vector<uint32_t>{Rgb(1, 2, 3), Rgb(1, 2, 3), Rgb(1, 2, 3), Rgb(200, 100, 50),
                                          Rgb(200, 100, 50)}));
}

TEST(ImageResample, RoundingIsToTheNearestWithHalvesUp) {
    EXPECT_EQ(AveragePixels(1, 2, 0, 3), Rgb(0, 1, 0)); // 1/3 -> 0, 2/3 -> 1
    EXPECT_EQ(AveragePixels(3, 5, 7, 2), Rgb(2, 3, 4)); // halves go up
    EXPECT_EQ(AveragePixels(255 * 9, 0, 254 * 9 + 4, 9), Rgb(255, 0, 254));
    // Three pixels in a column averaged into one: (0 + 0 + 255) / 3 = 85.
    const std::vector<uint32_t> column = {0, 0, Rgb(255, 255, 255)};
    EXPECT_EQ(Resampled(column, {1, 3}, {1, 1})[0], Rgb(85, 85, 85));
}

TEST(ImageResample, BothAxesAverageTheSourceRectangle) {
    // 4 x 2 into 2 x 1: each output takes a 2 x 2 block; rows bottom-up.
    const std::vector<uint32_t> pixels = {Rgb(0, 0, 0), Rgb(4, 0, 0),  Rgb(0, 0, 100), Rgb(0, 0, 100),
                                          Rgb(8, 0, 0), Rgb(11, 0, 0), Rgb(0, 50, 0),  Rgb(0, 0, 100)};
    auto out = Resampled(pixels, {4, 2}, {2, 1});
    EXPECT_EQ(out[0], Rgb(6, 0, 0));   // 23 / 4 = 5.75
    EXPECT_EQ(out[1], Rgb(0, 13, 75)); // 50 / 4 = 12.5 -> 13, 300 / 4
    // Shrinking one axis while growing the other.
    out = Resampled(pixels, {4, 2}, {2, 4});
    EXPECT_EQ(out, (std::vector<uint32_t>{Rgb(2, 0, 0), Rgb(0, 0, 100), Rgb(2, 0, 0), Rgb(0, 0, 100),
                                          Rgb(10, 0, 0), Rgb(0, 25, 50), Rgb(10, 0, 0), Rgb(0, 25, 50)}));
}

TEST(ImagePixels, CopiesShareOneBufferUntilTheLastLetsGo) {
    const std::vector<uint32_t> rows(400 * 300, Rgb(1, 2, 3));
    ImagePixels a;
    a.Assign(400, 300, rows.data());
    const uint32_t* buffer = a.Data();
    EXPECT_EQ(ImagePixels::References(buffer), 1u);
    {
        ImagePixels b(a);
        ImagePixels c;
        c = b;
        EXPECT_EQ(b.Data(), buffer);
        EXPECT_EQ(c.Data(), buffer);
        EXPECT_EQ(ImagePixels::References(buffer), 3u);
        // Resizing a copy gives it a buffer of its own and the shared one
        // loses a reference.
        c.Resize(100, 100, true);
        EXPECT_EQ(c.Width(), 100u);
        EXPECT_EQ(c.Height(), 75u);
        EXPECT_NE(c.Data(), buffer);
        EXPECT_EQ(ImagePixels::References(c.Data()), 1u);
        EXPECT_EQ(ImagePixels::References(buffer), 2u);
        EXPECT_EQ(c.Data()[0], Rgb(1, 2, 3));
    }
    EXPECT_EQ(ImagePixels::References(buffer), 1u);
    EXPECT_EQ(a.Width(), 400u);
    EXPECT_EQ(a.Data()[400 * 300 - 1], Rgb(1, 2, 3));
    // The same size, and an empty image, are left alone.
    a.Resize(400, 300, false);
    EXPECT_EQ(a.Data(), buffer);
    ImagePixels empty;
    empty.Resize(10, 10, false);
    EXPECT_TRUE(empty.Empty());
    a.Clear();
    EXPECT_EQ(ImagePixels::References(buffer), 0u);
    EXPECT_EQ(a.Width(), 0u);
}

TEST(ImagePixels, ResizeWithoutAspectAndToNothing) {
    const uint32_t rows[4] = {Rgb(0, 0, 0), Rgb(100, 0, 0), Rgb(0, 0, 0), Rgb(100, 0, 0)};
    ImagePixels a;
    a.Assign(2, 2, rows);
    a.Resize(1, 3, false);
    ASSERT_EQ(a.Width(), 1u);
    ASSERT_EQ(a.Height(), 3u);
    EXPECT_EQ(a.Data()[2], Rgb(50, 0, 0));
    a.Resize(0, 5, true);
    EXPECT_TRUE(a.Empty());
    EXPECT_EQ(a.Height(), 0u);
}

namespace {
void* FailingAlloc(size_t) {
    return nullptr;
}
} // namespace

TEST(ImagePixels, OutOfMemoryThrowsAndKeepsThePicture) {
    const uint32_t rows[2] = {Rgb(9, 9, 9), Rgb(7, 7, 7)};
    ImagePixels a;
    a.Assign(2, 1, rows);
    const uint32_t* buffer = a.Data();
    FCAllocFunction previous = FCSetAllocHook(FailingAlloc);
    EXPECT_THROW(a.Resize(50, 50, false), FCMemException);
    FCSetAllocHook(previous);
    EXPECT_EQ(a.Data(), buffer);
    EXPECT_EQ(a.Width(), 2u);
    EXPECT_EQ(ImagePixels::References(buffer), 1u);
    // A size whose byte count does not fit is refused before allocating.
    EXPECT_THROW(a.Resize(70000, 70000, false), FCMemException);
    EXPECT_EQ(a.Data(), buffer);
}
