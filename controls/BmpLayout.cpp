#include "controls/BmpLayout.h"

#include <cstddef>

namespace {

const BmpColour kVga16[16] = {
    {0, 0, 0},     {0, 0, 128},     {0, 128, 0},     {0, 128, 128},   {128, 0, 0}, {128, 0, 128},
    {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255},     {0, 255, 0}, {0, 255, 255},
    {255, 0, 0},   {255, 0, 255},   {255, 255, 0},   {255, 255, 255},
};

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

} // namespace

BmpColour Palette332(uint32_t k) {
    return {static_cast<uint8_t>(32 * (k % 8)), static_cast<uint8_t>(32 * ((k / 8) % 8)),
            static_cast<uint8_t>(64 * (k / 64))};
}

const BmpColour* Vga16Colours() {
    return kVga16;
}

bool DibFormatForDepth(int depth, DibFormat& format) {
    format = DibFormat{};
    switch (depth) {
    case 1:
        format.bitCount = 1;
        format.compression = kBmpRgb;
        format.colours = {{0, 0, 0}, {255, 255, 255}};
        return true;
    case 4:
        format.bitCount = 4;
        format.compression = kBmpRgb;
        format.colours.assign(kVga16, kVga16 + 16);
        return true;
    case 8:
        format.bitCount = 8;
        format.compression = kBmpRgb;
        for (uint32_t k = 0; k < 256; ++k)
            format.colours.push_back(Palette332(k));
        return true;
    case 15:
        format = {16, kBmpBitfields, {0x7C00, 0x3E0, 0x1F}, {}};
        return true;
    case 16:
        format = {16, kBmpBitfields, {0xF800, 0x7E0, 0x1F}, {}};
        return true;
    case 32:
        format = {32, kBmpBitfields, {0xFF0000, 0xFF00, 0xFF}, {}};
        return true;
    default:
        return false;
    }
}

uint64_t BmpColourTableBytes(const BmpInfoHeader& header) {
    uint64_t colours = header.clrUsed;
    if (colours == 0 && header.bitCount <= 8)
        colours = uint64_t{1} << header.bitCount;
    return colours * 4 + (header.compression == kBmpBitfields ? 12 : 0);
}

uint64_t BmpPixelBytes(const BmpInfoHeader& header) {
    const uint64_t width = header.width < 0 ? -static_cast<int64_t>(header.width) : header.width;
    const uint64_t height = header.height < 0 ? -static_cast<int64_t>(header.height) : header.height;
    return (width * header.bitCount + 31) / 32 * 4 * height;
}

BmpLayout ComputeBmpLayout(const BmpInfoHeader& header) {
    BmpLayout layout;
    layout.pixelOffset = kBmpFileHeaderBytes + kBmpInfoHeaderBytes + BmpColourTableBytes(header);
    layout.pixelBytes = BmpPixelBytes(header);
    layout.fileSize = layout.pixelOffset + layout.pixelBytes;
    return layout;
}

BmpInfoHeader Bmp32Header(uint32_t width, uint32_t height) {
    BmpInfoHeader header;
    header.width = static_cast<int32_t>(width);
    header.height = static_cast<int32_t>(height);
    header.bitCount = 32;
    header.compression = kBmpBitfields;
    header.sizeImage = static_cast<uint32_t>(BmpPixelBytes(header));
    return header;
}

std::vector<uint8_t> EncodeBmp32Headers(BmpInfoHeader header) {
    header.clrUsed = 256;
    const BmpLayout layout = ComputeBmpLayout(header);
    if (layout.fileSize > UINT32_MAX)
        return {};
    std::vector<uint8_t> out;
    out.reserve(static_cast<size_t>(layout.pixelOffset));
    Put16(out, kBmpSignature);
    Put32(out, static_cast<uint32_t>(layout.fileSize));
    Put16(out, 0);
    Put16(out, 0);
    Put32(out, static_cast<uint32_t>(layout.pixelOffset));

    Put32(out, kBmpInfoHeaderBytes);
    Put32(out, static_cast<uint32_t>(header.width));
    Put32(out, static_cast<uint32_t>(header.height));
    Put16(out, header.planes);
    Put16(out, header.bitCount);
    Put32(out, header.compression);
    Put32(out, header.sizeImage);
    Put32(out, static_cast<uint32_t>(header.xPelsPerMeter));
    Put32(out, static_cast<uint32_t>(header.yPelsPerMeter));
    Put32(out, header.clrUsed);
    Put32(out, header.clrImportant);

    if (header.compression == kBmpBitfields) {
        Put32(out, 0xFF0000);
        Put32(out, 0xFF00);
        Put32(out, 0xFF);
    }
    for (uint32_t k = 0; k < 256; ++k) {
        const BmpColour c = Palette332(k);
        out.push_back(c.blue); // RGBQUAD order
        out.push_back(c.green);
        out.push_back(c.red);
        out.push_back(0);
    }
    return out;
}
