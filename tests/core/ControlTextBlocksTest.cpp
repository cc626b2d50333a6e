#include "HostileFiles.h"

#include "texts/ControlTextBlocks.h"
#include "texts/ControlTextFile.h"
#include "player/PlayerFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace hostile;

namespace {

const std::string kFirst = "A B C D E   F G H I J   ", kSecond = "K L M N O   ";

std::string Texts(const std::vector<ControlBlock>& blocks) {
    std::string s;
    for (const ControlBlock& b : blocks)
        s += std::to_string(b.number) + ":" + b.text + "|";
    return s;
}

} // namespace

// Marking, the player and klaviro-cli read a file through one reader, so a
// hand edit that one of them accepts the others accept alike.
TEST(ControlTextBlocks, HandEditedFilesReadAsTheProgramWroteThem) {
    const std::string own = ControlTextBlock(kFirst, 12, 100) + ControlTextBlock(kSecond, 12, 110);
    ASSERT_EQ(own, "100\r\n\r\nA B C D E   \r\nF G H I J   \r\n\r\n110\r\n\r\nK L M N O   \r\n\r\n");
    struct Case {
        const char* what;
        std::string content;
    } cases[] = {
        {"as written", own},
        {"LF alone", "100\n\nA B C D E   \nF G H I J   \n\n110\n\nK L M N O   \n\n"},
        {"no empty last line", "100\r\n\r\nA B C D E   \r\nF G H I J   \r\n\r\n110\r\n\r\nK L M N O   \r\n"},
        {"no last line end", "100\r\n\r\nA B C D E   \r\nF G H I J   \r\n\r\n110\r\n\r\nK L M N O"},
        {"blanks around the numbers",
         "100 \r\n\r\nA B C D E   \r\nF G H I J   \r\n\r\n\t110  \r\n\r\nK L M N O   \r\n"},
        {"no empty line under a header",
         "100\r\nA B C D E   \r\nF G H I J   \r\n\r\n110\r\nK L M N O   \r\n"},
        {"no empty line between blocks",
         "100\r\n\r\nA B C D E   \r\nF G H I J   \r\n110\r\n\r\nK L M N O   \r\n"},
        {"no empty lines at all", "100\nA B C D E   \nF G H I J   \n110\nK L M N O   \n"},
        {"empty lines doubled, blanks on them",
         "\r\n \r\n100\r\n\r\n\t\r\nA B C D E   \r\nF G H I J   \r\n \r\n\r\n"
         "110\r\n\r\n\r\nK L M N O   \r\n\r\n\r\n\r\n"},
        {"trailing blanks taken by an editor",
         "100\r\n\r\nA B C D E\r\nF G H I J\r\n\r\n110\r\n\r\nK L M N O\r\n"},
        {"CR LF and LF mixed", "100\n\r\nA B C D E   \r\nF G H I J   \n\n110\r\n\nK L M N O   \r\n\r\n"},
    };
    for (const Case& c : cases) {
        std::vector<ControlBlock> blocks;
        std::string error;
        ASSERT_TRUE(ReadControlBlocks(c.content, blocks, error)) << c.what << ": " << error;
        EXPECT_EQ(Texts(blocks), "100:" + kFirst + "|110:" + kSecond + "|") << c.what;
        // What marking takes and what the player plays.
        ASSERT_NE(BlockForSpeed(blocks, 110), nullptr) << c.what;
        std::vector<PlayerText> played;
        ASSERT_TRUE(ReadControlTexts(c.content, played, error)) << c.what;
        ASSERT_EQ(played.size(), 2u) << c.what;
        EXPECT_EQ(played[0].header + ":" + played[0].text, "100:" + kFirst) << c.what;
        EXPECT_TRUE(HeadersAreSpeeds(played)) << c.what;
    }
}

