// Area-averaging resampling of 0x00RRGGBB pixel arrays and the fit of a
// picture into a box with its aspect kept.
#pragma once

#include <cstdint>
#include <vector>

struct PixelSize {
    uint32_t width;
    uint32_t height;
};

// The largest size of the picture's aspect that fits in box, rounded to the
// nearest pixel. Never rounds a side of a non-empty box down to 0.
PixelSize FitKeepingAspect(PixelSize picture, PixelSize box);

// The source positions that make up output position i of an axis resized
// from n to m positions: a run of several when shrinking, one when growing.
struct AxisSpan {
    uint32_t first;
    uint32_t count;
};
std::vector<AxisSpan> AxisSpans(uint32_t from, uint32_t to);

// Rounded per-channel mean of pixels; the top byte of the result is 0.
uint32_t AveragePixels(uint64_t redSum, uint64_t greenSum, uint64_t blueSum, uint64_t count);

// Fills to (toSize.width x toSize.height, rows in the same order as from)
// with each output pixel the average of the source rectangle its two axis
// spans select. Both sizes must be non-empty.
void ResamplePixels(const uint32_t* from, PixelSize fromSize, uint32_t* to, PixelSize toSize);
