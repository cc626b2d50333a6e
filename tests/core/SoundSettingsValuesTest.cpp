#include "sound/SoundSettingsValues.h"

#include "sound/MorseTable.h"

#include <gtest/gtest.h>

#include <string>

TEST(SoundSettingsValues, TestTextSoundsItsExpectedLength) {
    // Counted by hand: 192 units with two-unit blanks, AR run together (a
    // blank between A and R would add two units).
    int unit = unitSamples(TextLetters, kSoundTestSpeed, 44100);
    EXPECT_EQ(unit, 4398);
    EXPECT_EQ(textSamples(kSoundTestText, unit, -1), 192 * unit);
    EXPECT_EQ(std::string(kSoundTestText).substr(0, 12), "V V V   =   ");
}
