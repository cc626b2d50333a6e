#include "player/PlainText.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* plain;
    const char* sending;
    const char* leftOut;
    size_t leftOutCount;
};

} // namespace

TEST(PlainText, ConvertsToTheSendingFormat) {
    const Case cases[] = {
        {"CQ TEST DE R1ABC", "C Q   T E S T   D E   R 1 A B C   ", "", 0},
        // Any white space separates words, however much of it.
        {"  cq\ttest\r\n\r\nde  ", "C Q   T E S T   D E   ", "", 0},
        {"", "", "", 0},
        {" \r\n ", "", "", 0},
        // The five signs are sent; other signs are left out, a word of them
        // leaves no gap behind.
        {"A.B, =? 1/2", "A . B ,   = ?   1 / 2   ", "", 0},
        {"Hello, world! - \"ok\"", "H E L L O ,   W O R L D   O K   ", "'!', '-', '\"'", 4},
        // Code page 1251: Cyrillic in both cases, Ё and ё; the euro sign 0x88
        // has no code.
        {"\xCF\xF0\xE8\xE2\xE5\xF2 \xB8\xA8 \x88", "\xCF \xD0 \xC8 \xC2 \xC5 \xD2   \xA8 \xA8   ", "0x88", 1},
        // The same words as UTF-8, with a byte order mark and an em dash.
        {"\xEF\xBB\xBF\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xD1\x91\xD0\x81 \xE2\x80\x94",
         "\xCF \xD0 \xC8 \xC2 \xC5 \xD2   \xA8 \xA8   ", "U+2014", 1},
        // Not valid UTF-8 (a lone continuation byte): read as code page 1251.
        {"\xC0\x80", "\xC0   ", "0x80", 1},
    };
    for (const Case& c : cases) {
        const SendingText r = PlainToSending(c.plain);
        EXPECT_EQ(r.text, c.sending) << c.plain;
        EXPECT_EQ(LeftOutList(r), c.leftOut) << c.plain;
        EXPECT_EQ(r.leftOutCount, c.leftOutCount) << c.plain;
    }
}

TEST(PlainText, ScreensEndAfterWholeWords) {
    const std::string text = PlainToSending("CQ TEST DE R1ABC").text; // words of 7, 10, 5, 13
    EXPECT_EQ(SplitIntoScreens(text, 1000), std::vector<std::string>{text});
    EXPECT_EQ(SplitIntoScreens(text, 20),
              (std::vector<std::string>{"C Q   T E S T   ", "D E   R 1 A B C   "}));
    EXPECT_EQ(SplitIntoScreens(text, 23),
              (std::vector<std::string>{"C Q   T E S T   D E   ", "R 1 A B C   "}));
    // A word longer than a screen is cut where the screen is full.
    EXPECT_EQ(SplitIntoScreens("A B C D E F   G   ", 6),
              (std::vector<std::string>{"A B C ", "D E F ", "  G   "}));
    EXPECT_TRUE(SplitIntoScreens("", 10).empty());
    std::string joined;
    for (const std::string& piece : SplitIntoScreens(text, 7))
        joined += piece;
    EXPECT_EQ(joined, text);
}
