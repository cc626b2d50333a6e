// Colour arithmetic shared by the button painter and the display controls.
#pragma once

#include <cstdint>

// Scales the red, green and blue bytes of a 0x00BBGGRR colour separately;
// each product is capped at 255 and otherwise truncated. The top byte of the
// result is always 0.
std::uint32_t ScaleColor(std::uint32_t colour, double factor);
