// The pictures of the menu and about pages keep their drawings on a card and
// leave a margin around it in the default dialog colour (212, 208, 200). To
// show them on another dialog colour, the margin is repainted.
#pragma once

#include <cstdint>
#include <vector>

// Pixels 0x00RRGGBB, rows of `width`. Every pixel of colour `margin` that is
// joined to the picture's edge through pixels of that colour becomes
// `background`; the same colour inside the drawing stays.
void PaintPictureMargin(std::vector<uint32_t>& pixels, int width, int height, uint32_t margin,
                        uint32_t background);
