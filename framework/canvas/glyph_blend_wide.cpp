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

// Per channel, with a the coverage and b = 255 - a, the bytes (a, b) times the
// signed bytes (value - 128, pixel - 128) summed pairwise give
// a * value + b * pixel - 128 * 255, within 16 bits; adding 128 * 255 + 1
// gives t + 1, and (x * 257) >> 16 equals (x + (x >> 8)) >> 8 for 16-bit x:
// t / 255 rounded down.
class WideBlender {
public:
    static constexpr std::int64_t GROUP = 8;

    explicit WideBlender(std::uint32_t value)
        : value_(value),
          solid_(_mm256_set1_epi32(static_cast<int>(value))),
          colour_(_mm256_set1_epi32(static_cast<int>(value ^ 0x80808080u))),
          // Coverage pairs (a, b) of pixels 0, 1 | 4, 5 and 2, 3 | 6, 7, each
          // repeated for the four channels of its pixel.
          low_pairs_(_mm256_setr_epi8(0, 1, 0, 1, 0, 1, 0, 1, 2, 3, 2, 3, 2, 3, 2, 3,  //
                                      8, 9, 8, 9, 8, 9, 8, 9, 10, 11, 10, 11, 10, 11, 10, 11)),
          high_pairs_(_mm256_setr_epi8(4, 5, 4, 5, 4, 5, 4, 5, 6, 7, 6, 7, 6, 7, 6, 7,  //
                                       12, 13, 12, 13, 12, 13, 12, 13, 14, 15, 14, 15, 14, 15,
                                       14, 15)) {}

    std::uint32_t value() const { return value_; }

    [[gnu::always_inline]] void group(std::uint32_t* pixels, const std::uint8_t* coverage) const {
        std::uint64_t eight = 0;
        std::memcpy(&eight, coverage, 8);
        if (eight == 0) return;
        if (eight == ~std::uint64_t{0}) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(pixels), solid_);
            return;
        }
        const __m128i a = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(coverage));
        const __m256i pairs = _mm256_broadcastsi128_si256(
            _mm_unpacklo_epi8(a, _mm_xor_si128(a, _mm_set1_epi8(-1))));
        const __m256i p = _mm256_xor_si256(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pixels)), _mm256_set1_epi8(-128));
        const __m256i bias = _mm256_set1_epi16(128 * 255 + 1), div = _mm256_set1_epi16(257);
        __m256i lo = _mm256_maddubs_epi16(_mm256_shuffle_epi8(pairs, low_pairs_),
                                          _mm256_unpacklo_epi8(colour_, p));
        __m256i hi = _mm256_maddubs_epi16(_mm256_shuffle_epi8(pairs, high_pairs_),
                                          _mm256_unpackhi_epi8(colour_, p));
        lo = _mm256_mulhi_epu16(_mm256_add_epi16(lo, bias), div);
        hi = _mm256_mulhi_epu16(_mm256_add_epi16(hi, bias), div);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(pixels), _mm256_packus_epi16(lo, hi));
    }

private:
    std::uint32_t value_;
    __m256i solid_, colour_, low_pairs_, high_pairs_;
};

}  // namespace

BlendCount blend_glyph_wide(std::uint32_t* image, int width, int height, const text::Glyph& g,
                            std::int64_t x, std::int64_t y, std::uint32_t value) {
    return blit_glyph(WideBlender(value), image, width, height, g, x, y);
}
#endif

}  // namespace tovik::raster
