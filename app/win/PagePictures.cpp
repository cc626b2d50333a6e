#include "app/win/PagePictures.h"

#include "app/PictureMargin.h"
#include "app/win/Application.h"
#include "controls/ImageResample.h"

#include <algorithm>
#include <vector>

namespace {

// The margins of the pictures are drawn in the default dialog colour.
const COLORREF kMarginColour = RGB(212, 208, 200);

// Per picture: the bitmap the template gave it, and the dialog colour its
// shown bitmap is painted for, plus one (0: the template's own bitmap).
const char kOriginal[] = "KlaviroPictureOriginal";
const char kPaintedFor[] = "KlaviroPicturePaintedFor";
// Set when the original is a copy scaled for the display, which is ours to free.
const char kScaled[] = "KlaviroPictureScaled";

uint32_t PixelOf(COLORREF c) {
    return (static_cast<uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

bool IsPicture(HWND control) {
    char name[16] = "";
    GetClassNameA(control, name, sizeof name);
    return lstrcmpiA(name, "Static") == 0 &&
           (GetWindowLongPtrA(control, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
}

BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// The bitmap's pixels as 0x00RRGGBB rows; false when it cannot be read.
bool ReadPixels(HBITMAP bitmap, std::vector<uint32_t>& pixels, int& width, int& height) {
    BITMAP bm;
    if (GetObjectA(bitmap, sizeof bm, &bm) != sizeof bm || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return false;
    width = bm.bmWidth;
    height = bm.bmHeight;
    BITMAPINFO info = TopDown32(width, height);
    pixels.assign(static_cast<size_t>(width) * height, 0);
    HDC screen = GetDC(nullptr);
    const bool ok = GetDIBits(screen, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS) == height;
    ReleaseDC(nullptr, screen);
    return ok;
}

// A device-dependent bitmap of the pixels, or null: a static control would
// treat a 32-bit section's unused top byte as transparency.
HBITMAP MakeBitmap(const std::vector<uint32_t>& pixels, int width, int height) {
    BITMAPINFO info = TopDown32(width, height);
    HDC screen = GetDC(nullptr);
    HBITMAP copy = CreateCompatibleBitmap(screen, width, height);
    if (copy && SetDIBits(screen, copy, 0, height, pixels.data(), &info, DIB_RGB_COLORS) != height) {
        DeleteObject(copy);
        copy = nullptr;
    }
    ReleaseDC(nullptr, screen);
    return copy;
}

// A copy of the bitmap with its margin in the colour, or null.
HBITMAP PaintedCopy(HBITMAP original, COLORREF colour) {
    std::vector<uint32_t> pixels;
    int width = 0, height = 0;
    if (!ReadPixels(original, pixels, width, height))
        return nullptr;
    PaintPictureMargin(pixels, width, height, PixelOf(kMarginColour), PixelOf(colour));
    return MakeBitmap(pixels, width, height);
}

int DisplayDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    ReleaseDC(nullptr, screen);
    return dpi;
}

// At 96 DPI each drawing is as wide as its frame, its card cut at the
// frame's height. On a scaled display the frame grows with the dialog units;
// a copy scaled to the frame's width keeps the picture as it looks at 96 DPI.
// Null at 96 DPI or when no copy can be made.
HBITMAP ScaledForDisplay(HWND picture, HBITMAP bitmap) {
    RECT frame;
    if (DisplayDpi() == 96 || !GetClientRect(picture, &frame) || frame.right <= 0)
        return nullptr;
    std::vector<uint32_t> pixels;
    int width = 0, height = 0;
    if (!ReadPixels(bitmap, pixels, width, height) || width == frame.right)
        return nullptr;
    const PixelSize to{static_cast<uint32_t>(frame.right),
                       static_cast<uint32_t>(std::max(1, MulDiv(height, frame.right, width)))};
    std::vector<uint32_t> scaled(static_cast<size_t>(to.width) * to.height);
    ResamplePixels(pixels.data(), {static_cast<uint32_t>(width), static_cast<uint32_t>(height)},
                   scaled.data(), to);
    return MakeBitmap(scaled, static_cast<int>(to.width), static_cast<int>(to.height));
}

// Shows `bitmap` in the picture and frees the painted copy it replaces.
void Show(HWND picture, HBITMAP bitmap, HBITMAP original) {
    HGDIOBJ previous = reinterpret_cast<HGDIOBJ>(
        SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    if (previous && previous != original && previous != bitmap)
        DeleteObject(previous);
}

void ColourPicture(HWND picture, COLORREF colour) {
    HBITMAP original = static_cast<HBITMAP>(GetPropA(picture, kOriginal));
    if (!original) {
        original = reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
        if (!original)
            return;
        if (HBITMAP scaled = ScaledForDisplay(picture, original)) {
            // The template's bitmap, handed back, is not needed any more.
            HGDIOBJ previous = reinterpret_cast<HGDIOBJ>(
                SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(scaled)));
            if (previous && previous != scaled)
                DeleteObject(previous);
            original = scaled;
            SetPropA(picture, kScaled, scaled);
        }
        SetPropA(picture, kOriginal, original);
    }
    const HANDLE paintedFor = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(colour) + 1);
    const bool asCreated = colour == kMarginColour;
    if (GetPropA(picture, kPaintedFor) == (asCreated ? nullptr : paintedFor))
        return;
    HBITMAP shown = asCreated ? original : PaintedCopy(original, colour);
    if (!shown)
        return; // keeps what it shows
    Show(picture, shown, original);
    if (asCreated)
        RemovePropA(picture, kPaintedFor);
    else
        SetPropA(picture, kPaintedFor, paintedFor);
}

} // namespace

void ColourPagePictures(HWND page, Application& app) {
    const COLORREF colour = static_cast<COLORREF>(app.GetDlgColor()) & 0xFFFFFF;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsPicture(child))
            ColourPicture(child, colour);
}

void ReleasePagePictures(HWND page) {
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        HBITMAP original = static_cast<HBITMAP>(GetPropA(child, kOriginal));
        if (!original)
            continue;
        if (GetPropA(child, kPaintedFor))
            Show(child, original, original);
        if (RemovePropA(child, kScaled)) {
            SendMessageA(child, STM_SETIMAGE, IMAGE_BITMAP, 0);
            DeleteObject(original);
        }
        RemovePropA(child, kOriginal);
        RemovePropA(child, kPaintedFor);
    }
}
