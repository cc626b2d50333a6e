#include "app/ColorMath.h"

std::uint32_t ScaleColor(std::uint32_t colour, double factor) {
    std::uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        double product = static_cast<double>((colour >> shift) & 0xFF) * factor;
        // Negative factors are not used by the program; they give black
        // rather than an undefined conversion.
        std::uint32_t channel = product >= 255.0 ? 255u
                                : product > 0.0  ? static_cast<std::uint32_t>(product)
                                                 : 0u;
        result |= channel << shift;
    }
    return result;
}
