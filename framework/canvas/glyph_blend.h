// Blending a glyph's anti-aliased coverage onto image pixels.
#pragma once

#include <cstdint>

namespace tovik::raster {

// Over n pixels (0x00RRGGBB), per channel
// round((value * a + pixel * (255 - a)) / 255) with a the pixel's coverage:
// 0 keeps the pixel, 255 replaces it by `value`.
void blend_span(std::uint32_t* pixels, const std::uint8_t* coverage, std::int64_t n,
                std::uint32_t value);

// The same, one pixel at a time, on any processor; blend_span gives identical
// results with vector instructions where it has them.
void blend_span_portable(std::uint32_t* pixels, const std::uint8_t* coverage, std::int64_t n,
                         std::uint32_t value);

}  // namespace tovik::raster
