#include "controls/BmpLayout.h"

#include <gtest/gtest.h>

namespace {

uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

} // namespace

TEST(BmpLayout, TwoByTwoPictureFileHoldsHeadersMasksAndThePalette) {
    const std::vector<uint8_t> bytes = EncodeBmp32Headers(Bmp32Header(2, 2));
    ASSERT_EQ(bytes.size(), 14u + 40u + 1036u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    const uint32_t expected[][2] = {
        {2, 14 + 40 + 1036 + 16},
        {6, 0},
        {10, 14 + 40 + 1036},
        {14, 40},
        {18, 2},
        {22, 2},
        {26, 1 | 32 << 16},
        {30, 3},
        {34, 16},
        {46, 256},
        {54, 0xFF0000},
        {58, 0xFF00},
        {62, 0xFF},
    };
    for (const auto& e : expected)
        EXPECT_EQ(Read32(bytes, e[0]), e[1]) << "at " << e[0];
    for (uint32_t k = 0; k < 256; ++k) // blue, green, red, 0
        ASSERT_EQ(Read32(bytes, 66 + 4 * k), 64 * (k / 64) | 32 * (k / 8 % 8) << 8 | 32 * (k % 8) << 16) << k;
    // Rows that would not fit the 32-bit file size give no file at all.
    EXPECT_FALSE(EncodeBmp32Headers(Bmp32Header(32768, 32767)).empty());
    EXPECT_TRUE(EncodeBmp32Headers(Bmp32Header(32768, 32768)).empty());
}

TEST(BmpLayout, TableAndRowSizesFollowTheHeader) {
    BmpInfoHeader h;
    h.width = 5;
    h.height = -3; // top-down rows take the same room
    const struct {
        uint16_t bits;
        uint32_t compression, used;
        uint64_t table, rows;
    } cases[] = {
        {1, kBmpRgb, 0, 8, 12},         {4, kBmpRgb, 16, 64, 12}, {8, kBmpRgb, 0, 1024, 24},
        {16, kBmpBitfields, 0, 12, 36}, {24, kBmpRgb, 0, 0, 48},  {32, kBmpBitfields, 256, 1036, 60},
    };
    for (const auto& c : cases) {
        h.bitCount = c.bits;
        h.compression = c.compression;
        h.clrUsed = c.used;
        const BmpLayout layout = ComputeBmpLayout(h);
        EXPECT_EQ(layout.pixelOffset, 54 + c.table) << c.bits;
        EXPECT_EQ(layout.pixelBytes, c.rows) << c.bits;
        EXPECT_EQ(layout.fileSize, 54 + c.table + c.rows) << c.bits;
    }
}
