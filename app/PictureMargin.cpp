#include "app/PictureMargin.h"

#include <cstddef>

void PaintPictureMargin(std::vector<uint32_t>& pixels, int width, int height, uint32_t margin,
                        uint32_t background) {
    if (width <= 0 || height <= 0 || pixels.size() < static_cast<std::size_t>(width) * height ||
        margin == background)
        return;
    std::vector<std::size_t> pending;
    auto reach = [&](int x, int y) {
        const std::size_t i = static_cast<std::size_t>(y) * width + x;
        if (pixels[i] != margin)
            return;
        pixels[i] = background; // marks it as reached, too
        pending.push_back(i);
    };
    for (int x = 0; x < width; ++x) {
        reach(x, 0);
        reach(x, height - 1);
    }
    for (int y = 0; y < height; ++y) {
        reach(0, y);
        reach(width - 1, y);
    }
    while (!pending.empty()) {
        const std::size_t i = pending.back();
        pending.pop_back();
        const int x = static_cast<int>(i % width), y = static_cast<int>(i / width);
        if (x > 0)
            reach(x - 1, y);
        if (x + 1 < width)
            reach(x + 1, y);
        if (y > 0)
            reach(x, y - 1);
        if (y + 1 < height)
            reach(x, y + 1);
    }
}
