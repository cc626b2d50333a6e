#include "app/ColorMath.h"

#include <gtest/gtest.h>

namespace {
constexpr std::uint32_t Rgb(unsigned r, unsigned g, unsigned b) {
    return r | (g << 8) | (b << 16);
}
} // namespace

TEST(ScaleColor, DefaultDialogColourGivesTheButtonShades) {
    const std::uint32_t base = 13160660; // red 212, green 208, blue 200
    ASSERT_EQ(base, Rgb(212, 208, 200));
    EXPECT_EQ(ScaleColor(base, 2.0), Rgb(255, 255, 255));
    EXPECT_EQ(ScaleColor(base, 0.25), Rgb(53, 52, 50));
    EXPECT_EQ(ScaleColor(base, 1.1), Rgb(233, 228, 220)); // 233.2, 228.8, 220.0: truncated
    EXPECT_EQ(ScaleColor(base, 1.0), base);
}

TEST(ScaleColor, ChannelsStaySeparateAndTopByteIsDropped) {
    EXPECT_EQ(ScaleColor(Rgb(200, 100, 0), 1.3), Rgb(255, 130, 0));
    EXPECT_EQ(ScaleColor(Rgb(0, 0, 197), 1.3), Rgb(0, 0, 255)); // 256.1 caps, no carry
    EXPECT_EQ(ScaleColor(0xFF000000u | Rgb(10, 20, 30), 1.0), Rgb(10, 20, 30));
    EXPECT_EQ(ScaleColor(Rgb(255, 255, 255), 0.0), 0u);
}
