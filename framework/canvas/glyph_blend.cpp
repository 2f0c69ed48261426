#include "canvas/glyph_blend.h"

#include <cstring>

#include "canvas/glyph_blit.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tovik::raster {

void blend_span_portable(std::uint32_t* pixels, const std::uint8_t* coverage, std::int64_t n,
                         std::uint32_t value) {
    for (std::int64_t i = 0; i < n; ++i) pixels[i] = blend_pixel(pixels[i], coverage[i], value);
}

namespace {

// Blends runs of pixels in groups: a group of zero coverage is left alone, one
// of full coverage is stored, any other is blended.
#if defined(__SSE2__)
// Four pixels at a time, every channel a 16-bit lane: the products fit, and
// (t + 1 + ((t + 1) >> 8)) >> 8 is t / 255 rounded down.
class GroupBlender {
public:
    static constexpr std::int64_t GROUP = 4;

    explicit GroupBlender(std::uint32_t value)
        : value_(value),
          solid_(_mm_set1_epi32(static_cast<int>(value))),
          colour_(_mm_unpacklo_epi8(solid_, _mm_setzero_si128())) {}

    std::uint32_t value() const { return value_; }

    [[gnu::always_inline]] void group(std::uint32_t* pixels, const std::uint8_t* coverage) const {
        std::uint32_t four = 0;
        std::memcpy(&four, coverage, 4);
        if (four == 0) return;
        if (four == 0xFFFFFFFFu) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels), solid_);
            return;
        }
        const __m128i zero = _mm_setzero_si128();
        const __m128i c255 = _mm_set1_epi16(255), one = _mm_set1_epi16(1);
        __m128i a = _mm_cvtsi32_si128(static_cast<int>(four));
        a = _mm_unpacklo_epi8(a, a);
        a = _mm_unpacklo_epi16(a, a);  // each coverage byte repeated for the four channels
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels));
        const __m128i a_lo = _mm_unpacklo_epi8(a, zero), a_hi = _mm_unpackhi_epi8(a, zero);
        const __m128i p_lo = _mm_unpacklo_epi8(p, zero), p_hi = _mm_unpackhi_epi8(p, zero);
        __m128i lo = _mm_add_epi16(_mm_mullo_epi16(colour_, a_lo),
                                   _mm_mullo_epi16(p_lo, _mm_sub_epi16(c255, a_lo)));
        __m128i hi = _mm_add_epi16(_mm_mullo_epi16(colour_, a_hi),
                                   _mm_mullo_epi16(p_hi, _mm_sub_epi16(c255, a_hi)));
        lo = _mm_add_epi16(lo, one);
        hi = _mm_add_epi16(hi, one);
        lo = _mm_srli_epi16(_mm_add_epi16(lo, _mm_srli_epi16(lo, 8)), 8);
        hi = _mm_srli_epi16(_mm_add_epi16(hi, _mm_srli_epi16(hi, 8)), 8);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels), _mm_packus_epi16(lo, hi));
    }

private:
    std::uint32_t value_;
    __m128i solid_, colour_;
};
#else
class GroupBlender {
public:
    static constexpr std::int64_t GROUP = 1;
    explicit GroupBlender(std::uint32_t value) : value_(value) {}
    std::uint32_t value() const { return value_; }
    [[gnu::always_inline]] void group(std::uint32_t* pixels, const std::uint8_t* coverage) const {
        if (*coverage != 0) *pixels = blend_pixel(*pixels, *coverage, value_);
    }

private:
    std::uint32_t value_;
};
#endif

}  // namespace

void blend_span(std::uint32_t* pixels, const std::uint8_t* coverage, std::int64_t n,
                std::uint32_t value) {
    blend_run(GroupBlender(value), pixels, coverage, n, n, n);
}

BlendCount blend_glyph(std::uint32_t* image, int width, int height, const text::Glyph& g,
                       std::int64_t x, std::int64_t y, std::uint32_t value) {
#if TOVIK_WIDE_BLEND
    static const bool wide = __builtin_cpu_supports("avx2");
    if (wide) return blend_glyph_wide(image, width, height, g, x, y, value);
#endif
    return blit_glyph(GroupBlender(value), image, width, height, g, x, y);
}

}  // namespace tovik::raster
