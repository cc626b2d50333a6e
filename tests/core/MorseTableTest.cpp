#include "sound/MorseTable.h"

#include <gtest/gtest.h>

#include <string>

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

// Every pattern in its written form, dots and dashes without the blanks the
// table stores after each symbol; every byte not listed sends nothing.
TEST(MorseTable, EveryCharacterSendsItsWrittenPattern) {
    struct Code {
        unsigned char c;
        const char* written;
    };
    // Cyrillic capitals are code page 1251 bytes, Ё at 168.
    const Code codes[] = {
        {'A', ".-"},     {'B', "-..."},   {'C', "-.-."},   {'D', "-.."},   {'E', "."},      {'F', "..-."},
        {'G', "--."},    {'H', "...."},   {'I', ".."},     {'J', ".---"},  {'K', "-.-"},    {'L', ".-.."},
        {'M', "--"},     {'N', "-."},     {'O', "---"},    {'P', ".--."},  {'Q', "--.-"},   {'R', ".-."},
        {'S', "..."},    {'T', "-"},      {'U', "..-"},    {'V', "...-"},  {'W', ".--"},    {'X', "-..-"},
        {'Y', "-.--"},   {'Z', "--.."},   {'0', "-----"},  {'1', ".----"}, {'2', "..---"},  {'3', "...--"},
        {'4', "....-"},  {'5', "....."},  {'6', "-...."},  {'7', "--..."}, {'8', "---.."},  {'9', "----."},
        {',', "--..--"}, {'.', ".-.-.-"}, {'/', "-..-."},  {'=', "-...-"}, {'?', "..--.."}, {192, ".-"},
        {193, "-..."},   {194, ".--"},    {195, "--."},    {196, "-.."},   {197, "."},      {168, "."},
        {198, "...-"},   {199, "--.."},   {200, ".."},     {201, ".---"},  {202, "-.-"},    {203, ".-.."},
        {204, "--"},     {205, "-."},     {206, "---"},    {207, ".--."},  {208, ".-."},    {209, "..."},
        {210, "-"},      {211, "..-"},    {212, "..-."},   {213, "...."},  {214, "-.-."},   {215, "---."},
        {216, "----"},   {217, "--.-"},   {218, ".--.-."}, {219, "-.--"},  {220, "-..-"},   {221, "..-.."},
        {222, "..--"},   {223, ".-.-"},
    };
    std::string listed(256, '\0');
    for (const Code& code : codes) {
        std::string stored;
        for (const char* p = code.written; *p; ++p)
            stored += std::string(1, *p) + " ";
        EXPECT_EQ(MorsePattern(code.c), stored) << "byte " << int(code.c);
        listed[code.c] = 1;
    }
    EXPECT_STREQ(MorsePattern(' '), "  ");
    listed[' '] = 1;
    for (int c = 0; c < 256; ++c)
        if (!listed[c]) {
            EXPECT_STREQ(MorsePattern(static_cast<unsigned char>(c)), "") << "byte " << c;
            EXPECT_EQ(MorsePatternLength(static_cast<unsigned char>(c)), 0) << "byte " << c;
        }
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
