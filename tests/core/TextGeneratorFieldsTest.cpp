#include "texts/TextGeneratorFields.h"

#include "app/Platform.h"
#include "texts/ControlTextFile.h"
#include "texts/TextGenerator.h"

#include <gtest/gtest.h>

#include <cstdio>

TEST(TextGeneratorFields, ReadingRules) {
    EXPECT_EQ(ReadFieldValue("", kTextNumberLimit), 1);
    EXPECT_EQ(ReadFieldValue("0", kTextNumberLimit), 1);
    EXPECT_EQ(ReadFieldValue("-5", kTextNumberLimit), 1);
    EXPECT_EQ(ReadFieldValue("12a", kTextNumberLimit), 1);
    EXPECT_EQ(ReadFieldValue("abc", kTextNumberLimit), 1);
    EXPECT_EQ(ReadFieldValue(" 42 ", kTextNumberLimit), 42);
    EXPECT_EQ(ReadFieldValue("9999999", kTextNumberLimit), 9999999);
    EXPECT_EQ(ReadFieldValue("10000000", kTextNumberLimit), 10000000);
    EXPECT_EQ(ReadFieldValue("20000000", kTextNumberLimit), 10000000);
    // Beyond any integer: still above the limit, never wrapped to something small.
    EXPECT_EQ(ReadFieldValue("4294967297", kTextNumberLimit), 10000000);
    EXPECT_EQ(ReadFieldValue("99999999999999999999999", kTextNumberLimit), 10000000);
    EXPECT_EQ(ReadFieldValue("10001", kGroupsLimit), 10000);
    EXPECT_EQ(ReadFieldValue("9999", kGroupsLimit), 9999);
    EXPECT_EQ(ReadFieldValue("100", kSaveCountLimit), 100);
    EXPECT_EQ(ReadFieldValue("250", kSaveCountLimit), 100);
}

TEST(TextGeneratorFields, Steps) {
    EXPECT_EQ(StepFieldValue(1, -1, kTextNumberLimit), 1);
    EXPECT_EQ(StepFieldValue(5, -1, kTextNumberLimit), 4);
    EXPECT_EQ(StepFieldValue(kTextNumberLimit, 1, kTextNumberLimit), kTextNumberLimit);
    EXPECT_EQ(StepFieldValue(3, -2000000000LL * 3, kGroupsLimit), 1);
    EXPECT_EQ(StepFieldValue(3, 2000000000LL * 3, kGroupsLimit), kGroupsLimit);
}

TEST(TextGeneratorFields, NamesAndSeeds) {
    TextFields f;
    f.number = 125;
    f.groups = 20;
    EXPECT_EQ(SuggestedFileName(f), "l_125_t_20");
    f.kind = 1;
    f.series = 1;
    EXPECT_EQ(SuggestedFileName(f), "d_125_s_20");
    f.kind = 2;
    f.number = 10000000;
    f.groups = 10000;
    EXPECT_EQ(SuggestedFileName(f), "m_10000000_s_10000");

    TextFields seven;
    seven.number = 7;
    seven.groups = 5;
    EXPECT_EQ(TextSeed(seven), 7);
    const std::string text = TextOfFields(seven);
    EXPECT_EQ(text, generateText(7, 25, "ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    EXPECT_EQ(text.size(), 25u * 2 + 5 * 2);
    EXPECT_EQ(TextOfFields(seven), text);
    seven.series = 1;
    EXPECT_EQ(TextSeed(seven), 10000007);
    EXPECT_EQ(TextOfFields(seven), generateText(10000007, 25, "ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
}

namespace {
std::string ReadAll(const std::string& path) {
    std::string s;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
            s.append(buf, n);
        std::fclose(f);
    }
    return s;
}
} // namespace

TEST(TextGeneratorFields, SaveConsecutiveTexts) {
    std::string dir;
    ASSERT_TRUE(TempDirectory(dir, 1000));
    const std::string path = dir + "klaviro-tgf-save.txt";
    WriteTextFile(path, "old contents", 60, 1, true);

    TextFields f;
    f.number = 10;
    f.kind = 1;
    f.groups = 4;
    const SaveOutcome out = SaveConsecutiveTexts(path, f, 3, 12);
    EXPECT_TRUE(out.ok);
    EXPECT_EQ(out.nextNumber, 13);
    std::string expected = "\r\n\r\n\r\n";
    for (int n = 10; n <= 12; ++n) {
        TextFields g = f;
        g.number = n;
        expected += ControlTextBlock(TextOfFields(g), 12, n);
    }
    EXPECT_EQ(ReadAll(path), expected);
    std::remove(path.c_str());

    const SaveOutcome bad = SaveConsecutiveTexts(dir + "no-such-dir-klaviro/x.txt", f, 3, 12);
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ(bad.nextNumber, 10);
}
