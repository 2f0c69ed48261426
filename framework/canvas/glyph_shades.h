// How a smoothed glyph pixel takes the text colour: the platform's rule, held
// for one text colour as factors that every blend path applies the same way.
//
// Coverage comes in the platform's 17 levels (0 to FULL_LEVEL).  Levels 0 and
// 1 leave the pixel alone (glyphs store level 1 as 0) and FULL_LEVEL paints
// the text colour.  Between, per channel, with t the text's value, d the
// pixel's and R the levels' intensities on black for a text value of 255,
//   R = 0, 77, 104, 124, 140, 154, 167, 178, 189, 199, 208, 217, 225, 233, 240, 248, 255,
// level L reaches lo = R[L] * t / 255 over black and
// hi = R[16 - L] + (255 - R[16 - L]) * t / 255 over white, and moves d towards
// t along the straight line through those ends:
//   d > t: t + (d - t) * (hi - t) / (255 - t)
//   d < t: t - (t - d) * (t - lo) / t
// every division rounded down.  That is no mix of d and t by one weight: a
// level carries far more of the text over pixels darker than the text than
// over lighter ones, so text over colours, and over itself, comes out as the
// platform draws it only this way.  Source: Wine's GDI, dlls/win32u/dibdrv
// (graphics.c: get_range; primitives.c: aa_color, draw_glyph_8888); checked
// pixel for pixel against GDI under Wine by the canvas cross-check (text over
// every colour of the palette, light on dark and dark on light, drawn once and
// twice).
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

namespace tovik::raster {

constexpr std::uint8_t FULL_LEVEL = 16;

// One level's factors per channel, in the order a pixel's bytes lie in memory
// (blue, green, red, then the unused byte, whose factors are 0): the pixel
// moves to t + (d - t) * up / 65536 above the text value and
// t - (t - d) * down / 65536 below it, rounded down.  With up the ratio
// (hi - t) / (255 - t) rounded up to 16 bits, that equals the rule exactly for
// every d (the error stays below 1 / (255 - t) at d - t <= 255), with one
// 16-bit multiply a channel.  The one ratio of 1, (t - lo) / t where lo is 0
// (a text value of 1 to 3), does not fit: its bit in `whole` is set instead.
struct alignas(16) LevelFactors {
    std::array<std::uint16_t, 4> up;
    std::array<std::uint16_t, 4> down;
};

// Two neighbouring pixels' factors, as the vector paths load them: the up
// factors of both (the first pixel's four lanes, then the second's), then the
// down factors.
struct alignas(32) PairFactors {
    std::array<std::uint16_t, 8> up;
    std::array<std::uint16_t, 8> down;
};

// The index in GlyphShades::pairs of two neighbouring levels: a level's low
// four bits tell it apart, since FULL_LEVEL shares 0's factors (both 0: the
// text colour; level 0 then keeps the pixel, level 1 is not drawn).
constexpr unsigned pair_index(unsigned first, unsigned second) {
    return (first & 15u) | (second & 15u) << 4;
}

// The factors of every level for one text colour (0x00RRGGBB), and of every
// pair of levels.
struct GlyphShades {
    explicit GlyphShades(std::uint32_t value);

    std::uint32_t value;
    std::array<LevelFactors, FULL_LEVEL + 1> level;
    std::array<std::uint8_t, FULL_LEVEL + 1> whole;  // bit c: channel c's down ratio is 1
    bool fits_16_bits;                               // no bit of `whole` is set
    std::array<PairFactors, 256> pairs;

    // A colour pixels were last shaded over, and the result at each level
    // (at index level - 1, level 0 at 0): kept by the eight-pixel path, which
    // looks levels up there for groups of pixels all of that colour, as most
    // text is drawn over.
    struct Over {
        std::uint32_t pixel;
        std::array<std::uint32_t, 16> shaded;
    };
    mutable Over over;
};

// Pixel p under coverage `level` (0, or 2..FULL_LEVEL) of text shaded by `s`.
inline std::uint32_t shade_pixel(std::uint32_t p, unsigned level, const GlyphShades& s) {
    if (level == 0) return p;
    const LevelFactors& f = s.level[level];
    std::uint32_t out = 0;
    for (unsigned c = 0; c < 3; ++c) {
        const std::uint32_t t = (s.value >> (8 * c)) & 0xFFu;
        const std::uint32_t d = (p >> (8 * c)) & 0xFFu;
        const std::uint32_t down = f.down[c] + (((s.whole[level] >> c) & 1u) << 16);
        // One of the two distances is 0: no branch on which side d is.
        const std::uint32_t above = std::max(d, t) - t, below = t - std::min(d, t);
        const std::uint32_t v = t + ((above * f.up[c]) >> 16) - ((below * down) >> 16);
        out |= v << (8 * c);
    }
    return out;
}

}  // namespace tovik::raster
