#include "texts/Random.h"
#include "texts/TextGenerator.h"

#include "sound/MorseTable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The generator's LCG written out again, independently of texts/Random.cpp.
struct Lcg {
    uint32_t state;
    int Draw() {
        state = state * 214013u + 2531011u;
        return static_cast<int>(state >> 16 & 0x7FFF);
    }
};

uint32_t StateAfter(uint32_t seed, int draws) {
    Lcg g{seed};
    while (draws-- > 0)
        g.Draw();
    return g.state;
}

const std::string kLetters = TextAlphabet(TextLetters);
const std::string kFigures = TextAlphabet(TextFigures);
const std::string kMixed = TextAlphabet(TextMixed);

} // namespace

TEST(RandomSource, DrawsBitsSixteenToThirtyOfTheNewState) {
    SeedRandom(1);
    EXPECT_EQ(DrawRandom(), 41);
    EXPECT_EQ(DrawRandom(), 18467);
    EXPECT_EQ(DrawRandom(), 6334);
    EXPECT_EQ(RandomState(), StateAfter(1, 3));
    // The state wraps modulo 2^32 and a negative seed is its two's complement.
    SeedRandom(static_cast<uint32_t>(-5));
    Lcg g{0xFFFFFFFBu};
    for (int k = 0; k < 1000; ++k) {
        const int r = DrawRandom();
        ASSERT_EQ(r, g.Draw());
        ASSERT_GE(r, 0);
        ASSERT_LE(r, kRandomMax);
    }
}

TEST(RandomSource, CompetitionRunSeedingAndTextNumbers) {
    for (uint32_t seed : {0u, 1u, 977u, 123456789u, 0xFFFFFFFFu}) {
        SeedCompetitionRun(seed);
        Lcg g{seed};
        const int skip = g.Draw() % 10;
        for (int k = 0; k < skip; ++k)
            g.Draw();
        ASSERT_EQ(RandomState(), g.state) << seed;
        for (int text = 0; text < 50; ++text) {
            const long long r1 = g.Draw() % 1000, r2 = g.Draw() % 1000, r3 = g.Draw() % 1000,
                            r4 = g.Draw() % 1000;
            const int32_t expected = static_cast<int32_t>((r1 * r2 * r3 + r4) % 10000000 + 20000000);
            ASSERT_EQ(NextCompetitionTextNumber(), expected) << seed << " text " << text;
        }
    }
    // Over many draws the numbers stay in the run's range.
    SeedRandom(42);
    for (int k = 0; k < 20000; ++k) {
        const int32_t n = NextCompetitionTextNumber();
        ASSERT_GE(n, 20000000);
        ASSERT_LE(n, 29999999);
    }
}

// Texts other implementations must reproduce byte for byte, and the random
// state each leaves for the competition run's next text number.
TEST(TextGenerator, FixedSeedTexts) {
    struct Case {
        int32_t seed, count;
        const std::string& alphabet;
        const char* text;
        uint32_t state;
    };
    const Case cases[] = {
        {7, 25, kLetters, "I I H Q W   W C S C K   N X O D L   M G B F R   U P Z T V   ", 0x89b7e9e5},
        {10000007, 25, kLetters, "W W R P G   O X T A S   I D Q Z B   V M F U K   H C X N L   ", 0xf75b6c65},
        {125, 20, kMixed, "C C F B Q   G A P 0 I   ? 6 W Y L   O Z 5 4 X   ", 0x705e1371},
        // Length balancing outranks the wish for unused characters: 0 is left out.
        {468, 25, kFigures, "6 5 9 9 8   8 3 2 6 3   7 9 4 8 2   1 7 2 7 1   6 2 3 8 7   ", 0x9d43dd13},
        {-5, 12, kFigures, "4 4 0 8 2   7 3 8 1 6   9 5 ", 0x967c500e},
        {23456789, 100, kLetters,
         "O J U U G   I B Q E F   X M I Q F   J D T S W   P B S A L   A D Y Z W   G S P Q H   W A E K V   "
         "T H V J Z   Y F M N D   Z E Z O W   S I R K L   O B R F Y   V B T Q I   T C N X Y   C K G H L   "
         "M K W U V   R P H M L   G U L R V   F D B M C   ",
         0x6fe2316a},
        {20000000, 60, kMixed,
         "R M F L D   4 6 J W K   Y D H X E   , 2 O A 0   1 8 V C G   P Z P B =   5 3 U 7 4   . I X / N   "
         "Q L C 6 X   W Y G Z K   ? D D 9 H   L Y C H 2   ",
         0x990282e4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(generateText(c.seed, c.count, c.alphabet), c.text) << c.seed;
        EXPECT_EQ(RandomState(), c.state) << c.seed;
    }
}

TEST(TextGenerator, SameInputsSameTextAndState) {
    for (int kind = 0; kind < 3; ++kind) {
        const std::string a = generateText(31337, 500, TextAlphabet(kind));
        const uint32_t state = RandomState();
        SeedRandom(99); // whatever came before must not matter
        DrawRandom();
        EXPECT_EQ(generateText(31337, 500, TextAlphabet(kind)), a);
        EXPECT_EQ(RandomState(), state);
        EXPECT_NE(generateText(31338, 500, TextAlphabet(kind)), a);
    }
}

// Set-up order re-derived by hand for a two-character alphabet. With n = 2 the
// first character is always the one the shuffle put second (position 0 can
// only be followed by index 1 when prev and prevPrev are both 0), and a text
// of fewer than 10 characters doubles it at once (probability >= 100). So the
// first two characters are shuffled[1], which only the draw for the double
// allowance and the four shuffle draws decide.
TEST(TextGenerator, SetUpDrawOrderByHand) {
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        Lcg g{seed};
        g.Draw(); // double allowance
        std::string abc = "ET";
        for (int k = 0; k < 2; ++k) {
            const int i = g.Draw() % 2, j = g.Draw() % 2;
            std::swap(abc[i], abc[j]);
        }
        const std::string text = generateText(static_cast<int32_t>(seed), 5, "ET");
        ASSERT_EQ(text.size(), 5u * 2 + 2);
        EXPECT_EQ(text[0], abc[1]) << seed;
        EXPECT_EQ(text[2], abc[1]) << seed;
        EXPECT_NE(text[4], abc[1]) << seed; // never three alike

        // Draws of one character from "ET" (T is extreme, E is not): 1 + 4
        // for allowance and shuffle; per p one quota draw, one more for T,
        // one pair draw for the extreme q = T; then at i = 0 one quota draw
        // if shuffled[0] is T, and the draws for start and the first guess.
        generateText(static_cast<int32_t>(seed), 1, "ET");
        const int draws = 1 + 4 + 2 + 1 + 2 + (abc[0] == 'T' ? 1 : 0) + 2;
        EXPECT_EQ(RandomState(), StateAfter(seed, draws)) << seed;
    }
    // One character: the set-up draws (allowance, one swap, quota of an
    // extreme p, one pair draw) and none per position.
    generateText(77, 40, "E");
    EXPECT_EQ(RandomState(), StateAfter(77, 1 + 2 + 2 + 1));
}

