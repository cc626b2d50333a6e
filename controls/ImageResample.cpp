#include "controls/ImageResample.h"

PixelSize FitKeepingAspect(PixelSize picture, PixelSize box) {
    if (picture.width == 0 || picture.height == 0 || box.width == 0 || box.height == 0)
        return box;
    const uint64_t w = picture.width, h = picture.height;
    uint64_t W = box.width, H = box.height;
    if (W * h < H * w)
        H = (W * h + w / 2) / w;
    else
        W = (H * w + h / 2) / h;
    // A very long, thin picture would round its short side to nothing.
    if (W == 0)
        W = 1;
    if (H == 0)
        H = 1;
    return {static_cast<uint32_t>(W), static_cast<uint32_t>(H)};
}

std::vector<AxisSpan> AxisSpans(uint32_t from, uint32_t to) {
    std::vector<AxisSpan> spans(to);
    const uint64_t n = from, m = to;
    if (m <= n) {
        // Shrinking: output i averages the sources whose rounded positions
        // fall in [i, i + 1) of the output scale.
        for (uint64_t i = 0; i < m; ++i) {
            const uint64_t first = (i * n + m / 2) / m;
            const uint64_t end = ((i + 1) * n + m / 2) / m;
            spans[i] = {static_cast<uint32_t>(first), static_cast<uint32_t>(end - first)};
        }
    } else {
        // Growing: source j is repeated over the outputs its rounded range
        // covers; the ranges of consecutive sources tile [0, m).
        for (uint64_t j = 0; j < n; ++j) {
            const uint64_t first = (j * m + n / 2) / n;
            const uint64_t end = ((j + 1) * m + n / 2) / n;
            for (uint64_t i = first; i < end; ++i)
                spans[i] = {static_cast<uint32_t>(j), 1};
        }
    }
    return spans;
}

uint32_t AveragePixels(uint64_t redSum, uint64_t greenSum, uint64_t blueSum, uint64_t count) {
    const uint64_t half = count / 2;
    const uint32_t red = static_cast<uint32_t>((redSum + half) / count);
    const uint32_t green = static_cast<uint32_t>((greenSum + half) / count);
    const uint32_t blue = static_cast<uint32_t>((blueSum + half) / count);
    return (red & 0xFF) << 16 | (green & 0xFF) << 8 | (blue & 0xFF);
}

void ResamplePixels(const uint32_t* from, PixelSize fromSize, uint32_t* to, PixelSize toSize) {
    const std::vector<AxisSpan> columns = AxisSpans(fromSize.width, toSize.width);
    const std::vector<AxisSpan> rows = AxisSpans(fromSize.height, toSize.height);
    const uint64_t stride = fromSize.width;
    for (uint32_t y = 0; y < toSize.height; ++y) {
        const AxisSpan& rowSpan = rows[y];
        uint32_t* out = to + static_cast<uint64_t>(y) * toSize.width;
        for (uint32_t x = 0; x < toSize.width; ++x) {
            const AxisSpan& columnSpan = columns[x];
            uint64_t red = 0, green = 0, blue = 0;
            for (uint32_t r = 0; r < rowSpan.count; ++r) {
                const uint32_t* source = from + (rowSpan.first + r) * stride + columnSpan.first;
                for (uint32_t c = 0; c < columnSpan.count; ++c) {
                    const uint32_t p = source[c];
                    red += p >> 16 & 0xFF;
                    green += p >> 8 & 0xFF;
                    blue += p & 0xFF;
                }
            }
            out[x] = AveragePixels(red, green, blue, static_cast<uint64_t>(rowSpan.count) * columnSpan.count);
        }
    }
}
