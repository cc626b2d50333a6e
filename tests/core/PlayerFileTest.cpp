#include "HostileFiles.h"

#include "player/PlayerFile.h"

#include "app/Platform.h"
#include "sound/MorseTable.h"
#include "texts/ControlTextFile.h"
#include "texts/TextGenerator.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Without(std::string s, char c) {
    std::string out;
    for (char x : s)
        if (x != c)
            out += x;
    return out;
}

bool ReadControlTexts(const std::string& content, std::vector<PlayerText>& texts) {
    std::string why;
    return ReadControlTexts(content, texts, why);
}

std::vector<std::string> Texts(const std::vector<PlayerText>& texts) {
    std::vector<std::string> out;
    for (const PlayerText& t : texts)
        out.push_back(t.text);
    return out;
}

std::vector<std::string> Headers(const std::vector<PlayerText>& texts) {
    std::vector<std::string> out;
    for (const PlayerText& t : texts)
        out.push_back(t.header);
    return out;
}

std::string WriteTemp(const std::string& name, const std::string& content) {
    std::string dir;
    EXPECT_TRUE(TempDirectory(dir, 1000));
    const std::string path = dir + "klaviro-player-" + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    EXPECT_NE(f, nullptr);
    std::fwrite(content.data(), 1, content.size(), f);
    std::fclose(f);
    return path;
}

} // namespace

TEST(PlayerFile, ReadsBackWhatARunWrote) {
    const std::vector<std::string> sent = {generateText(20000001, 100, TextAlphabet(TextLetters)),
                                           generateText(20000002, 110, TextAlphabet(TextLetters)),
                                           generateText(20000003, 37, TextAlphabet(TextLetters))};
    std::string crlf, lf48;
    for (size_t i = 0; i < sent.size(); ++i) {
        crlf += ControlTextBlock(sent[i], 60, 100 + 10 * static_cast<int>(i));
        lf48 += Without(ControlTextBlock(sent[i], 48, 100 + 10 * static_cast<int>(i)), '\r');
    }
    // The program's own file; lines of another width with LF alone; the
    // last empty line missing, and the line feed before it too.
    const std::string variants[] = {crlf, lf48, crlf.substr(0, crlf.size() - 2),
                                    crlf.substr(0, crlf.size() - 4)};
    for (const std::string& content : variants) {
        std::vector<PlayerText> texts;
        ASSERT_TRUE(ReadControlTexts(content, texts));
        EXPECT_EQ(Texts(texts), sent);
        EXPECT_EQ(Headers(texts), (std::vector<std::string>{"100", "110", "120"}));
        EXPECT_TRUE(HeadersAreSpeeds(texts));
        EXPECT_EQ(HeaderSpeed(texts[1]), 110);
    }
}

TEST(PlayerFile, RestoresBlanksAnEditorTookAndSkipsEmptyTexts) {
    std::vector<PlayerText> texts;
    // Trailing blanks gone from every line; an empty text first (what the
    // text generator page may write); text numbers as headers.
    ASSERT_TRUE(ReadControlTexts("\r\n\r\n\r\n"
                                 "1234567\n\nA B C D E   F G H I J\nK L M N O   P\nQ\n\n"
                                 "1234568\n\nZ\n",
                                 texts));
    EXPECT_EQ(Texts(texts),
              (std::vector<std::string>{"A B C D E   F G H I J   K L M N O   P   Q   ", "Z   "}));
    EXPECT_EQ(Headers(texts), (std::vector<std::string>{"1234567", "1234568"}));
    EXPECT_FALSE(HeadersAreSpeeds(texts));
    // No number line at all: no speeds either.
    ASSERT_TRUE(ReadControlTexts("\r\n\r\n1 2 \r\n\r\n", texts));
    EXPECT_EQ(Texts(texts), std::vector<std::string>{"1 2 "});
    EXPECT_FALSE(HeadersAreSpeeds(texts));
}

// A run writes speeds from 10 to 1010 in steps of 10; any other number is a
// text number.
TEST(PlayerFile, RecordedSpeedsAreTheOnesARunWrites) {
    const struct {
        const char* header;
        int speed;
    } cases[] = {{"10", 10}, {"100", 100}, {"1000", 1000}, {"1010", 1010}, {"0", 0},
                 {"5", 0},   {"105", 0},   {"1020", 0},    {"10000", 0}};
    for (const auto& c : cases) {
        std::vector<PlayerText> texts;
        ASSERT_TRUE(ReadControlTexts(std::string(c.header) + "\r\n\r\nA \r\n\r\n", texts)) << c.header;
        EXPECT_EQ(HeaderSpeed(texts.at(0)), c.speed) << c.header;
        EXPECT_EQ(HeadersAreSpeeds(texts), c.speed > 0) << c.header;
    }
}

TEST(PlayerFile, OtherFilesAreNotControlTexts) {
    std::vector<PlayerText> texts;
    for (const char* content :
         {"", "\r\n\r\n", "Chapter 1\n\nIt was late.\n", "100\n\nA B\n\nnext\n\nC\n", "12a\n\nA\n\n"})
        EXPECT_FALSE(ReadControlTexts(content, texts)) << content;
}

