#include "HostileFiles.h"

#include "texts/ControlTextBlocks.h"
#include "results/Marking.h"
#include "results/Results.h"
#include "texts/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::u32string U(const std::string& utf8) {
    std::u32string s;
    EXPECT_TRUE(DecodeUtf8(utf8, s)) << utf8;
    return s;
}

int Errors(const std::string& text, const std::string& copy) {
    MarkResult r;
    EXPECT_TRUE(MarkCopy(U(text), U(copy), r));
    return r.errors;
}

} // namespace

TEST(Marking, ErrorCountsWorkedOutByHand) {
    const std::string text = "A B C D E   F G H I J   K L M N O   ";
    struct Case {
        const char* what;
        std::string copy;
        int errors;
    } cases[] = {
        {"same, other case, spacing and line breaks", "abcde\r\nFgHiJ\tklmno\n", 0},
        {"one wrong character", "ABCDE FGXIJ KLMNO", 1},
        {"a missing group", "ABCDE KLMNO", 5},
        {"an extra group", "ABCDE FGHIJ QRSTU KLMNO", 5},
        {"an extra character", "ABCDE FGHIJJ KLMNO", 1},
        {"two swapped characters", "ABCDE FGHJI KLMNO", 2},
        {"an empty copy", "", 15},
        {"a copy longer than the text", "ABCDE FGHIJ KLMNO PQRST VWXYZ", 10},
        {"signs and figures are characters like any other", "ABCDE FGHIJ KLMN0", 1},
        {"only Latin letters ignore case", "ABCDE FGHIJ KLMN\xD0\x9E", 1}, // Cyrillic O last
    };
    for (const Case& c : cases)
        EXPECT_EQ(Errors(text, c.copy), c.errors) << c.what;
    EXPECT_EQ(Errors("= ? / . ,", "=?/.,"), 0);
    EXPECT_EQ(Errors("A M Z", "amz"), 0); // both ends of the alphabet
    EXPECT_EQ(Errors("", "AB"), 2);
}

TEST(Marking, AlignmentPlacesEveryErrorAndBoundsTheWork) {
    MarkResult r;
    // Text ABCDEFGHIJ; the copy lacks C, has X for G and an extra Z after J.
    const std::u32string shown = U("A B C D E   F G H I J   ");
    ASSERT_TRUE(MarkCopy(shown, U("abdefxhijz"), r));
    EXPECT_EQ(r.errors, 3);
    EXPECT_EQ(r.characters, 10);
    EXPECT_EQ(TextBoxMarks(shown, r), "    x         x     %   ");

    // An extra character marks the one before it, never the one after.
    ASSERT_TRUE(MarkCopy(U("ABC"), U("ABXC"), r));
    EXPECT_EQ(TextBoxMarks(U("A B C "), r), "  %   ");

    // Extra characters before the first one mark it unless it is wrong itself.
    ASSERT_TRUE(MarkCopy(U("ABC"), U("QQABC"), r));
    EXPECT_EQ(TextBoxMarks(U("ABC"), r), "%  ");
    ASSERT_TRUE(MarkCopy(U("ABC"), U("QXBC"), r));
    EXPECT_EQ(r.errors, 2);
    EXPECT_EQ(TextBoxMarks(U("ABC"), r), "x  ");

    const std::u32string longest(kMaxMarkedCharacters, U'A');
    EXPECT_TRUE(MarkCopy(longest + U"   ", U("A"), r));
    EXPECT_EQ(r.errors, static_cast<int>(kMaxMarkedCharacters) - 1);
    EXPECT_FALSE(MarkCopy(U("A"), longest + U"A", r));

    // The copy's own cap counts what was typed, blanks and line breaks too.
    const std::u32string padded = U"A\r\nB" + std::u32string(kMaxCopyCharacters - 4, U' ');
    ASSERT_TRUE(MarkCopy(U("AB"), padded, r));
    EXPECT_EQ(r.errors, 0);
    EXPECT_FALSE(MarkCopy(U("AB"), padded + U"\t", r));
}

TEST(Marking, ACopyIsAcceptedUpToTheLimitByTheVerdictAndTheRankingAlike) {
    for (int limit : {0, 1, kDefaultMaxErrors}) {
        for (int errors : {limit - 1, limit, limit + 1}) {
            const bool accepted = errors >= 0 && errors <= limit;
            EXPECT_EQ(IsAccepted(errors, limit), accepted) << errors << " of " << limit;
            const std::vector<MarkRecord> marks = {{"Anna", 0, 100, errors, "A", ""}};
            EXPECT_EQ(RankDiscipline(marks, 0, limit).at(0).rank == 1, accepted) << errors << " of " << limit;
            EXPECT_EQ(RankOverall(marks, limit).at(0).total == 10000, accepted) << errors << " of " << limit;
        }
    }
}

