#include "sound/MorseTable.h"
#include "transmission/KeyTiming.h"
#include "transmission/KeyDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace {

const std::string kSigns = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,=?/";

std::string PatternOf(char c) {
    std::string p;
    for (const char* s = MorsePattern(static_cast<unsigned char>(c)); *s; ++s)
        if (*s != ' ')
            p += *s;
    return p;
}

// Key times of a text in groups ("ABCDE FGHIJ"), every length off by up to
// `jitter` (a share) at random; the unit of character i is unitOf(i).
template <class UnitOf>
KeyTimes Keyed(const std::string& text, UnitOf unitOf, double jitter, std::mt19937& random) {
    std::uniform_real_distribution<double> off(1 - jitter, 1 + jitter);
    KeyTimes k;
    double t = 0;
    int index = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ')
            continue;
        const double unit = unitOf(index++);
        if (!k.empty())
            t += (text[i - 1] == ' ' ? 7 : 3) * unit * off(random);
        const std::string pattern = PatternOf(text[i]);
        for (size_t e = 0; e < pattern.size(); ++e) {
            if (e)
                t += unit * off(random);
            const double length = (pattern[e] == '-' ? 3 : 1) * unit * off(random);
            k.push_back({t, t + length});
            t += length;
        }
    }
    return k;
}

// The 41 signs in a seeded order, in groups of five.
std::string AllSigns(std::mt19937& random) {
    std::string signs = kSigns;
    std::shuffle(signs.begin(), signs.end(), random);
    std::string text;
    for (size_t i = 0; i < signs.size(); ++i)
        text += std::string(i && i % 5 == 0 ? " " : "") + signs[i];
    return text;
}

TEST(KeyDecoder, TheErrorSignAndUnknownPatterns) {
    EXPECT_EQ(SignOfPattern("....."), '5');
    EXPECT_EQ(SignOfPattern("......"), kErrorSign);
    EXPECT_EQ(SignOfPattern(".-.-"), kUnknownSign); // no sign of the texts
}

TEST(KeyDecoder, AllSignsAtEverySpeedWithJitterComeBackWhole) {
    const double guess = UnitMsOfSpeed(TextLetters, 100);
    for (unsigned seed = 1; seed <= 3; ++seed)
        for (int speed = 50; speed <= 300; speed += 25) {
            std::mt19937 random(seed * 1000 + static_cast<unsigned>(speed));
            const std::string text = AllSigns(random);
            const double unit = UnitMsOfSpeed(TextLetters, speed);
            const KeyTimes k = Keyed(
                text, [&](int) { return unit; }, 0.10, random);
            EXPECT_EQ(DecodeKeyTimes(k, guess).text, text) << speed << " cpm, seed " << seed;
        }
}

TEST(KeyDecoder, FollowsASpeedChangeAndAWrongGuess) {
    struct Case {
        int speed;
        double change; // the second half's speed against the first's
        int guessSpeed;
    };
    const Case cases[] = {{100, 1.3, 100}, {100, 0.7, 100}, {250, 1.3, 100}, {60, 0.7, 100},
                          {50, 1.0, 300},  {300, 1.0, 50},  {300, 0.7, 50},  {50, 1.3, 300}};
    for (const Case& c : cases)
        for (unsigned seed = 1; seed <= 3; ++seed) {
            std::mt19937 random(seed);
            const std::string text = AllSigns(random) + " " + AllSigns(random);
            const double unit = UnitMsOfSpeed(TextLetters, c.speed);
            const KeyTimes k = Keyed(
                text, [&](int i) { return i < 41 ? unit : unit / c.change; }, 0.10, random);
            EXPECT_EQ(DecodeKeyTimes(k, UnitMsOfSpeed(TextLetters, c.guessSpeed)).text, text)
                << c.speed << " cpm changing x" << c.change << ", guessed " << c.guessSpeed << ", seed "
                << seed;
        }
}

