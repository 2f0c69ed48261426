// The image stores 0x00RRGGBB; colours arrive as the platform's 0x00BBGGRR.
#pragma once

#include <cstdint>

#include "canvas.h"

namespace tovik::raster {

constexpr std::uint32_t to_pixel(Colour c) {
    return (red_of(c) << 16) | (green_of(c) << 8) | blue_of(c);
}

constexpr Colour to_colour(std::uint32_t p) {
    return rgb((p >> 16) & 0xFFu, (p >> 8) & 0xFFu, p & 0xFFu);
}

}  // namespace tovik::raster
