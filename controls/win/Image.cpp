#include "controls/win/Image.h"

#include "app/Platform.h"
#include "app/win/DialogHelpers.h"
#include "controls/BmpLayout.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// BITMAPINFO with room for the largest colour table; BI_BITFIELDS masks take
// the first three entries.
struct DibInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

RGBQUAD ToRgbQuad(const BmpColour& c) {
    return RGBQUAD{c.blue, c.green, c.red, 0};
}

void ReportDibFailure(DWORD code) {
    char text[32];
    std::snprintf(text, sizeof text, "Error %d", static_cast<int>(code));
    ShowMessageBox(nullptr, text, "Error", MB_OK | MB_ICONERROR);
}

// Width, height (positive) and bits per pixel of any bitmap; false when the
// handle is not one.
bool BitmapGeometry(HBITMAP bitmap, int& width, int& height, int& bitsPerPixel) {
    BITMAP bm;
    if (!bitmap || GetObjectA(bitmap, sizeof bm, &bm) != sizeof bm)
        return false;
    width = bm.bmWidth;
    height = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    bitsPerPixel = bm.bmBitsPixel * bm.bmPlanes;
    return width > 0 && height > 0;
}

} // namespace

HBITMAP CreateDibSectionOfDepth(int width, int height, int depth, void** bits) {
    DibFormat format;
    if (!DibFormatForDepth(depth, format) || width <= 0 || height <= 0)
        return nullptr;
    DibInfo info;
    std::memset(&info, 0, sizeof info);
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height; // positive: rows bottom-up
    info.header.biPlanes = 1;
    info.header.biBitCount = format.bitCount;
    info.header.biCompression = format.compression;
    info.header.biClrUsed = static_cast<DWORD>(format.colours.size());
    if (format.compression == kBmpBitfields)
        std::memcpy(info.colours, format.masks, sizeof format.masks);
    for (size_t i = 0; i < format.colours.size(); ++i)
        info.colours[i] = ToRgbQuad(format.colours[i]);

    ScreenDc screen;
    void* pixels = nullptr;
    SetLastError(0);
    HBITMAP section = CreateDIBSection(screen.Get(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                       &pixels, nullptr, 0);
    if (!section) {
        ReportDibFailure(GetLastError());
        return nullptr;
    }
    if (bits)
        *bits = pixels;
    return section;
}

HBITMAP ConvertBitmap(HBITMAP source, int depth) {
    int width, height, sourceBits;
    if (!BitmapGeometry(source, width, height, sourceBits))
        return nullptr;
    GdiObject<HBITMAP> target(CreateDibSectionOfDepth(width, height, depth));
    if (!target.Get())
        return nullptr;

    ScreenDc screen;
    MemoryDc from(screen.Get());
    MemoryDc to(screen.Get());
    Selection sourceIn(from.Get(), source);
    Selection targetIn(to.Get(), target.Get());
    if (!sourceIn.Ok() || !targetIn.Ok())
        return nullptr; // e.g. the source is selected into another context

    // Colour matching at 8 bits or fewer goes through a palette made from the
    // source: its own colour table when it has one.
    GdiObject<HPALETTE> ownPalette;
    HPALETTE palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    if (depth <= 8) {
        RGBQUAD table[256];
        const UINT count = sourceBits <= 8 ? GetDIBColorTable(from.Get(), 0, 256, table) : 0;
        if (count > 0) {
            std::vector<BYTE> block(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
            LOGPALETTE* log = reinterpret_cast<LOGPALETTE*>(block.data());
            log->palVersion = 0x300;
            log->palNumEntries = static_cast<WORD>(count);
            for (UINT i = 0; i < count; ++i)
                log->palPalEntry[i] = PALETTEENTRY{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
            ownPalette.Reset(CreatePalette(log));
            SetDIBColorTable(to.Get(), 0, count, table);
        } else if (GetDeviceCaps(screen.Get(), BITSPIXEL) <= 8) {
            ownPalette.Reset(CreateHalftonePalette(screen.Get()));
        }
        // Without a source table the section keeps its depth's own table:
        // the default palette's first entries would turn white into cream.
        if (ownPalette.Get())
            palette = ownPalette.Get();
    }
    HPALETTE oldFrom = SelectPalette(from.Get(), palette, FALSE);
    HPALETTE oldTo = SelectPalette(to.Get(), palette, FALSE);
    RealizePalette(from.Get());
    RealizePalette(to.Get());
    const BOOL copied = BitBlt(to.Get(), 0, 0, width, height, from.Get(), 0, 0, SRCCOPY);
    if (oldFrom)
        SelectPalette(from.Get(), oldFrom, FALSE);
    if (oldTo)
        SelectPalette(to.Get(), oldTo, FALSE);
    GdiFlush();
    return copied ? target.Release() : nullptr;
}

bool Image::Load(const char* path) {
    pixels_.Clear();
    GdiObject<HBITMAP> loaded(static_cast<HBITMAP>(
        LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0,
                   LR_LOADFROMFILE | LR_CREATEDIBSECTION | LR_DEFAULTSIZE | LR_VGACOLOR)));
    return loaded.Get() && TakeBitmap(loaded.Get());
}

bool Image::Save(const char* path) {
    if (pixels_.Empty())
        return true;
    GdiObject<HBITMAP> section(MakeDibSection(32));
    DIBSECTION ds;
    if (!section.Get() || GetObjectA(section.Get(), sizeof ds, &ds) != sizeof ds || !ds.dsBm.bmBits)
        return false;
    BmpInfoHeader header = Bmp32Header(Width(), Height());
    header.planes = ds.dsBmih.biPlanes;
    header.sizeImage = ds.dsBmih.biSizeImage ? ds.dsBmih.biSizeImage : header.sizeImage;
    header.xPelsPerMeter = ds.dsBmih.biXPelsPerMeter;
    header.yPelsPerMeter = ds.dsBmih.biYPelsPerMeter;
    const std::vector<uint8_t> head = EncodeBmp32Headers(header);
    if (head.empty())
        return false;
    const DWORD pixelBytes = static_cast<DWORD>(BmpPixelBytes(header));

    HANDLE file = CreateFileW(FileSystemPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = GetFileType(file) == FILE_TYPE_DISK;
    DWORD written = 0;
    ok = ok && WriteFile(file, head.data(), static_cast<DWORD>(head.size()), &written, nullptr) &&
         written == head.size();
    ok = ok && WriteFile(file, ds.dsBm.bmBits, pixelBytes, &written, nullptr) && written == pixelBytes;
    CloseHandle(file);
    return ok;
}

void Image::Resize(uint32_t width, uint32_t height, bool keepAspect) {
    pixels_.Resize(width, height, keepAspect);
}

HBITMAP Image::MakeDibSection(int depth) const {
    if (pixels_.Empty())
        return nullptr;
    void* bits = nullptr;
    GdiObject<HBITMAP> full(
        CreateDibSectionOfDepth(static_cast<int>(Width()), static_cast<int>(Height()), 32, &bits));
    if (!full.Get())
        return nullptr;
    // A 32-bit section with 8-8-8 masks stores 0x00RRGGBB values bottom-up,
    // exactly as the image does.
    std::memcpy(bits, pixels_.Data(), static_cast<size_t>(Width()) * Height() * sizeof(uint32_t));
    GdiFlush();
    if (depth == 32)
        return full.Release();
    return ConvertBitmap(full.Get(), depth);
}

bool Image::TakeBitmap(HBITMAP bitmap) {
    GdiObject<HBITMAP> converted(ConvertBitmap(bitmap, 32));
    DIBSECTION ds;
    if (!converted.Get() || GetObjectA(converted.Get(), sizeof ds, &ds) != sizeof ds || !ds.dsBm.bmBits) {
        pixels_.Clear();
        return false;
    }
    pixels_.Assign(static_cast<uint32_t>(ds.dsBm.bmWidth), static_cast<uint32_t>(ds.dsBm.bmHeight),
                   static_cast<const uint32_t*>(ds.dsBm.bmBits));
    return true;
}
