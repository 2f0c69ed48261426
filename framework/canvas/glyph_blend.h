// Blending a glyph's anti-aliased coverage onto image pixels.
#pragma once

#include <cstdint>

#include "canvas/font_cache.h"
#include "canvas/glyph_shades.h"

// Whether the build has blend_glyph's eight-pixel path (AVX2, used where the
// processor has it).
#if defined(__GNUC__) && !defined(__clang__) && (defined(__x86_64__) || defined(__i386__))
#define TOVIK_WIDE_BLEND 1
#else
#define TOVIK_WIDE_BLEND 0
#endif

namespace tovik::raster {

// Over n pixels (0x00RRGGBB), each pixel under its coverage level (0, or
// 2..FULL_LEVEL) shaded towards the text colour as the platform shades
// smoothed text (see glyph_shades.h).
void blend_span(std::uint32_t* pixels, const std::uint8_t* coverage, std::int64_t n,
                const GlyphShades& shades);

// The same, one pixel at a time, on any processor; blend_span gives identical
// results with vector instructions where it has them.
void blend_span_portable(std::uint32_t* pixels, const std::uint8_t* coverage, std::int64_t n,
                         const GlyphShades& shades);

struct BlendCount {
    std::uint64_t pixels = 0;  // pixels the glyph covers inside the image
    std::uint64_t rows = 0;    // image rows visited
};

// Blends glyph `g` (as blend_span does) with its first coverage pixel on image
// column x, row y of a width x height image, rows `width` pixels apart; only
// the part inside the image is touched.
BlendCount blend_glyph(std::uint32_t* image, int width, int height, const text::Glyph& g,
                       std::int64_t x, std::int64_t y, const GlyphShades& shades);

}  // namespace tovik::raster
