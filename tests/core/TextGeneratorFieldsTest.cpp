#include "texts/TextGeneratorFields.h"

#include <gtest/gtest.h>

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

TEST(TextGeneratorFields, SuggestedFileNames) {
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
}
