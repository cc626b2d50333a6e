// The pixels of one picture: width x height 0x00RRGGBB values, rows bottom-up
// as in a bottom-up DIB. Copies share one pixel buffer; a global table counts
// the images holding each buffer, and the last one to let go frees it.
#pragma once

#include "FCommon/FArray.h"
#include "controls/ImageResample.h"

#include <cstdint>

class ImagePixels {
public:
    ImagePixels() = default;
    ImagePixels(const ImagePixels& other);
    ImagePixels& operator=(const ImagePixels& other);
    ~ImagePixels();

    // Replaces the pixels with a copy of rows (width x height values, no
    // padding); the top byte of each value is cleared. Throws FCMemException
    // when the buffer cannot be had, leaving the image as it was.
    void Assign(uint32_t width, uint32_t height, const uint32_t* rows);
    void Clear();
    // Resamples to width x height (fitted inside it with keepAspect). An
    // empty image stays empty; a zero target makes the image empty.
    void Resize(uint32_t width, uint32_t height, bool keepAspect);

    uint32_t Width() const { return width_; }
    uint32_t Height() const { return height_; }
    bool Empty() const { return pixels_.GetCount() == 0; }
    const uint32_t* Data() const { return pixels_.GetData(); }

    // Number of images holding the buffer (0 for one nobody holds).
    static uint32_t References(const uint32_t* buffer);

private:
    // Makes this image the holder of a freshly filled buffer.
    void Adopt(FCArray<uint32_t>& fresh, uint32_t width, uint32_t height);
    void Share(const ImagePixels& other);
    void Release();

    uint32_t width_ = 0;
    uint32_t height_ = 0;
    FCArray<uint32_t> pixels_;
    bool ownsPixels_ = false;
};