TEST(ControlTextBlocks, TheLastBlockOfASpeedIsTheText) {
    // A run of 100 and 110, stopped and started again at 100.
    const std::string file = "100\r\n\r\nA B C D E   \r\nF G H I J   \r\n\r\n"
                             "110\r\n\r\nK L M N O   \r\n\r\n"
                             "100\r\n\r\nP Q R S T   \r\n\r\n";
    std::vector<ControlBlock> blocks;
    std::string error;
    ASSERT_TRUE(ReadControlBlocks(file, blocks, error)) << error;
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[0].text, "A B C D E   F G H I J   ");
    ASSERT_NE(BlockForSpeed(blocks, 100), nullptr);
    EXPECT_EQ(BlockForSpeed(blocks, 100)->text, "P Q R S T   ");
    EXPECT_EQ(BlockForSpeed(blocks, 120), nullptr);
    EXPECT_EQ(BlockSpeeds(blocks), (std::vector<int>{100, 110}));

    EXPECT_FALSE(ReadControlBlocks("ABCDE FGHIJ\r\n", blocks, error));
    EXPECT_NE(error.find("line 1"), std::string::npos) << error;
}

TEST(ControlTextBlocks, DisciplineFromTheRunsFileNames) {
    EXPECT_EQ(DisciplineOfFileName("C:\\run\\Letters.txt"), 0);
    EXPECT_EQ(DisciplineOfFileName("/tmp/digits-2.txt"), 1);
    EXPECT_EQ(DisciplineOfFileName("MIXED.TXT"), 2);
    EXPECT_EQ(DisciplineOfFileName("C:\\Letters\\copy.txt"), -1);
}

TEST(TextEncoding, CodePage1251AndUtf8) {
    EXPECT_EQ(Cp1251ToUtf8("\xC0\xFF\xA8 \x85"), "\xD0\x90\xD1\x8F\xD0\x81 \xE2\x80\xA6");
    std::u32string out;
    EXPECT_FALSE(DecodeUtf8("\xC0\x80", out));     // overlong
    EXPECT_FALSE(DecodeUtf8("\xED\xA0\x80", out)); // surrogate
    EXPECT_TRUE(DecodeUtf8("\xC5\x81\xF0\x9F\x98\x80", out));
    EXPECT_EQ(out, (std::u32string{0x141, 0x1F600}));
    EXPECT_EQ(EncodeUtf8(out), "\xC5\x81\xF0\x9F\x98\x80");
    EXPECT_EQ(AnyTextToUtf8("\xEF\xBB\xBFok"), "ok");
}

TEST(TextEncoding, ByteOrderMarksAndLinesOfTwoEncodings) {
    const std::string lukasz = "\xC5\x81ukasz \xC5\xBB\xC3\xB3\xC5\x82\xC4\x87"; // Łukasz Żółć
    struct Case {
        const char* what;
        std::string bytes;
        std::string utf8;
    } cases[] = {
        {"UTF-16 LE", hostile::Utf16(u"\u0141x\r\n", false), "\xC5\x81x\r\n"},
        {"UTF-16 BE", hostile::Utf16(u"\u0141x", true), "\xC5\x81x"},
        {"a pair of surrogates", hostile::Utf16(u"\U0001F600", false), "\xF0\x9F\x98\x80"},
        {"a lone surrogate", hostile::Utf16(u"a", false) + std::string("\x00\xD8", 2), "a\xEF\xBF\xBD"},
        {"an odd last byte", hostile::Utf16(u"a", true) + "b", "a\xEF\xBF\xBD"},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + lukasz, lukasz},
        {"code page 1251", "\xC8\xE2\xE0\xED", "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AnyTextToUtf8(c.bytes), c.utf8) << c.what;
        EXPECT_EQ(AnyLinesToUtf8(c.bytes), c.utf8) << c.what;
    }
    // What the player sends: code page 1251 from any encoding.
    EXPECT_EQ(Utf8ToCp1251("\xD0\x96\xD1\x91 \xE2\x82\xAC \xC5\x81"), "\xC6\xB8 \x88 ?");
    EXPECT_EQ(AnyTextToCp1251(hostile::Utf16(u"\u0416A", false)), "\xC6"
                                                                  "A");
    EXPECT_EQ(AnyTextToCp1251("\xD0\x96"
                              "A"),
              "\xC6"
              "A");
    EXPECT_EQ(AnyTextToCp1251("\xC6 \xB8 A"), "\xC6 \xB8 A"); // 1251 already
}
