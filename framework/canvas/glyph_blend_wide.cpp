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

// Every channel a 16-bit lane, as blend_span's four-pixel groups; unpacking
// bytes works within each 128-bit half, so one register holds pixels 0, 1 and
// 4, 5, the other 2, 3 and 6, 7, each pair with its pair of levels' factors.
class WideBlender {
public:
    static constexpr std::int64_t GROUP = 8;

    explicit WideBlender(const GlyphShades& shades)
        : shades_(shades),
          solid_(_mm256_set1_epi32(static_cast<int>(shades.value))),
          text_(_mm256_unpacklo_epi8(solid_, _mm256_setzero_si256())) {}

    const GlyphShades& shades() const { return shades_; }

    [[gnu::always_inline]] void group(std::uint32_t* pixels, const std::uint8_t* coverage) const {
        std::uint64_t eight = 0;
        std::memcpy(&eight, coverage, 8);
        if (eight == 0) return;
        if (eight == 0x0101010101010101u * FULL_LEVEL) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(pixels), solid_);
            return;
        }
        const __m256i zero = _mm256_setzero_si256();
        const __m256i p = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pixels));
        // Pixels of level 0 keep their colour.
        const __m256i keep = _mm256_cmpeq_epi32(
            _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(coverage))), zero);
        const std::uint64_t low = eight & 0x0F0F0F0F0F0F0F0Fu, pairs = low | low >> 4;
        if (low == 0) {  // aliased text: every pixel none or full
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(pixels), _mm256_blendv_epi8(solid_, p, keep));
            return;
        }
        const __m256i f01 = factors(pairs), f23 = factors(pairs >> 16);
        const __m256i f45 = factors(pairs >> 32), f67 = factors(pairs >> 48);
        const __m256i lo = shade(_mm256_unpacklo_epi8(p, zero),
                                 _mm256_permute2x128_si256(f01, f45, 0x20),
                                 _mm256_permute2x128_si256(f01, f45, 0x31));
        const __m256i hi = shade(_mm256_unpackhi_epi8(p, zero),
                                 _mm256_permute2x128_si256(f23, f67, 0x20),
                                 _mm256_permute2x128_si256(f23, f67, 0x31));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(pixels),
                            _mm256_blendv_epi8(_mm256_packus_epi16(lo, hi), p, keep));
    }

private:
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
};

}  // namespace

BlendCount blend_glyph_wide(std::uint32_t* image, int width, int height, const text::Glyph& g,
                            std::int64_t x, std::int64_t y, const GlyphShades& shades) {
    return blit_glyph(WideBlender(shades), image, width, height, g, x, y);
}
#endif

}  // namespace tovik::raster
