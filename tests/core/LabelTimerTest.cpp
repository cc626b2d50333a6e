#include "controls/LabelTimerRules.h"
#include "controls/TimeFormat.h"

#include <gtest/gtest.h>

#include <string>

TEST(FormatClockTime, MinutesSecondsAndTruncatedTenths) {
    const struct {
        long long ms;
        const char* text;
    } cases[] = {
        {0, "0:00.0"},          {9999, "0:09.9"},     {65432, "1:05.4"},
        {60000, "1:00.0"},      {3599999, "59:59.9"}, {3600000, "1:00:00.0"},
        {3725000, "1:02:05.0"}, {-1, "--:--"},        {36000000, "10:00:00.0"},
        {99, "0:00.0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatClockTime(c.ms), c.text) << c.ms;
}

TEST(LabelText, TrimsTrailingBlanksButKeepsTheFirstCharacter) {
    EXPECT_EQ(TrimLabelText("AB   "), "AB");
    EXPECT_EQ(TrimLabelText("   "), " ");
    EXPECT_EQ(TrimLabelText(" A B "), " A B");
    EXPECT_EQ(TrimLabelText(nullptr), "");
    EXPECT_EQ(TrimLabelText(""), "");
    std::string longText(1500, 'x');
    EXPECT_EQ(TrimLabelText(longText.c_str()).size(), 1023u);
    std::string cutBeforeBlanks = std::string(1020, 'x') + "     yyy";
    EXPECT_EQ(TrimLabelText(cutBeforeBlanks.c_str()), std::string(1020, 'x'));
}

TEST(LabelSizing, WidthThenHeightThenRelief) {
    EXPECT_EQ(LabelStartHeight(32), -30);
    // Too wide: -0.95 x 30 x 200 / 400 = -14.25, truncated toward zero.
    EXPECT_EQ(LabelFittedHeight(200, 32, 400, 35), -14);
    // Fits across but too high: -(30 x 30 / 36) = -25.
    EXPECT_EQ(LabelFittedHeight(200, 32, 150, 36), -25);
    EXPECT_EQ(LabelFittedHeight(200, 32, 150, 30), -30);
    EXPECT_FALSE(LabelInRelief(-20));
    EXPECT_TRUE(LabelInRelief(-21));
    EXPECT_FALSE(LabelInRelief(0));
    // A label of height 1 has no room at all; no division by a zero height.
    EXPECT_EQ(LabelFittedHeight(100, 1, 0, 0), 1);
}

TEST(TimerSizing, UsesTheFullHeightInBothRules) {
    EXPECT_EQ(TimerStartHeight(40), -38);
    // -0.95 x 100 x 40 / 160 = -23.75
    EXPECT_EQ(TimerFittedHeight(100, 40, 160, 44), -23);
    EXPECT_EQ(TimerFittedHeight(100, 40, 90, 43), -37); // -(1600 / 43)
    EXPECT_EQ(TimerFittedHeight(100, 40, 90, 42), -38); // 42 is not above h + 2
}
