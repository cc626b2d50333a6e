#include "controls/BmpLayout.h"

#include <gtest/gtest.h>

namespace {

uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint32_t Read16(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8;
}

} // namespace

TEST(BmpLayout, TwoByTwoPictureFileHoldsHeadersTableAndRows) {
    const BmpInfoHeader header = Bmp32Header(2, 2);
    const std::vector<uint8_t> bytes = EncodeBmp32Headers(header);
    ASSERT_EQ(bytes.size(), 14u + 40u + 1036u);
    EXPECT_EQ(Read16(bytes, 0), 0x4D42u);
    EXPECT_EQ(Read32(bytes, 2), 14u + 40u + 1036u + 16u); // file size
    EXPECT_EQ(Read32(bytes, 6), 0u);                      // reserved words
    EXPECT_EQ(Read32(bytes, 10), 14u + 40u + 1036u);      // pixel offset
    EXPECT_EQ(Read32(bytes, 14), 40u);
    EXPECT_EQ(Read32(bytes, 18), 2u);
    EXPECT_EQ(Read32(bytes, 22), 2u); // positive: bottom-up rows
    EXPECT_EQ(Read16(bytes, 26), 1u);
    EXPECT_EQ(Read16(bytes, 28), 32u);
    EXPECT_EQ(Read32(bytes, 30), 3u);   // BI_BITFIELDS
    EXPECT_EQ(Read32(bytes, 34), 16u);  // image bytes
    EXPECT_EQ(Read32(bytes, 46), 256u); // colours used
    EXPECT_EQ(Read32(bytes, 54), 0xFF0000u);
    EXPECT_EQ(Read32(bytes, 58), 0xFF00u);
    EXPECT_EQ(Read32(bytes, 62), 0xFFu);
    // 3-3-2 palette as blue, green, red, 0.
    for (uint32_t k = 0; k < 256; ++k) {
        const size_t at = 66 + 4 * k;
        ASSERT_EQ(bytes[at + 2], 32 * (k % 8)) << k;
        ASSERT_EQ(bytes[at + 1], 32 * (k / 8 % 8)) << k;
        ASSERT_EQ(bytes[at], 64 * (k / 64)) << k;
        ASSERT_EQ(bytes[at + 3], 0) << k;
    }
    EXPECT_EQ(bytes[66 + 4 * 255 + 2], 224); // the brightest entry is not white
    EXPECT_EQ(bytes[66 + 4 * 255], 192);
}

TEST(BmpLayout, TableAndRowSizesFollowTheHeader) {
    BmpInfoHeader h;
    h.width = 3;
    h.height = 5;
    h.bitCount = 1;
    EXPECT_EQ(BmpColourTableBytes(h), 8u); // 2^1 colours when none given
    EXPECT_EQ(BmpPixelBytes(h), 4u * 5);   // rows padded to 32 bits
    h.bitCount = 4;
    h.clrUsed = 16;
    EXPECT_EQ(BmpColourTableBytes(h), 64u);
    h.bitCount = 8;
    h.clrUsed = 0;
    EXPECT_EQ(BmpColourTableBytes(h), 1024u);
    h.width = 5;
    EXPECT_EQ(BmpPixelBytes(h), 8u * 5);
    h.bitCount = 24;
    EXPECT_EQ(BmpColourTableBytes(h), 0u);
    EXPECT_EQ(BmpPixelBytes(h), 16u * 5); // 15 bytes padded
    h.bitCount = 16;
    h.compression = kBmpBitfields;
    EXPECT_EQ(BmpColourTableBytes(h), 12u);
    h.height = -5; // top-down rows take the same room
    const BmpLayout layout = ComputeBmpLayout(h);
    EXPECT_EQ(layout.pixelOffset, 14u + 40u + 12u);
    EXPECT_EQ(layout.pixelBytes, 12u * 5);
    EXPECT_EQ(layout.fileSize, 14u + 40u + 12u + 60u);
}

TEST(BmpLayout, FileTooLargeForItsHeaderIsRefused) {
    EXPECT_TRUE(EncodeBmp32Headers(Bmp32Header(32768, 32767)).size() > 0);
    EXPECT_TRUE(EncodeBmp32Headers(Bmp32Header(32768, 32768)).empty()); // 4 GiB of rows
}

TEST(BmpLayout, DepthFormatsCarryTheirTablesAndMasks) {
    DibFormat f;
    ASSERT_TRUE(DibFormatForDepth(1, f));
    EXPECT_EQ(f.bitCount, 1);
    EXPECT_EQ(f.compression, kBmpRgb);
    EXPECT_EQ(f.colours, (std::vector<BmpColour>{{0, 0, 0}, {255, 255, 255}}));
    ASSERT_TRUE(DibFormatForDepth(4, f));
    ASSERT_EQ(f.colours.size(), 16u);
    EXPECT_EQ(f.colours[1], (BmpColour{0, 0, 128}));
    EXPECT_EQ(f.colours[7], (BmpColour{192, 192, 192}));
    EXPECT_EQ(f.colours[8], (BmpColour{128, 128, 128}));
    EXPECT_EQ(f.colours[12], (BmpColour{255, 0, 0}));
    ASSERT_TRUE(DibFormatForDepth(8, f));
    ASSERT_EQ(f.colours.size(), 256u);
    EXPECT_EQ(f.colours[7 + 8 * 3 + 64 * 2], (BmpColour{224, 96, 128}));
    ASSERT_TRUE(DibFormatForDepth(15, f));
    EXPECT_EQ(f.bitCount, 16);
    EXPECT_EQ(f.compression, kBmpBitfields);
    EXPECT_EQ(f.masks[0], 0x7C00u);
    EXPECT_EQ(f.masks[1], 0x3E0u);
    EXPECT_EQ(f.masks[2], 0x1Fu);
    ASSERT_TRUE(DibFormatForDepth(16, f));
    EXPECT_EQ(f.masks[0], 0xF800u);
    EXPECT_EQ(f.masks[1], 0x7E0u);
    ASSERT_TRUE(DibFormatForDepth(32, f));
    EXPECT_EQ(f.bitCount, 32);
    EXPECT_EQ(f.masks[0], 0xFF0000u);
    EXPECT_TRUE(f.colours.empty());
    EXPECT_FALSE(DibFormatForDepth(24, f));
    EXPECT_FALSE(DibFormatForDepth(0, f));
}