TEST(KeyDecoder, MarksAllAlikeAreJudgedByTheUnitLearnedBefore) {
    // Dashes only, long after a guess three times too slow was corrected:
    // against the guess they would all be dots.
    std::mt19937 random(7);
    const std::string text = "PARIS 00000 MMMMM OOOOO TTTTT";
    const double unit = UnitMsOfSpeed(TextLetters, 300);
    const KeyTimes k = Keyed(
        text, [&](int) { return unit; }, 0.10, random);
    EXPECT_EQ(DecodeKeyTimes(k, UnitMsOfSpeed(TextLetters, 100)).text, text);
}

TEST(KeyDecoder, ExactTimingsDecodeExactly) {
    const std::string sending = "P A R I S   5 = ? / ,   0 1 2 3 4   ";
    const double unit = 37.5;
    const KeyDecoding d = DecodeKeyTimes(RenderKeyTimes(sending, unit, 0, 500), 100);
    EXPECT_EQ(d.text, "PARIS 5=?/, 01234");
    EXPECT_DOUBLE_EQ(d.unitMs, unit);
    ASSERT_EQ(d.characters.size(), 15u);
    EXPECT_TRUE(d.characters[5].groupStart);
    EXPECT_FALSE(d.characters[6].groupStart);
    EXPECT_EQ(d.characters[1].pattern, ".-");
    EXPECT_EQ(d.characters[1].firstPress, 4u);
    EXPECT_EQ(d.characters[1].presses, 2u);
}

TEST(KeyDecoder, StretchedSpacingAndPausesKeepTheGroups) {
    const std::string sending = "P A R I S   5 = ? / ,   0 1 2 3 4   K L M N O   ";
    for (double stretch : {1.0, 1.5, 2.0, 3.0})
        EXPECT_EQ(DecodeKeyTimes(RenderKeyTimes(sending, 20, 20 * stretch), 50).text,
                  "PARIS 5=?/, 01234 KLMNO")
            << stretch;
    // A pause for thought is a group gap like any other, and a long group
    // without pauses stays one group.
    KeyTimes k = RenderKeyTimes("P A R I S   5 = ? / ,   ", 20);
    const KeyTimes more = RenderKeyTimes("A B C D E F G H I J K L   ", 20, 0, k.back().upMs + 3000);
    k.insert(k.end(), more.begin(), more.end());
    EXPECT_EQ(DecodeKeyTimes(k, 50).text, "PARIS 5=?/, ABCDEFGHIJKL");
}

TEST(KeyDecoder, LiveDecodingClosesCharactersAsTheSilenceGrows) {
    KeyDecoder decoder(10);
    // A (.-), with the unit at 10 ms.
    EXPECT_TRUE(decoder.Press(0, 10));
    EXPECT_TRUE(decoder.Press(20, 50));
    EXPECT_FALSE(decoder.Press(40, 60)); // before the last press ended
    EXPECT_FALSE(decoder.Press(60, 60)); // lasts nothing
    decoder.Idle(65);
    EXPECT_EQ(decoder.Result().text, ""); // 1.5 units: A may go on
    EXPECT_EQ(decoder.Result().open, ".-");
    decoder.Idle(75);
    EXPECT_EQ(decoder.Result().text, "A");
    EXPECT_EQ(decoder.Result().open, "");
    // E after a group gap, then T after a character gap, then an unknown
    // pattern and the error sign.
    EXPECT_TRUE(decoder.Press(120, 130));
    EXPECT_TRUE(decoder.Press(160, 190));
    EXPECT_TRUE(decoder.Press(220, 230)); // .-.-
    EXPECT_TRUE(decoder.Press(240, 270));
    EXPECT_TRUE(decoder.Press(280, 290));
    EXPECT_TRUE(decoder.Press(300, 330));
    for (int i = 0; i < 7; ++i)
        decoder.Press(400 + 20 * i, 410 + 20 * i);
    decoder.Idle(1000);
    EXPECT_EQ(decoder.Result().text, "A ET* #");
    EXPECT_EQ(decoder.SendingText(), "A   E T *   # ");
    decoder.Reset(10);
    EXPECT_EQ(decoder.Result().text, "");
}

} // namespace
