#include "app/Anchor.h"

#include <gtest/gtest.h>

// A control from 10 to 40 in a 100 wide area that grows to 160 or shrinks to 60.
TEST(AnchorAxis, EachCombinationOfSides) {
    AnchorSpan both = AnchorAxis(10, 40, 100, 160, true, true);
    EXPECT_EQ(both.start, 10);
    EXPECT_EQ(both.length, 90); // right gap of 60 kept
    AnchorSpan nearOnly = AnchorAxis(10, 40, 100, 160, true, false);
    EXPECT_EQ(nearOnly.start, 10);
    EXPECT_EQ(nearOnly.length, 30);
    AnchorSpan farOnly = AnchorAxis(10, 40, 100, 160, false, true);
    EXPECT_EQ(farOnly.start, 70);
    EXPECT_EQ(farOnly.length, 30);
    AnchorSpan centred = AnchorAxis(10, 40, 100, 161, false, false);
    EXPECT_EQ(centred.start, 65);
    EXPECT_EQ(centred.length, 30);
}

TEST(AnchorAxis, ShrinkingBelowTheControl) {
    // Centring truncates toward zero, also for a negative offset.
    EXPECT_EQ(AnchorAxis(10, 41, 100, 20, false, false).start, -5);
    // Stretching can give a negative length; the caller passes it on as is.
    EXPECT_EQ(AnchorAxis(10, 40, 100, 60, true, true).length, -10);
    EXPECT_EQ(AnchorAxis(10, 40, 100, 60, false, true).start, -30);
}
