#include "controls/ImagePixels.h"
#include "controls/ImageResample.h"

#include <gtest/gtest.h>

namespace {

uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
    return r << 16 | g << 8 | b;
}

std::vector<uint32_t> Resampled(const std::vector<uint32_t>& from, PixelSize fromSize, PixelSize toSize) {
    std::vector<uint32_t> to(static_cast<size_t>(toSize.width) * toSize.height);
    ResamplePixels(from.data(), fromSize, to.data(), toSize);
    return to;
}

void* FailingAlloc(size_t) {
    return nullptr;
}

} // namespace

TEST(ImageResample, FitKeepsTheAspectRoundedAndNeverEmpty) {
    const struct {
        PixelSize picture, box, fit;
    } cases[] = {
        {{400, 300}, {100, 100}, {100, 75}}, {{400, 300}, {400, 100}, {133, 100}},
        {{3, 2}, {100, 100}, {100, 67}},     {{2, 3}, {100, 100}, {67, 100}},
        {{1000, 1}, {10, 10}, {10, 1}},      {{100000, 50000}, {200000, 200000}, {200000, 100000}},
    };
    for (const auto& c : cases) {
        const PixelSize fit = FitKeepingAspect(c.picture, c.box);
        EXPECT_EQ(fit.width, c.fit.width) << c.picture.width << "x" << c.picture.height;
        EXPECT_EQ(fit.height, c.fit.height) << c.picture.width << "x" << c.picture.height;
    }
}

TEST(ImageResample, SpansTileTheSourceWhenShrinkingAndRepeatItWhenGrowing) {
    for (uint32_t n : {2u, 7u, 401u})
        for (uint32_t m = 1; m <= 3 * n; ++m) {
            uint32_t next = 0;
            for (const AxisSpan& span : AxisSpans(n, m)) {
                if (m <= n) { // consecutive runs covering every source once
                    ASSERT_EQ(span.first, next) << n << " into " << m;
                    ASSERT_GE(span.count, 1u);
                    next += span.count;
                } else { // each source in order, none skipped
                    ASSERT_EQ(span.count, 1u);
                    ASSERT_LE(span.first - next, 1u) << n << " into " << m;
                    next = span.first;
                }
            }
            ASSERT_EQ(next, m <= n ? n : n - 1) << n << " into " << m;
        }
}

TEST(ImageResample, RowsShrinkByRoundedAveragesAndGrowByRepeats) {
    const std::vector<uint32_t> four = {Rgb(10, 0, 255), Rgb(20, 255, 0), Rgb(1, 2, 3), Rgb(2, 2, 4)};
    // (0 + 255) / 2 = 127.5 and (3 + 4) / 2 = 3.5 round up.
    EXPECT_EQ(Resampled(four, {4, 1}, {2, 1}), (std::vector<uint32_t>{Rgb(15, 128, 128), Rgb(2, 2, 4)}));
    // 5 into 3 takes sources [0, 2), [2, 3), [3, 5).
    const std::vector<uint32_t> five = {Rgb(0, 0, 0), Rgb(1, 0, 0), Rgb(9, 0, 0), Rgb(3, 0, 0), Rgb(4, 0, 0)};
    EXPECT_EQ(Resampled(five, {5, 1}, {3, 1}),
              (std::vector<uint32_t>{Rgb(1, 0, 0), Rgb(9, 0, 0), Rgb(4, 0, 0)}));
    // 2 into 5 repeats pixel 0 over 0-2 and pixel 1 over 3-4, top byte cleared.
    const std::vector<uint32_t> two = {0xFF000000 | Rgb(1, 2, 3), Rgb(200, 100, 50)};
    const uint32_t a = Rgb(1, 2, 3), b = Rgb(200, 100, 50);
    EXPECT_EQ(Resampled(two, {2, 1}, {5, 1}), (std::vector<uint32_t>{a, a, a, b, b}));
    // A third rounds down: (0 + 0 + 255) / 3 = 85, (1 + 0 + 0) / 3 = 0.
    EXPECT_EQ(Resampled({Rgb(1, 0, 0), 0, Rgb(255, 0, 255)}, {1, 3}, {1, 1})[0], Rgb(85, 0, 85));
}

TEST(ImageResample, BothAxesAtOnce) {
    // 4 x 2 into 2 x 4: columns pair up, rows repeat.
    const std::vector<uint32_t> pixels = {Rgb(0, 0, 0), Rgb(4, 0, 0),  Rgb(0, 0, 100), Rgb(0, 0, 100),
                                          Rgb(8, 0, 0), Rgb(11, 0, 0), Rgb(0, 50, 0),  Rgb(0, 0, 100)};
    const uint32_t a = Rgb(2, 0, 0), b = Rgb(0, 0, 100), c = Rgb(10, 0, 0), d = Rgb(0, 25, 50);
    EXPECT_EQ(Resampled(pixels, {4, 2}, {2, 4}), (std::vector<uint32_t>{a, b, a, b, c, d, c, d}));
    // Into 2 x 1 each output is the mean of a 2 x 2 block: 23 / 4 -> 6, 50 / 4 -> 13.
    EXPECT_EQ(Resampled(pixels, {4, 2}, {2, 1}), (std::vector<uint32_t>{Rgb(6, 0, 0), Rgb(0, 13, 75)}));
}

TEST(ImagePixels, CopiesShareOneBufferUntilTheLastLetsGo) {
    const std::vector<uint32_t> rows(400 * 300, Rgb(1, 2, 3));
    ImagePixels a;
    a.Assign(400, 300, rows.data());
    const uint32_t* buffer = a.Data();
    {
        ImagePixels b(a), c;
        c = b;
        EXPECT_EQ(c.Data(), buffer);
        EXPECT_EQ(ImagePixels::References(buffer), 3u);
        // A resized copy gets a buffer of its own; the shared one loses a reference.
        c.Resize(100, 100, true);
        EXPECT_EQ(c.Width(), 100u);
        EXPECT_EQ(c.Height(), 75u);
        EXPECT_EQ(c.Data()[0], Rgb(1, 2, 3));
        EXPECT_EQ(ImagePixels::References(buffer), 2u);
    }
    EXPECT_EQ(ImagePixels::References(buffer), 1u);
    a.Resize(400, 300, false); // same size: untouched
    EXPECT_EQ(a.Data(), buffer);
    a.Resize(0, 5, true);
    EXPECT_TRUE(a.Empty());
    EXPECT_EQ(ImagePixels::References(buffer), 0u);
}

TEST(ImagePixels, OutOfMemoryThrowsAndKeepsThePicture) {
    const uint32_t rows[2] = {Rgb(9, 9, 9), Rgb(7, 7, 7)};
    ImagePixels a;
    a.Assign(2, 1, rows);
    const uint32_t* buffer = a.Data();
    FCAllocFunction previous = FCSetAllocHook(FailingAlloc);
    EXPECT_THROW(a.Resize(50, 50, false), FCMemException);
    FCSetAllocHook(previous);
    // A size whose byte count does not fit is refused before allocating.
    EXPECT_THROW(a.Resize(70000, 70000, false), FCMemException);
    EXPECT_EQ(a.Data(), buffer);
    EXPECT_EQ(a.Width(), 2u);
    EXPECT_EQ(ImagePixels::References(buffer), 1u);
}
