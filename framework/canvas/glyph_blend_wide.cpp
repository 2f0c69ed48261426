// Glyph blending eight pixels at a time with AVX2, for processors that have it
// (blend_glyph asks when the program runs, so the build still runs on any
// x86-64).  The result is the same as blend_span's to the bit.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "canvas/glyph_blend.h"

// Everything defined from here on may use AVX2; the library templates above
// keep the plain instructions.
#if TOVIK_WIDE_BLEND
#pragma GCC target("avx2")
#include <immintrin.h>
#endif

#include "canvas/glyph_blit.h"

namespace tovik::raster {

#if TOVIK_WIDE_BLEND
namespace {

// Most glyph pixels are drawn over one colour (the sky, a panel, a fill),
// and there a level's result is the same for every pixel: each group of
// eight pixels of the colour last met takes its results from a table of the
// sixteen, two registers long, worked out when the colour changes.  Other
// groups are shaded channel by channel, every channel a 16-bit lane, as
// blend_span's four-pixel groups; unpacking bytes works within each 128-bit
// half, so one register holds pixels 0, 1 and 4, 5, the other 2, 3 and 6, 7,
// each pair with its pair of levels' factors.
class WideBlender {
public:
    static constexpr std::int64_t GROUP = 8;

    explicit WideBlender(const GlyphShades& shades)
        : shades_(shades),
          solid_(_mm256_set1_epi32(static_cast<int>(shades.value))),
          text_(_mm256_unpacklo_epi8(solid_, _mm256_setzero_si256())),
          over_(_mm256_set1_epi32(static_cast<int>(shades.over.pixel))),
          over_low_(load(shades.over.shaded.data())),
          over_high_(load(shades.over.shaded.data() + 8)) {}

    const GlyphShades& shades() const { return shades_; }

    [[gnu::always_inline]] void group(std::uint32_t* pixels, const std::uint8_t* coverage) {
        std::uint64_t eight = 0;
        std::memcpy(&eight, coverage, 8);
        if (eight == 0) return;
        if (eight == 0x0101010101010101u * FULL_LEVEL) {
            store(pixels, solid_);
            return;
        }
        const __m128i levels = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(coverage));
        const __m256i p = load(pixels);
        if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(p, over_)) != -1) {
            const __m256i first = _mm256_broadcastd_epi32(_mm256_castsi256_si128(p));
            if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(p, first)) != -1) {
                store(pixels, shaded(p, eight, levels));
                return;
            }
            remember(first);
        }
        // The table's index: the level less one, level 0 staying 0.
        const __m256i index = _mm256_cvtepu8_epi32(_mm_subs_epu8(levels, _mm_set1_epi8(1)));
        const __m256 low = _mm256_castsi256_ps(_mm256_permutevar8x32_epi32(over_low_, index));
        const __m256 high = _mm256_castsi256_ps(_mm256_permutevar8x32_epi32(over_high_, index));
        const __m256 upper = _mm256_castsi256_ps(_mm256_slli_epi32(index, 28));
        store(pixels, _mm256_castps_si256(_mm256_blendv_ps(low, high, upper)));
    }

private:
    static __m256i load(const std::uint32_t* p) {
        return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    }
    static void store(std::uint32_t* p, __m256i v) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
    }

    // The table for a new colour, kept in `shades` for the next glyph: the
    // colour shaded at levels 0, 2, ..., 8 and 9, ..., 16.
    void remember(__m256i colour) {
        constexpr std::uint64_t LOW = 0x0807060504030200u, HIGH = 0x100F0E0D0C0B0A09u;
        over_ = colour;
        over_low_ = shaded(colour, LOW, _mm_cvtsi64_si128(static_cast<long long>(LOW)));
        over_high_ = shaded(colour, HIGH, _mm_cvtsi64_si128(static_cast<long long>(HIGH)));
        GlyphShades::Over& kept = shades_.over;
        kept.pixel = static_cast<std::uint32_t>(_mm256_cvtsi256_si32(colour));
        store(kept.shaded.data(), over_low_);
        store(kept.shaded.data() + 8, over_high_);
    }

    // Pixels p under the eight levels (`eight` as bytes, `levels` in a register).
    [[gnu::always_inline]] __m256i shaded(__m256i p, std::uint64_t eight, __m128i levels) const {
        const __m256i zero = _mm256_setzero_si256();
        // Pixels of level 0 keep their colour.
        const __m256i keep = _mm256_cmpeq_epi32(_mm256_cvtepu8_epi32(levels), zero);
        const std::uint64_t low = eight & 0x0F0F0F0F0F0F0F0Fu;
        if (low == 0) return _mm256_blendv_epi8(solid_, p, keep);  // aliased: every pixel none or full
        const std::uint64_t pairs = low | low >> 4;
        const __m256i f01 = factors(pairs), f23 = factors(pairs >> 16);
        const __m256i f45 = factors(pairs >> 32), f67 = factors(pairs >> 48);
        const __m256i lo = shade(_mm256_unpacklo_epi8(p, zero),
                                 _mm256_permute2x128_si256(f01, f45, 0x20),
                                 _mm256_permute2x128_si256(f01, f45, 0x31));
        const __m256i hi = shade(_mm256_unpackhi_epi8(p, zero),
                                 _mm256_permute2x128_si256(f23, f67, 0x20),
                                 _mm256_permute2x128_si256(f23, f67, 0x31));
        return _mm256_blendv_epi8(_mm256_packus_epi16(lo, hi), p, keep);
    }

    // The factors of the pair of levels whose index is the low byte of `pairs`:
    // their up factors in the low half, their down factors in the high half.
    [[gnu::always_inline]] __m256i factors(std::uint64_t pairs) const {
        return _mm256_load_si256(reinterpret_cast<const __m256i*>(&shades_.pairs[pairs & 0xFFu]));
    }

    [[gnu::always_inline]] __m256i shade(__m256i d, __m256i up, __m256i down) const {
        const __m256i above = _mm256_subs_epu16(d, text_), below = _mm256_subs_epu16(text_, d);
        return _mm256_sub_epi16(_mm256_add_epi16(text_, _mm256_mulhi_epu16(above, up)),
                                _mm256_mulhi_epu16(below, down));
    }

    const GlyphShades& shades_;
    __m256i solid_, text_;
    __m256i over_, over_low_, over_high_;  // the colour last met, and its table
};

}  // namespace

BlendCount blend_glyph_wide(std::uint32_t* image, int width, int height, const text::Glyph& g,
                            std::int64_t x, std::int64_t y, const GlyphShades& shades) {
    WideBlender blender(shades);
    return blit_glyph(blender, image, width, height, g, x, y);
}
#endif

}  // namespace tovik::raster