TEST(TextGenerator, DegenerateInputs) {
    EXPECT_EQ(generateText(5, 0, kLetters), "");
    EXPECT_EQ(RandomState(), 5u); // still seeded
    EXPECT_EQ(generateText(5, -3, kLetters), "");
    EXPECT_EQ(generateText(6, 10, ""), "");
    EXPECT_EQ(RandomState(), 6u);
    EXPECT_EQ(generateText(1, 10, std::string(kMaxAlphabet + 1, 'E')), "");
    EXPECT_EQ(generateText(9, 7, "E"), "E E E E E   E E ");
    EXPECT_EQ(generateText(9, 5, "5"), "5 5 5 5 5   ");
    // The largest alphabet accepted: every byte, most of them of length 0.
    std::string all;
    for (int c = 0; c < 256; ++c)
        all += static_cast<char>(c);
    const std::string t = generateText(3, 600, all);
    EXPECT_EQ(t.size(), 600u * 2 + 600u / 5 * 2);
}

// Texts shorter than 10 characters have probability >= 100 and always
// double the character at position 1.
TEST(TextGenerator, VeryShortTextsStartDoubled) {
    for (const std::string* a : {&kLetters, &kFigures, &kMixed})
        for (int32_t seed = 1; seed <= 200; ++seed)
            for (int32_t count : {2, 5, 9}) {
                const std::string t = generateText(seed, count, *a);
                ASSERT_EQ(t[0], t[2]) << *a << " seed " << seed << " count " << count;
            }
}

// Texts of 250 characters for seeds 1 to 100, as the second, independent
// transcription of the algorithm produced them, compared through one FNV-1a
// hash per alphabet; this reaches the quota, pair and balancing rules that
// the short fixed texts above do not.
TEST(TextGenerator, HundredSeedsOf250Characters) {
    const uint64_t expected[3] = {0xdd9bea3ca840e11aull, 0xcaf0d22c8a93b9dbull, 0xf00647b081ff6dcdull};
    for (int kind = 0; kind < 3; ++kind) {
        uint64_t h = 0xcbf29ce484222325ull;
        for (int32_t seed = 1; seed <= 100; ++seed)
            for (char ch : generateText(seed, 250, TextAlphabet(kind)))
                h = (h ^ static_cast<unsigned char>(ch)) * 0x100000001b3ull;
        EXPECT_EQ(h, expected[kind]) << "kind " << kind;
    }
}

// Every length from 1 to 300 of the three kinds and of three odd alphabets
// (two characters; all 256 bytes, most of them of pattern length 0, so that
// the ties decide; four of very unequal lengths), and a few longer
// mixed texts, through one FNV-1a hash of texts and random states per
// alphabet. Short texts balance from the middle on, long ones only over the
// last n characters: this reaches every branch of the choice.
TEST(TextGenerator, EveryLengthOfEveryAlphabet) {
    std::string all;
    for (int c = 0; c < 256; ++c)
        all += static_cast<char>(c);
    struct Case {
        std::string alphabet;
        uint64_t hash;
    };
    const Case cases[] = {{kLetters, 0xbc060a3a98db9f2eull}, {kFigures, 0x919e2a8a2a2a2c53ull},
                          {kMixed, 0xadb1a70c57cb0af9ull},   {"ET", 0x632ebdeed7818226ull},
                          {all, 0x65d5055c8df5e253ull},      {"E0T5", 0x83a6c0644e1622ddull}};
    for (const Case& c : cases) {
        uint64_t h = 0xcbf29ce484222325ull;
        auto add = [&h](unsigned char byte) { h = (h ^ byte) * 0x100000001b3ull; };
        for (int32_t count = 1; count <= 300; ++count) {
            for (char ch : generateText(count * 104729 - 7, count, c.alphabet))
                add(static_cast<unsigned char>(ch));
            const uint32_t state = RandomState();
            for (int b = 0; b < 4; ++b)
                add(static_cast<unsigned char>(state >> (8 * b)));
        }
        if (c.alphabet == kMixed)
            for (int32_t count : {999, 4096, 20000})
                for (char ch : generateText(count + 3, count, c.alphabet))
                    add(static_cast<unsigned char>(ch));
        EXPECT_EQ(h, c.hash) << c.alphabet.size() << " characters";
    }
}
