#include "sound/SoundSettingsValues.h"

#include "sound/MorseTable.h"

#include <gtest/gtest.h>

#include <string>

TEST(SoundSettingsValues, DisplayValuesConvertBothWays) {
    EXPECT_EQ(WidthFromGroupsPerLine(5), 60);
    EXPECT_EQ(GroupsPerLineFromWidth(60), 5);
    EXPECT_EQ(GroupsPerLineFromWidth(65), 5); // a hand-edited width shows whole groups
    EXPECT_EQ(Width2FromCharsPerLine(60), 120);
    EXPECT_EQ(CharsPerLineFromWidth2(120), 60);
    // Every value the fields accept fits the text box settings and comes back.
    for (int g = kGroupsPerLineField.minimum; g <= kGroupsPerLineField.maximum; ++g)
        EXPECT_EQ(GroupsPerLineFromWidth(WidthFromGroupsPerLine(g)), g);
    for (int c = kCharsPerLineField.minimum; c <= kCharsPerLineField.maximum; ++c)
        EXPECT_EQ(CharsPerLineFromWidth2(Width2FromCharsPerLine(c)), c);
}

TEST(SoundSettingsValues, TestTextSoundsItsExpectedLength) {
    // Counted by hand: 192 units with two-unit blanks, AR run together (a
    // blank between A and R would add two units).
    int unit = unitSamples(TextLetters, kSoundTestSpeed, 44100);
    EXPECT_EQ(unit, 4398);
    EXPECT_EQ(textSamples(kSoundTestText, unit, -1), 192 * unit);
    EXPECT_EQ(std::string(kSoundTestText).substr(0, 12), "V V V   =   ");
}
