#include "diary/CopyCheck.h"
#include "diary/DiaryFile.h"
#include "texts/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::u32string U(const std::string& utf8) {
    std::u32string s;
    EXPECT_TRUE(DecodeUtf8(utf8, s)) << utf8;
    return s;
}

} // namespace

TEST(CopyCheck, ConfusionsCountedByHand) {
    struct Case {
        const char* what;
        const char* text;
        const char* copy;
        int errors, right;
        const char* confusions; // as the diary writes them
    } cases[] = {
        {"substitution", "A B C D E   F G H I J", "ABXDE FGHIJ", 1, 9, "C>X:1"},
        {"omission", "A B C D E   F G H I J", "ABDE FGHIJ", 1, 9, "C>-:1"},
        {"insertion", "A B C D E   F G H I J", "ABCDE FGHHIJ", 1, 10, "->H:1"},
        {"a missing group, in text order", "A B C D E   F G H I J", "ABCDE", 5, 5,
         "F>-:1 G>-:1 H>-:1 I>-:1 J>-:1"},
        {"the same confusion twice comes first", "Q A Q B 5 C", "yaybc", 3, 3, "Q>Y:2 5>-:1"},
        {"case, blanks and line breaks do not count", "A B C D E", "ab\r\ncd e\n", 0, 5, ""},
        {"a copy of nothing", "A B C", "", 3, 0, "A>-:1 B>-:1 C>-:1"},
    };
    for (const Case& c : cases) {
        CopyCheck check;
        ASSERT_TRUE(CheckCopy(U(c.text), U(c.copy), 5, check)) << c.what;
        EXPECT_EQ(check.errors, c.errors) << c.what;
        EXPECT_EQ(check.right, c.right) << c.what;
        EXPECT_EQ(ConfusionsField(check.confusions), c.confusions) << c.what;
        // Every error is one counted confusion.
        int counted = 0;
        for (const Confusion& k : check.confusions)
            counted += k.count;
        EXPECT_EQ(counted, check.errors) << c.what;
    }
}

TEST(CopyCheck, AcceptedByTheResultsLimitAndTooLongRefused) {
    CopyCheck check;
    ASSERT_TRUE(CheckCopy(U("ABCDEFGHIJ"), U("ABCDE"), 5, check));
    EXPECT_TRUE(check.accepted);
    EXPECT_EQ(check.characters, 10);
    ASSERT_TRUE(CheckCopy(U("ABCDEFGHIJ"), U("ABCDE"), 4, check));
    EXPECT_FALSE(check.accepted);

    EXPECT_FALSE(CheckCopy(std::u32string(kMaxMarkedCharacters + 1, U'A'), U("A"), 5, check));
    EXPECT_EQ(check.errors, 0);
    EXPECT_TRUE(check.confusions.empty());
}

TEST(CopyCheck, PlayedTextIsTheGeneratorsText) {
    PlayedText played;
    played.kind = 1;
    played.number = 42;
    played.groups = 3;
    const std::string text = PlayedTextOf(played);
    EXPECT_EQ(MarkingCharacters(U(text)).size(), 15u);
    played.series = 1; // competition texts are numbered apart
    EXPECT_NE(PlayedTextOf(played), text);
}

TEST(CopyCheck, DisplayFormFillsTheWords) {
    const std::vector<Confusion> confusions = {{U'Q', U'Y', 2}, {U'5', 0, 1}, {0, U'\u042F', 1}};
    ConfusionWords words{u8"%1\u2192%2 \u00D7%3", u8"%1 пропущено \u00D7%3", u8"%2 лишний, 100% \u00D7%3",
                         "; "};
    EXPECT_EQ(ConfusionsText(confusions, words),
              u8"Q\u2192Y \u00D72; 5 пропущено \u00D71; \u042F лишний, 100% \u00D71");
    EXPECT_EQ(ConfusionsText({}, words), "");
}

TEST(CopyCheck, ConfusionsFieldReadsBackAnyCharacter) {
    const std::vector<Confusion> confusions = {{U'Q', U'Y', 2}, {U'5', 0, 1},     {0, U'E', 3},
                                               {U'>', U':', 1}, {U';', U'"', 12}, {U'A', U'\u042F', 1}};
    std::vector<Confusion> back;
    ASSERT_TRUE(ReadConfusionsField(ConfusionsField(confusions), back));
    EXPECT_EQ(back, confusions);
    ASSERT_TRUE(ReadConfusionsField("", back));
    EXPECT_TRUE(back.empty());
    for (const char* bad : {"Q>Y", "Q>Y:0", "QY:1", "Q>Y:x", "Q>Y:2Z", "Q>Y:1 5", "Q>Y:123456789"})
        EXPECT_FALSE(ReadConfusionsField(bad, back)) << bad;
}

TEST(CopyCheck, SharesInTenths) {
    EXPECT_EQ(ShareTenths(12, 20), 600);
    EXPECT_EQ(ShareTenths(5, 7), 714);
    EXPECT_EQ(ShareTenths(1, 8), 125);
    EXPECT_EQ(ShareTenths(2, 3), 667); // half up
    EXPECT_EQ(ShareTenths(0, 0), -1);
    EXPECT_EQ(TenthsText(714), "71.4");
    EXPECT_EQ(TenthsText(1000), "100.0");
}
