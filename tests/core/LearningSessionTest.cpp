#include "learning/LearningSession.h"

#include "config/ConfigStore.h"
#include "learning/Koch.h"

#include <gtest/gtest.h>

TEST(LearningLines, LessonsNameTheSignsTheyAddAndWeightsTheirRates) {
    EXPECT_EQ(LessonLine(1, kDefaultKochOrder), "1. K M"); // the first lesson brings two signs
    EXPECT_EQ(LessonLine(2, kDefaultKochOrder), "2. R");
    EXPECT_EQ(LessonLine(kKochLessons, kDefaultKochOrder), "40. =");

    SignWeight w;
    w.sign = U'Q';
    w.checked = 3;
    w.errors = 2;
    EXPECT_EQ(WeightLine(w), "Q   66.7 % (3)");
    w.checked = w.errors = 0;
    EXPECT_EQ(WeightLine(w), "Q   —"); // never checked: no rate to show
}

TEST(LearningSettings, HideTextIsOnUnlessSetOff) {
    ConfigStore store;
    EXPECT_TRUE(ReadLearningHideText(store));
    StoreLearningHideText(store, false);
    EXPECT_FALSE(ReadLearningHideText(store));
    store.SetInt("Learning", "HideText", 7);
    EXPECT_TRUE(ReadLearningHideText(store));
    int stored = 0;
    EXPECT_TRUE(store.GetInt("Learning", "HideText", stored));
    EXPECT_EQ(stored, 1);
}
