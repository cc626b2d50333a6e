#include "app/PictureMargin.h"

#include <gtest/gtest.h>

// Only the margin joined to the edge changes: the same colour enclosed by
// the drawing stays, and so do pixels that merely touch the margin
// diagonally.
TEST(PictureMargin, RepaintsWhatIsJoinedToTheEdge) {
    const uint32_t m = 1, d = 2, b = 9;
    std::vector<uint32_t> pixels = {
        m, m, m, m, m, m, //
        m, d, d, d, m, m, //
        m, d, m, d, d, m, //
        m, d, d, d, m, d, //
        m, m, m, m, d, m, //
    };
    PaintPictureMargin(pixels, 6, 5, m, b);
    const std::vector<uint32_t> expected = {
        b, b, b, b, b, b, //
        b, d, d, d, b, b, //
        b, d, m, d, d, b, //
        b, d, d, d, m, d, //
        b, b, b, b, d, b, //
    };
    EXPECT_EQ(pixels, expected);
}
