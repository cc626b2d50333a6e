// A picture held as 32-bit pixels, its conversion from and to GDI DIB
// sections of several depths, and BMP files; plus the small GDI holders the
// picture code uses so that no handle leaks on an early return.
#pragma once

#include "controls/ImagePixels.h"

#include <windows.h>

#include <cstdint>

// A GDI object deleted with its holder.
template <class Handle> class GdiObject {
public:
    explicit GdiObject(Handle handle = nullptr) : handle_(handle) {}
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject() { Reset(); }
    Handle Get() const { return handle_; }
    Handle Release() {
        Handle h = handle_;
        handle_ = nullptr;
        return h;
    }
    void Reset(Handle handle = nullptr) {
        if (handle_)
            DeleteObject(handle_);
        handle_ = handle;
    }

private:
    Handle handle_;
};

// A memory device context compatible with another one (or the screen).
class MemoryDc {
public:
    explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    ~MemoryDc() {
        if (dc_)
            DeleteDC(dc_);
    }
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// The screen device context, released with its holder.
class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    ~ScreenDc() {
        if (dc_)
            ReleaseDC(nullptr, dc_);
    }
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// An object selected into a device context until the holder ends.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(dc && object ? SelectObject(dc, object) : nullptr) {}
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    ~Selection() {
        if (Ok())
            SelectObject(dc_, old_);
    }
    bool Ok() const { return old_ != nullptr && old_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A new bottom-up DIB section of the depth (1, 4, 8, 15, 16 or 32) with that
// depth's colour table or bit masks, made on the screen device context. On
// failure the operator sees "Error %d" (titled "Error") with the system error
// code and the result is null; a depth not listed gives null silently.
HBITMAP CreateDibSectionOfDepth(int width, int height, int depth, void** bits = nullptr);

// A new DIB section of the depth holding the bitmap's picture; null when the
// bitmap cannot be read or the section not made. The source is left as it was.
HBITMAP ConvertBitmap(HBITMAP source, int depth);

class Image {
public:
    Image() = default;
    Image(const Image& other) = default; // shares the pixels
    Image& operator=(const Image& other) = default;
    virtual ~Image() = default;

    // Reads a BMP file; one that cannot be read leaves an empty image.
    virtual bool Load(const char* path);
    // Writes a 32-bit BMP file. An empty image writes nothing and succeeds.
    virtual bool Save(const char* path);
    virtual void Resize(uint32_t width, uint32_t height, bool keepAspect);
    // A new DIB section of the depth holding the picture; null when empty.
    virtual HBITMAP MakeDibSection(int depth) const;
    virtual uint32_t Height() const { return pixels_.Height(); }
    virtual uint32_t Width() const { return pixels_.Width(); }

    // Replaces the pixels with the bitmap's, at 32 bits. A bitmap that
    // cannot be read leaves the image empty and gives false.
    bool TakeBitmap(HBITMAP bitmap);
    const ImagePixels& Pixels() const { return pixels_; }

private:
    ImagePixels pixels_;
};
