#include "sound/MorseTable.h"

#include <gtest/gtest.h>

TEST(MorseTable, PatternLengthsCountDashesAsThree) {
    EXPECT_EQ(MorsePatternLength('A'), 6);
    EXPECT_EQ(MorsePatternLength('E'), 2);
    EXPECT_EQ(MorsePatternLength('0'), 20);
    EXPECT_EQ(MorsePatternLength(' '), 2);
    EXPECT_EQ(MorsePatternLength('a'), 0);
    EXPECT_EQ(MorsePatternLength(0), 0);
    EXPECT_STREQ(MorsePattern('a'), "");
}

TEST(MorseTable, AveragesBehindTheUnitFormulaMatchTheTable) {
    // The unit constants stand for the average sounding length without the
    // closing gap: pattern length minus one per character.
    int letters = 0, figures = 0, signs = 0;
    for (char c = 'A'; c <= 'Z'; ++c)
        letters += MorsePatternLength(c) - 1;
    for (char c = '0'; c <= '9'; ++c)
        figures += MorsePatternLength(c) - 1;
    for (char c : std::string(".,=?/"))
        signs += MorsePatternLength(c) - 1;
    EXPECT_EQ(letters, 214);
    EXPECT_EQ(figures, 140);
    EXPECT_EQ(letters + figures + signs, 431);
}

TEST(MorseTable, CyrillicSharesLatinPatterns) {
    const unsigned char yo = 168, ye = 197, ve = 194, che = 215;
    EXPECT_STREQ(MorsePattern(yo), MorsePattern('E'));
    EXPECT_STREQ(MorsePattern(ye), MorsePattern('E'));
    EXPECT_STREQ(MorsePattern(ve), MorsePattern('W'));
    EXPECT_STREQ(MorsePattern(che), "- - - . ");
    for (int c = 192; c <= 223; ++c)
        EXPECT_GT(MorsePatternLength(static_cast<unsigned char>(c)), 0) << c;
    EXPECT_EQ(MorsePatternLength(224), 0); // lower case is not sent
}

TEST(MorseTable, UnitSamplesAtTheListedSpeeds) {
    EXPECT_EQ(unitSamples(TextLetters, 50, 44100), 4398);
    EXPECT_EQ(unitSamples(TextFigures, 100, 44100), 1486);
    EXPECT_EQ(unitSamples(TextMixed, 200, 44100), 924);
    EXPECT_EQ(unitSamples(TextLetters, 300, 44100), 733);
    EXPECT_EQ(unitSamples(TextLetters, 50, 11025), 1099);
    EXPECT_EQ(unitSamples(TextMixed, 300, 96000), 1341);
}

TEST(MorseTable, TextSamplesCountsSymbolsAndBlanks) {
    const int u = 100;
    EXPECT_EQ(textSamples("E T ", u, -1), 10 * u);
    EXPECT_EQ(textSamples("E T ", u, 7), 2 * u + 7 + 4 * u + 7);
    // AR run together: . - . - . with 1-unit gaps, and the two closing gaps.
    EXPECT_EQ(textSamples("AR", u, -1), (1 + 1 + 3 + 1) * u + (1 + 1 + 3 + 1 + 1 + 1) * u);
    EXPECT_EQ(textSamples("abc", u, -1), 0);
    EXPECT_EQ(textSamples("a b", u, -1), 2 * u);
}
