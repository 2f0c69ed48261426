#include "canvas/glyph_blend.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tovik::raster {

void blend_span_portable(std::uint32_t* pixels, const std::uint8_t* coverage, std::int64_t n,
                         std::uint32_t value) {
    // Red and blue side by side in one word, green on its own; each lane holds
    // at most 255 * 255 + 255 + 128, so no lane spills into the next.
    const std::uint32_t value_rb = value & 0xFF00FFu, value_g = value & 0xFF00u;
    for (std::int64_t i = 0; i < n; ++i) {
        const std::uint32_t a = coverage[i], b = 255 - a, p = pixels[i];
        std::uint32_t rb = value_rb * a + (p & 0xFF00FFu) * b + 0x800080u;
        rb = ((rb + ((rb >> 8) & 0xFF00FFu)) >> 8) & 0xFF00FFu;
        std::uint32_t g = value_g * a + (p & 0xFF00u) * b + 0x8000u;
        g = ((g + ((g >> 8) & 0xFF00u)) >> 8) & 0xFF00u;
        pixels[i] = rb | g;
    }
}

void blend_span(std::uint32_t* pixels, const std::uint8_t* coverage, std::int64_t n,
                std::uint32_t value) {
    std::int64_t i = 0;
#if defined(__SSE2__)
    // Four pixels at a time, every channel a 16-bit lane: the products fit, and
    // (t + 128 + ((t + 128) >> 8)) >> 8 is the rounded division by 255.
    const __m128i zero = _mm_setzero_si128();
    const __m128i colour = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(value)), zero);
    const __m128i c255 = _mm_set1_epi16(255), c128 = _mm_set1_epi16(128);
    for (; i + 4 <= n; i += 4) {
        std::uint32_t four = 0;
        std::memcpy(&four, coverage + i, 4);
        __m128i a = _mm_cvtsi32_si128(static_cast<int>(four));
        a = _mm_unpacklo_epi8(a, a);
        a = _mm_unpacklo_epi16(a, a);  // each coverage byte repeated for the four channels
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + i));
        const __m128i a_lo = _mm_unpacklo_epi8(a, zero), a_hi = _mm_unpackhi_epi8(a, zero);
        const __m128i p_lo = _mm_unpacklo_epi8(p, zero), p_hi = _mm_unpackhi_epi8(p, zero);
        __m128i lo = _mm_add_epi16(_mm_mullo_epi16(colour, a_lo),
                                   _mm_mullo_epi16(p_lo, _mm_sub_epi16(c255, a_lo)));
        __m128i hi = _mm_add_epi16(_mm_mullo_epi16(colour, a_hi),
                                   _mm_mullo_epi16(p_hi, _mm_sub_epi16(c255, a_hi)));
        lo = _mm_add_epi16(lo, c128);
        hi = _mm_add_epi16(hi, c128);
        lo = _mm_srli_epi16(_mm_add_epi16(lo, _mm_srli_epi16(lo, 8)), 8);
        hi = _mm_srli_epi16(_mm_add_epi16(hi, _mm_srli_epi16(hi, 8)), 8);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + i), _mm_packus_epi16(lo, hi));
    }
#endif
    blend_span_portable(pixels + i, coverage + i, n - i, value);
}

}  // namespace tovik::raster
