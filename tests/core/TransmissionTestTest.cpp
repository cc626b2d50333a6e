// The competition transmission test's rules: the countdown from the first
// key down, the keys stored relative to it, the chart's strips, the earlier
// attempts a referee is asked about.
#include "transmission/TransmissionTest.h"

#include <gtest/gtest.h>

namespace {

TEST(TransmissionTest, MinuteCountsDownFromTheFirstKeyDownAndStopsAtZero) {
    const struct {
        bool started;
        double first, now, left;
    } cases[] = {
        {false, 0, 99999, 60000}, {true, 1000, 1000, 60000}, {true, 1000, 31000, 30000},
        {true, 1000, 61000, 0},   {true, 1000, 90000, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TestMsLeft(c.started, c.first, c.now), c.left) << c.first << " " << c.now;
}

TEST(TransmissionTest, StoredKeysStartAtZeroWithoutThePressesAfterTheMinute) {
    const KeyTimes keys = StoredKeys({{1000, 1060}, {1120, 1300}, {60990, 61100}, {61000.5, 61050}});
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0].downMs, 0);
    EXPECT_EQ(keys[1].downMs, 120);
    EXPECT_EQ(keys[1].upMs, 300);
    EXPECT_EQ(keys[2].upMs, 60100);
    EXPECT_TRUE(StoredKeys({}).empty());
}

TEST(TransmissionTest, ChartStripsHoldEachKindInUnits) {
    // "A B   E" (.- -... .) at exact timing.
    const KeyDecoding d = DecodeKeyTimes(RenderKeyTimes("A B   E ", 50), 50);
    ASSERT_EQ(d.text, "AB E");
    const std::array<std::vector<double>, 5> s = ChartLengths(d, 50);
    EXPECT_EQ(s[0], (std::vector<double>{1, 1, 1, 1, 1})); // dots of A, B, E
    EXPECT_EQ(s[1], (std::vector<double>{3, 3}));          // dashes of A, B
    EXPECT_EQ(s[2], (std::vector<double>{1, 1, 1, 1}));    // inside A and B
    EXPECT_EQ(s[3], (std::vector<double>{3}));             // A to B
    EXPECT_EQ(s[4], (std::vector<double>{7}));             // B to E
    EXPECT_TRUE(ChartLengths(d, 0)[0].empty());
}

TEST(TransmissionTest, EarlierAttemptsOfTheParticipantInTheDiscipline) {
    // The attempt of the same number comes first: a later one must not hide it.
    std::vector<TransmissionRecord> rows(4);
    rows[0].participant = "anna  PETROVA";
    rows[0].textNumber = 2;
    rows[1].participant = "Anna Petrova";
    rows[1].textNumber = 1;
    rows[2].participant = "Anna Petrova";
    rows[2].discipline = 1;
    rows[2].textNumber = 1;
    rows[3].participant = "Boris";
    rows[3].textNumber = 1;
    bool same = false;
    EXPECT_EQ(EarlierAttempts(rows, "ANNA PETROVA", 0, 2, same).size(), 2u);
    EXPECT_TRUE(same);
    EXPECT_EQ(EarlierAttempts(rows, "Anna Petrova", 0, 3, same).size(), 2u);
    EXPECT_FALSE(same);
    EXPECT_EQ(EarlierAttempts(rows, "Anna Petrova", 2, 1, same).size(), 0u);
    EXPECT_FALSE(same);
}

} // namespace
