// Properties of generated texts over many seeds. The algorithm is the
// authority: for a few seeds it breaks the "usually" properties, so those
// allow a handful of exceptions; the layout and "never three alike" allow none.
#include "texts/Random.h"
#include "texts/TextGenerator.h"

#include "sound/MorseTable.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

namespace {

constexpr int kSeeds = 400;

// Characters of a text, checking the layout on the way: every character
// followed by a blank, three blanks after every fifth.
std::string CharactersOf(const std::string& text, int count, const char* what) {
    std::string chars;
    size_t pos = 0;
    for (int i = 0; i < count; ++i) {
        EXPECT_LT(pos + 1, text.size() + 1) << what;
        if (pos + 1 >= text.size() + 1)
            break;
        chars += text[pos];
        EXPECT_NE(text[pos], ' ') << what << " at " << pos;
        EXPECT_EQ(text[pos + 1], ' ') << what << " at " << pos;
        pos += 2;
        if (i % 5 == 4) {
            EXPECT_EQ(text.substr(pos, 2), "  ") << what << " after character " << i;
            pos += 2;
        }
    }
    EXPECT_EQ(pos, text.size()) << what;
    return chars;
}

int PatternSum(const std::string& s) {
    int sum = 0;
    for (char c : s)
        sum += MorsePatternLength(static_cast<unsigned char>(c));
    return sum;
}

} // namespace

TEST(TextGeneratorProperties, TextsOf250Characters) {
    for (int kind = 0; kind < 3; ++kind) {
        const std::string alphabet = TextAlphabet(kind);
        const int n = static_cast<int>(alphabet.size());
        const double even = 250.0 / n;
        const double averageLength = 250.0 * PatternSum(alphabet) / n;
        int frequencyExceptions = 0, lengthExceptions = 0;
        for (int32_t seed = 1; seed <= kSeeds; ++seed) {
            const std::string what = "kind " + std::to_string(kind) + " seed " + std::to_string(seed);
            const std::string chars = CharactersOf(generateText(seed, 250, alphabet), 250, what.c_str());
            ASSERT_EQ(chars.size(), 250u) << what;
            std::map<char, int> freq;
            for (size_t k = 0; k < chars.size(); ++k) {
                ASSERT_NE(alphabet.find(chars[k]), std::string::npos) << what;
                ++freq[chars[k]];
                if (k >= 2) {
                    ASSERT_FALSE(chars[k] == chars[k - 1] && chars[k] == chars[k - 2]) << what << " at " << k;
                }
            }
            bool even5 = true;
            for (char c : alphabet)
                even5 = even5 && std::abs(freq[c] - even) <= 5;
            frequencyExceptions += !even5;
            if (kind == TextLetters)
                lengthExceptions += !(std::abs(PatternSum(chars) - averageLength) < 10);
        }
        EXPECT_LE(frequencyExceptions, kSeeds / 100) << "kind " << kind;
        EXPECT_LE(lengthExceptions, kSeeds / 100) << "kind " << kind;
    }
}

TEST(TextGeneratorProperties, FiguresOf25Characters) {
    const std::string figures = TextAlphabet(TextFigures);
    int exceptions = 0;
    for (int32_t seed = 1; seed <= 2 * kSeeds; ++seed) {
        const std::string what = "seed " + std::to_string(seed);
        const std::string chars = CharactersOf(generateText(seed, 25, figures), 25, what.c_str());
        std::map<char, int> freq;
        for (char c : chars)
            ++freq[c];
        bool ok = true;
        for (char c : figures)
            ok = ok && freq[c] >= 1 && freq[c] <= 4;
        exceptions += !ok;
    }
    EXPECT_GE(exceptions, 1); // seed 468 is one
    EXPECT_LE(exceptions, 2 * kSeeds / 100);
}

TEST(TextGeneratorProperties, LayoutOfEveryLength) {
    for (int32_t count = 1; count <= 61; ++count) {
        const std::string t = generateText(count * 7919, count, TextAlphabet(TextMixed));
        CharactersOf(t, count, ("count " + std::to_string(count)).c_str());
        // Ends with a character and one blank, or three after a full group.
        EXPECT_EQ(t.size() >= 4 && t.compare(t.size() - 3, 3, "   ") == 0, count % 5 == 0) << count;
    }
}

// The largest texts a page asks for: the layout holds, and the texts are
// the ones a second, independent transcription of the algorithm produced
// (compared through a hash, with the random state they leave). Over 50000
// characters the pair quotas (count / n / n each) run out near the end, and
// frequencies then drift by more than the short texts' tolerance; that is
// the algorithm's behaviour, so no frequency bound is asserted here.
TEST(TextGeneratorProperties, LongestPageTexts) {
    struct Case {
        int32_t seed;
        int kind;
        uint64_t hash;
        uint32_t state;
    };
    const Case cases[] = {{10000001, TextMixed, 0xa808ff894f888096ull, 0x512e9a33u},
                          {9999999, TextLetters, 0x22f22aaa60f6188dull, 0x9fb7d7ffu},
                          {5000000, TextFigures, 0x322bfa34bee9b85ull, 0xe94d0056u}};
    const int count = 10000 * 5;
    for (const Case& c : cases) {
        const std::string text = generateText(c.seed, count, TextAlphabet(c.kind));
        EXPECT_EQ(RandomState(), c.state) << c.seed;
        uint64_t h = 0xcbf29ce484222325ull; // FNV-1a
        for (char ch : text)
            h = (h ^ static_cast<unsigned char>(ch)) * 0x100000001b3ull;
        EXPECT_EQ(h, c.hash) << c.seed;
        const std::string chars = CharactersOf(text, count, "longest");
        for (size_t k = 2; k < chars.size(); ++k) {
            ASSERT_FALSE(chars[k] == chars[k - 1] && chars[k] == chars[k - 2]) << c.seed << " at " << k;
        }
    }
}
