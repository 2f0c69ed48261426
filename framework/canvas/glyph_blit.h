// The loop over a glyph's rows, shared by the blending code built for each
// instruction set.  It is internal to every file that includes it, so that each
// copy is compiled for that file's instructions (a file that switches them
// includes this header after the switch).
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <type_traits>

#include "canvas/glyph_blend.h"

namespace tovik::raster {
namespace {

// One pixel at a time: where no vector path is built, and for the rare text
// colours whose factors do not all fit the vector paths' 16 bits.  Each
// level's result over the colour last met is kept as it is worked out: most
// glyph pixels lie over one colour.
class PixelBlender {
public:
    static constexpr std::int64_t GROUP = 1;
    explicit PixelBlender(const GlyphShades& shades) : shades_(shades) {}
    const GlyphShades& shades() const { return shades_; }
    [[gnu::always_inline]] void group(std::uint32_t* pixels, const std::uint8_t* coverage) {
        const unsigned level = *coverage;
        if (level == 0) return;
        if (level == FULL_LEVEL) {
            *pixels = shades_.value;
            return;
        }
        const std::uint32_t p = *pixels;
        if (p != over_) {
            over_ = p;
            known_ = 0;
        }
        const unsigned i = level - 1;
        if ((known_ >> i & 1u) == 0) {
            shaded_[i] = shade_pixel(p, level, shades_);
            known_ |= 1u << i;
        }
        *pixels = shaded_[i];
    }

private:
    const GlyphShades& shades_;
    std::uint32_t over_ = 0, known_ = 0;  // the colour, and which levels' results are kept
    std::array<std::uint32_t, FULL_LEVEL> shaded_{};  // at index level - 1
};

// n pixels: in whole groups of the blender's size, running on past the n-th
// pixel where the coverage may be read (`readable` bytes) and the image row
// written (`room` pixels) to the end of the last group; else the last pixels
// one by one.
template <class Blender>
[[gnu::always_inline]] inline void blend_run(Blender&& blender, std::uint32_t* pixels,
                                             const std::uint8_t* coverage, std::int64_t n,
                                             std::int64_t readable, std::int64_t room) {
    constexpr std::int64_t G = std::remove_reference_t<Blender>::GROUP;
    std::int64_t i = 0;
    if (n + G - 1 <= std::min(readable, room)) {
        for (; i < n; i += G) blender.group(pixels + i, coverage + i);
        return;
    }
    for (; i + G <= n; i += G) blender.group(pixels + i, coverage + i);
    for (; i < n; ++i) {
        pixels[i] = shade_pixel(pixels[i], coverage[i], blender.shades());
    }
}

template <class Blender>
BlendCount blit_glyph(Blender&& blender, std::uint32_t* image, int width, int height,
                      const text::Glyph& g, std::int64_t x, std::int64_t y) {
    constexpr std::int64_t G = std::remove_reference_t<Blender>::GROUP;
    BlendCount count;
    const std::int64_t col0 = std::max<std::int64_t>(x, 0);
    const std::int64_t col1 = std::min<std::int64_t>(x + g.width, width);
    const std::int64_t row0 = std::max<std::int64_t>(y, 0);
    const std::int64_t row1 = std::min<std::int64_t>(y + g.rows, height);
    if (col0 >= col1 || row0 >= row1) return count;
    if (row0 == y && row1 == y + g.rows && col0 == x && x + g.stride <= width) {
        // Wholly inside, with room for every group's last pixels: the common
        // case, in its shortest loop.
        std::uint32_t* out = image + y * width + x;
        const std::uint8_t* cover = g.coverage.data();
        for (const text::GlyphRow& ink : g.row_ink) {
            for (std::int64_t i = ink.first; i < ink.last; i += G) blender.group(out + i, cover + i);
            out += width;
            cover += g.stride;
        }
        return {static_cast<std::uint64_t>(g.ink), static_cast<std::uint64_t>(g.rows)};
    }
    const bool whole_rows = col0 == x && col1 == x + g.width;
    count.rows = static_cast<std::uint64_t>(row1 - row0);
    for (std::int64_t row = row0; row < row1; ++row) {
        const text::GlyphRow& ink = g.row_ink[static_cast<std::size_t>(row - y)];
        const std::int64_t c0 = std::max(col0, x + ink.first);
        const std::int64_t c1 = std::min(col1, x + ink.last);
        if (c0 >= c1) continue;
        const std::uint8_t* cover = g.coverage.data() + (row - y) * g.stride + (c0 - x);
        blend_run(blender, image + row * width + c0, cover, c1 - c0, x + g.stride - c0,
                  width - c0);
        // The pixels the glyph covers, not the gaps between its strokes.
        count.pixels += whole_rows ? static_cast<std::uint64_t>(ink.ink)
                                   : static_cast<std::uint64_t>(std::count_if(
                                         cover, cover + (c1 - c0),
                                         [](std::uint8_t v) { return v != 0; }));
    }
    return count;
}

}  // namespace

#if TOVIK_WIDE_BLEND
// blend_glyph eight pixels at a time; only for processors with AVX2.
BlendCount blend_glyph_wide(std::uint32_t* image, int width, int height, const text::Glyph& g,
                            std::int64_t x, std::int64_t y, const GlyphShades& shades);
#endif

}  // namespace tovik::raster