TEST(ControlTextBlocks, BlocksWithoutANumberAndFilesThatAreNoControlTexts) {
    std::vector<ControlBlock> blocks;
    std::string error;
    // The text generator's file: an empty block first, then text numbers.
    ASSERT_TRUE(ReadControlBlocks("\r\n\r\n\r\n1234567\r\n\r\nA B   \r\n\r\n", blocks, error)) << error;
    EXPECT_EQ(Texts(blocks), "1234567:A B   |");
    // A text without a number stands after its empty header line.
    ASSERT_TRUE(ReadControlBlocks("\r\n\r\n1 2   \r\n\r\n\r\n\r\n3 4   \r\n", blocks, error)) << error;
    EXPECT_EQ(Texts(blocks), "-1:1 2   |-1:3 4   |");
    // Two numbers in a row: the first has no text.
    ASSERT_TRUE(ReadControlBlocks("100\r\n\r\n110\r\n\r\nA   \r\n", blocks, error)) << error;
    EXPECT_EQ(Texts(blocks), "100:|110:A   |");

    struct Bad {
        const char* content;
        const char* line;
    } bad[] = {
        {"ABCDE FGHIJ\r\n", "line 1 "},             // a copy
        {"Chapter 1\n\nIt was late.\n", "line 1 "}, // a book
        {"100\n\nA B\n\nnext\n\nC\n", "line 5 "},   // a text after one empty line only
        {"12a\n\nA\n\n", "line 1 "},                // not a number
        {"1234567890\n\nA\n", "line 1 "},           // more than a number holds
        {"\xEF\xBB\xBF"
         "100\n\nA\n",
         "line 1 "}, // a mark left undecoded
    };
    for (const Bad& b : bad) {
        EXPECT_FALSE(ReadControlBlocks(b.content, blocks, error)) << b.content;
        EXPECT_NE(error.find(b.line), std::string::npos) << b.content << ": " << error;
        EXPECT_TRUE(blocks.empty()) << b.content;
    }
    // Nothing at all: no block, and for the player no control texts.
    std::vector<PlayerText> played;
    for (const char* nothing : {"", "\r\n\r\n", " \n\t\n"}) {
        EXPECT_TRUE(ReadControlBlocks(nothing, blocks, error));
        EXPECT_TRUE(blocks.empty());
        EXPECT_FALSE(ReadControlTexts(nothing, played, error));
    }
}

TEST(ControlTextBlocks, LoadingDecodesAnyEncodingAndRefusesHostileFiles) {
    const std::u16string run = u"100\r\n\r\nЖ Ё Ł   \r\n\r\n";
    const std::string utf8Text = "\xD0\x96 \xD0\x81 \xC5\x81   ";
    struct Case {
        const char* what;
        std::string path;
        ControlLoad result;
        const char* says; // the error, or the text at 100
    } cases[] = {
        {"UTF-16 LE", Write("le.txt", Utf16(run, false)), ControlLoad::Loaded, utf8Text.c_str()},
        {"UTF-8 with its mark",
         Write("u8.txt", "\xEF\xBB\xBF"
                         "100\n" +
                             utf8Text),
         ControlLoad::Loaded, utf8Text.c_str()},
        {"a copy", Write("copy.txt", "ABCDE\r\n"), ControlLoad::NotControlTexts, "not a control-text file"},
        {"larger than the limit", OfSize("big.txt", kMaxControlFileBytes + 1), ControlLoad::TooLarge,
         "larger than 16 MB"},
    };
    for (const Case& c : cases) {
        std::vector<ControlBlock> blocks;
        std::string error;
        EXPECT_EQ(LoadControlBlocks(c.path, blocks, error), c.result) << c.what << ": " << error;
        if (c.result == ControlLoad::Loaded) {
            ASSERT_NE(BlockForSpeed(blocks, 100), nullptr) << c.what;
            EXPECT_EQ(BlockForSpeed(blocks, 100)->text, c.says) << c.what;
        } else {
            EXPECT_NE(error.find(c.says), std::string::npos) << c.what << ": " << error;
        }
        std::filesystem::remove(c.path);
    }
}
