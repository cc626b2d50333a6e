#include "texts/ControlTextBlocks.h"
#include "results/Marking.h"
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

    // The text generator's file starts with an empty block; LF line ends.
    ASSERT_TRUE(ReadControlBlocks("\n\n\n7\n\nA B\n\n", blocks, error)) << error;
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[1].number, 7);
    EXPECT_EQ(blocks[1].text, "A B");

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
