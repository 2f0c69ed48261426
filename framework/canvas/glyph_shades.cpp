#include "canvas/glyph_shades.h"

#include <algorithm>

namespace tovik::raster {

namespace {

constexpr std::array<std::uint32_t, FULL_LEVEL + 1> RAMP = {
    0, 77, 104, 124, 140, 154, 167, 178, 189, 199, 208, 217, 225, 233, 240, 248, 255};

// k / n as a factor of 65536 rounded up; 0 for n = 0, which no pixel uses.
constexpr std::uint32_t factor(std::uint32_t k, std::uint32_t n) {
    return n == 0 ? 0 : ((k << 16) + n - 1) / n;
}

struct ChannelFactors {
    std::uint16_t up, down;
    bool whole;  // the down ratio is 1
};

// Per text value and level, worked out once, when the program is built:
// text is drawn often, in few colours.
constexpr auto FACTORS = [] {
    std::array<std::array<ChannelFactors, FULL_LEVEL + 1>, 256> table{};
    for (std::uint32_t t = 0; t < 256; ++t) {
        for (std::uint32_t l = 2; l <= FULL_LEVEL; ++l) {
            const std::uint32_t lo = RAMP[l] * t / 255;
            const std::uint32_t hi = RAMP[FULL_LEVEL - l] + (255 - RAMP[FULL_LEVEL - l]) * t / 255;
            const std::uint32_t down = factor(t - lo, t);
            table[t][l] = {static_cast<std::uint16_t>(factor(hi - t, 255 - t)),
                           static_cast<std::uint16_t>(down), down > 0xFFFFu};
        }
    }
    return table;
}();

}  // namespace

GlyphShades::GlyphShades(std::uint32_t v)
    : value(v & 0xFFFFFFu), level{}, whole{}, fits_16_bits(true), pairs{}, over{} {
    for (unsigned c = 0; c < 3; ++c) {
        const auto& factors = FACTORS[(value >> (8 * c)) & 0xFFu];
        for (std::uint32_t l = 2; l <= FULL_LEVEL; ++l) {
            level[l].up[c] = factors[l].up;
            level[l].down[c] = factors[l].down;
            if (!factors[l].whole) continue;
            whole[l] = static_cast<std::uint8_t>(whole[l] | (1u << c));
            fits_16_bits = false;
        }
    }
    for (unsigned a = 0; a < 16; ++a) {
        for (unsigned b = 0; b < 16; ++b) {
            PairFactors& f = pairs[pair_index(a, b)];
            std::copy_n(level[a].up.begin(), 4, f.up.begin());
            std::copy_n(level[b].up.begin(), 4, f.up.begin() + 4);
            std::copy_n(level[a].down.begin(), 4, f.down.begin());
            std::copy_n(level[b].down.begin(), 4, f.down.begin() + 4);
        }
    }
    for (unsigned i = 0; i < 16; ++i) over.shaded[i] = shade_pixel(over.pixel, i == 0 ? 0 : i + 1, *this);
}

}  // namespace tovik::raster
