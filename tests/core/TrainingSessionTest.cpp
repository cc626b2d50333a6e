#include "texts/TrainingSession.h"

#include "sound/MorseTable.h"
#include "texts/TextGenerator.h"

#include <gtest/gtest.h>

TEST(TrainingSeries, NumbersStayInsideTheSeriesAndTheRange) {
    TrainingSeries s;
    s.begin(7);
    // Lowered with the arrows below the first number: raised back, and
    // Previous stays off.
    EXPECT_EQ(s.checkedNumber(3), 7);
    EXPECT_FALSE(s.previousAllowed(3));
    s.begin(1);
    EXPECT_EQ(s.previous(1), 1);
    s.begin(kTextNumberField.maximum);
    s.numberToPlay(kTextNumberField.maximum);
    EXPECT_EQ(s.numberToPlay(kTextNumberField.maximum), kTextNumberField.maximum);
}

TEST(TrainingFields, ReadingFallsBackAndWritingLimits) {
    EXPECT_EQ(AcceptFieldValue(kSpeedField, 0), 100); // not a number reads as 0
    EXPECT_EQ(AcceptFieldValue(kSpeedField, 1001), 100);
    EXPECT_EQ(AcceptFieldValue(kSpeedField, 1000), 1000);
    EXPECT_EQ(AcceptFieldValue(kGroupsField, 10001), 40);
    EXPECT_EQ(AcceptFieldValue(kTextNumberField, 4294967295LL), 100);
    EXPECT_EQ(AcceptFieldValue(kSpeedStepField, 0), 1);
    EXPECT_EQ(LimitFieldValue(kSpeedField, 0), 1);
    EXPECT_EQ(LimitFieldValue(kSpeedField, 1010), 1000);
    EXPECT_EQ(LimitFieldValue(kTextNumberField, 10000001), 10000000);
}

TEST(TrainingText, StandardLengthIsAboutOneMinute) {
    EXPECT_EQ(StandardGroups(100), 20);
    EXPECT_EQ(StandardGroups(3), 1);
    EXPECT_EQ(StandardGroups(9), 1);
    EXPECT_EQ(StandardGroups(10), 2);
    for (int kind : {TextLetters, TextFigures, TextMixed}) {
        for (int speed : {60, 100, 250}) {
            std::string text = generateText(1234, StandardGroups(speed) * 5, TextAlphabet(kind));
            int ms = TextDurationMs(text, unitSamples(kind, speed, 44100), 44100);
            EXPECT_NEAR(ms, 60000, 3000) << "kind " << kind << " speed " << speed;
        }
    }
}

TEST(TrainingText, SentStringPutsTheTextAfterTheTwelveCharacterPreambleAndArRightAfterIt) {
    std::string text = "ABCDE   ";
    std::string sent = TrainingSentString(text);
    EXPECT_EQ(sent, "V V V   =   ABCDE   AR");
    EXPECT_EQ(sent.substr(kTrainingPreambleLength, text.size()), text);
    EXPECT_EQ(sent.substr(kTrainingPreambleLength + text.size()), "AR");
}

TEST(TrainingText, DurationCountsTheTextAloneRoundedToMilliseconds) {
    // E(dot, gap) + blank(2) + T(dash, gap) + blank(2) = 10 units of 0.1 s.
    EXPECT_EQ(TextDurationMs("E T ", 4410, 44100), 1000);
    EXPECT_EQ(TextDurationMs("E", 1, 3), 667); // 2 samples of 1/3 s
    EXPECT_EQ(TextDurationMs("E", 1, 6), 333);
    EXPECT_EQ(TextDurationMs("", 4410, 44100), 0);
}

TEST(TrainingText, TextClockCountsUpOrDownAcrossTickWrap) {
    EXPECT_EQ(TextClockMs(LengthStandard, 5000, 2000, 60000), 3000);
    EXPECT_EQ(TextClockMs(LengthFixed, 2000, 2000, 60000), 60000);
    EXPECT_EQ(TextClockMs(LengthFixed, 5000, 2000, 60000), 57000);
    EXPECT_LT(TextClockMs(LengthFixed, 62001, 2000, 60000), 0);
    EXPECT_EQ(TextClockMs(LengthStandard, 0x100, 0xFFFFFF00u, 0), 0x200);
    EXPECT_EQ(TextClockMs(LengthFixed, 0x100, 0xFFFFFF00u, 1000), 1000 - 0x200);
}

TEST(PlaybackWatch, IdleCountsAsFinishedOnlyAfterPlayingOrTheGracePeriod) {
    PlaybackWatch w;
    w.release(1000);
    EXPECT_FALSE(w.finished(false, 1100)); // the thread has not woken yet
    EXPECT_FALSE(w.finished(true, 1200));
    EXPECT_TRUE(w.finished(false, 1300));
    w.release(0xFFFFFF00u);
    EXPECT_FALSE(w.finished(false, 0xFFFFFF00u + 500));
    EXPECT_TRUE(w.finished(false, 0xFFFFFF00u + kPlaybackStartGraceMs)); // across the wrap
}