TEST(PlayerFile, KindFromTheNameOrTheCharacters) {
    EXPECT_EQ(KindOfFileName("C:\\runs\\LETTERS.TXT"), TextLetters);
    EXPECT_EQ(KindOfFileName("/home/u/Digits.txt"), TextFigures);
    EXPECT_EQ(KindOfFileName("Mixed"), TextMixed);
    EXPECT_EQ(KindOfFileName("C:\\Letters.txt\\book.txt"), -1);
    EXPECT_EQ(KindOfFileName("Lettersx.txt"), -1);
    const auto kind = [](const char* text) { return KindOfTexts({{"", text}}); };
    EXPECT_EQ(kind("A B   \xC0 "), TextLetters);
    EXPECT_EQ(kind("1 2   3 "), TextFigures);
    EXPECT_EQ(kind("A 1 "), TextMixed);
    EXPECT_EQ(kind("1 / "), TextMixed);
}

TEST(PlayerFile, LoadsAFileAndBuildsWhatIsSent) {
    PlayerFile file;
    std::string error;
    const std::string run = WriteTemp("Digits.txt", ControlTextBlock("1 2 3 4 5   ", 60, 200));
    ASSERT_EQ(LoadPlayerFile(run, 600, file, error), PlayerLoad::Loaded);
    EXPECT_TRUE(file.control);
    EXPECT_TRUE(file.speedsRecorded);
    EXPECT_EQ(file.kind, TextFigures);
    const SentText s = PlayerSentText(file, 0, TextFigures, 200);
    EXPECT_EQ(s.sent, "0 0 0 0 0   2 0 0   V V V   =   1 2 3 4 5   AR");
    EXPECT_EQ(s.markA, 32);
    EXPECT_EQ(s.markB, 44);
    // The same file as ordinary text: every character of it is sent.
    ASSERT_EQ(LoadPlayerFile(run, 600, file, error, true), PlayerLoad::Loaded);
    EXPECT_FALSE(file.control);
    EXPECT_EQ(Texts(file.texts), std::vector<std::string>{"2 0 0   1   2   3   4   5   "});

    const std::string book = WriteTemp("book.txt", "CQ test de R1ABC!\r\n73\r\n");
    ASSERT_EQ(LoadPlayerFile(book, 16, file, error), PlayerLoad::Loaded);
    EXPECT_FALSE(file.control);
    EXPECT_FALSE(file.speedsRecorded);
    EXPECT_EQ(file.kind, TextMixed);
    EXPECT_EQ(Texts(file.texts),
              (std::vector<std::string>{"C Q   T E S T   ", "D E   ", "R 1 A B C   ", "7 3   "}));
    EXPECT_EQ(LeftOutList(file.converted), "'!'");
    const SentText p = PlayerSentText(file, 3, TextMixed, 100);
    EXPECT_EQ(p.sent, "V V V   =   7 3   AR");
    EXPECT_EQ(p.markA, 12);
    EXPECT_EQ(p.markB, 18);

    EXPECT_EQ(LoadPlayerFile(WriteTemp("signs.txt", "!!! ---\n"), 600, file, error),
              PlayerLoad::NothingToSend);
    EXPECT_NE(error.find("nothing to send"), std::string::npos);
    EXPECT_EQ(LoadPlayerFile(run + ".missing", 600, file, error), PlayerLoad::CannotRead);
    EXPECT_NE(error.find("cannot read"), std::string::npos);
    EXPECT_TRUE(file.texts.empty());
    std::remove(run.c_str());
    std::remove(book.c_str());
}

TEST(PlayerFile, EveryEncodingPlaysInCodePage1251AndHostileFilesAreRefused) {
    const std::string sent = "\xC6 \xA8 A   "; // Zhe, Yo, A as the Morse table reads them
    struct Case {
        const char* what;
        std::string path;
        PlayerLoad result;
        bool control;
        std::string text; // the first text, or what the error says
    } cases[] = {
        {"control texts in UTF-16 LE",
         hostile::Write("le.txt", hostile::Utf16(u"110 \r\n\r\nЖ Ё A\r\n", false)), PlayerLoad::Loaded, true,
         sent},
        {"control texts in UTF-8", hostile::Write("u8.txt", "110\r\n\r\n\xD0\x96 \xD0\x81 A   \r\n"),
         PlayerLoad::Loaded, true, sent},
        {"ordinary text in UTF-16", hostile::Write("book.txt", hostile::Utf16(u"жё a", false)),
         PlayerLoad::Loaded, false, "\xC6 \xA8   A   "},
        {"larger than the limit", hostile::OfSize("big.txt", kMaxPlayerFileBytes + 1), PlayerLoad::TooLarge,
         false, "larger than 16 MB"},
    };
    for (const Case& c : cases) {
        PlayerFile file;
        std::string error;
        ASSERT_EQ(LoadPlayerFile(c.path, 600, file, error), c.result) << c.what << ": " << error;
        if (c.result == PlayerLoad::Loaded) {
            EXPECT_EQ(file.control, c.control) << c.what;
            EXPECT_EQ(file.texts.at(0).text, c.text) << c.what;
        } else {
            EXPECT_NE(error.find(c.text), std::string::npos) << c.what << ": " << error;
        }
        std::remove(c.path.c_str());
    }
}
