// BMP file layout: header sizes, colour tables, bit masks of the DIB depths
// the picture code uses, and the bytes that precede the pixel rows.
#pragma once

#include <cstdint>
#include <vector>

constexpr uint32_t kBmpFileHeaderBytes = 14;
constexpr uint32_t kBmpInfoHeaderBytes = 40;
constexpr uint16_t kBmpSignature = 0x4D42; // "BM"
constexpr uint32_t kBmpRgb = 0;            // BI_RGB
constexpr uint32_t kBmpBitfields = 3;      // BI_BITFIELDS

// The fields of a BITMAPINFOHEADER, in file order.
struct BmpInfoHeader {
    int32_t width = 0;
    int32_t height = 0;
    uint16_t planes = 1;
    uint16_t bitCount = 0;
    uint32_t compression = kBmpRgb;
    uint32_t sizeImage = 0;
    int32_t xPelsPerMeter = 0;
    int32_t yPelsPerMeter = 0;
    uint32_t clrUsed = 0;
    uint32_t clrImportant = 0;
};

struct BmpColour {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    bool operator==(const BmpColour& o) const { return red == o.red && green == o.green && blue == o.blue; }
};

// Entry k of the 256-colour 3-3-2 palette.
BmpColour Palette332(uint32_t k);
// The sixteen colours of a 4-bit section, in index order.
const BmpColour* Vga16Colours();

// How a DIB section of a depth (1, 4, 8, 15, 16, 32) is described: 15 is a
// 16-bit section with 5-5-5 masks.
struct DibFormat {
    uint16_t bitCount;
    uint32_t compression;
    uint32_t masks[3]; // red, green, blue; zero unless BI_BITFIELDS
    std::vector<BmpColour> colours;
};
// False for a depth the picture code does not make.
bool DibFormatForDepth(int depth, DibFormat& format);

// Bytes between the info header and the pixels: the palette (clrUsed, or
// 2^bitCount when that is 0 at 8 bits or fewer) plus 12 for the masks.
uint64_t BmpColourTableBytes(const BmpInfoHeader& header);
// Rows padded to 32 bits, times the height.
uint64_t BmpPixelBytes(const BmpInfoHeader& header);

struct BmpLayout {
    uint64_t pixelOffset; // 14 + 40 + colour-table bytes
    uint64_t pixelBytes;
    uint64_t fileSize;
};
BmpLayout ComputeBmpLayout(const BmpInfoHeader& header);

// The file header, the info header and the colour table of a 32-bit picture
// file: masks 0xFF0000, 0xFF00, 0xFF and the 3-3-2 palette as 256 colours
// used. Empty when the file would be too large to describe.
std::vector<uint8_t> EncodeBmp32Headers(BmpInfoHeader header);
// The header of a bottom-up 32-bit BI_BITFIELDS picture of width x height.
BmpInfoHeader Bmp32Header(uint32_t width, uint32_t height);
