#include "learning/LearningSession.h"

#include "config/ConfigStore.h"
#include "learning/Koch.h"

#include <gtest/gtest.h>

TEST(LearningLines, EachLessonNamesTheSignsItAdds) {
    EXPECT_EQ(LessonLine(1, kDefaultKochOrder), "1. K M"); // the first lesson brings two signs
    EXPECT_EQ(LessonLine(2, kDefaultKochOrder), "2. R");
    EXPECT_EQ(LessonLine(kKochLessons, kDefaultKochOrder), "40. =");
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
