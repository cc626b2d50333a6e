#include "app/win/PagePictures.h"

#include "app/PictureMargin.h"
#include "app/win/Application.h"

#include <vector>

namespace {

// The margins of the pictures are drawn in the default dialog colour.
const COLORREF kMarginColour = RGB(212, 208, 200);

// Per picture: the bitmap the template gave it, and the dialog colour its
// shown bitmap is painted for, plus one (0: the template's own bitmap).
const char kOriginal[] = "KlaviroPictureOriginal";
const char kPaintedFor[] = "KlaviroPicturePaintedFor";

uint32_t PixelOf(COLORREF c) {
    return (static_cast<uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

bool IsPicture(HWND control) {
    char name[16] = "";
    GetClassNameA(control, name, sizeof name);
    return lstrcmpiA(name, "Static") == 0 &&
           (GetWindowLongPtrA(control, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
}

// A copy of the bitmap with its margin in the colour, or null.
HBITMAP PaintedCopy(HBITMAP original, COLORREF colour) {
    BITMAP bm;
    if (GetObjectA(original, sizeof bm, &bm) != sizeof bm || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = bm.bmWidth;
    info.bmiHeader.biHeight = -bm.bmHeight; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
    HDC screen = GetDC(nullptr);
    HBITMAP copy = nullptr;
    if (GetDIBits(screen, original, 0, bm.bmHeight, pixels.data(), &info, DIB_RGB_COLORS) == bm.bmHeight) {
        PaintPictureMargin(pixels, bm.bmWidth, bm.bmHeight, PixelOf(kMarginColour), PixelOf(colour));
        // A device-dependent bitmap: a static control would treat a 32-bit
        // section's unused top byte as transparency.
        copy = CreateCompatibleBitmap(screen, bm.bmWidth, bm.bmHeight);
        if (copy &&
            SetDIBits(screen, copy, 0, bm.bmHeight, pixels.data(), &info, DIB_RGB_COLORS) != bm.bmHeight) {
            DeleteObject(copy);
            copy = nullptr;
        }
    }
    ReleaseDC(nullptr, screen);
    return copy;
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
        RemovePropA(child, kOriginal);
        RemovePropA(child, kPaintedFor);
    }
}
