#include "canvas/glyph_blend.h"

#include <cstring>

#include "canvas/glyph_blit.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tovik::raster {

void blend_span_portable(std::uint32_t* pixels, const std::uint8_t* coverage, std::int64_t n,
                         const GlyphShades& shades) {
    for (std::int64_t i = 0; i < n; ++i) pixels[i] = shade_pixel(pixels[i], coverage[i], shades);
}

namespace {

// Blends runs of pixels in groups: a group of zero coverage is left alone, one
// of full coverage is stored, any other is shaded.
#if defined(__SSE2__)
// Four pixels at a time, every channel a 16-bit lane, each pair of pixels
// with its pair of levels' factors.
class GroupBlender {
public:
    static constexpr std::int64_t GROUP = 4;

    explicit GroupBlender(const GlyphShades& shades)
        : shades_(shades),
          solid_(_mm_set1_epi32(static_cast<int>(shades.value))),
          text_(_mm_unpacklo_epi8(solid_, _mm_setzero_si128())) {}

    const GlyphShades& shades() const { return shades_; }

    [[gnu::always_inline]] void group(std::uint32_t* pixels, const std::uint8_t* coverage) const {
        std::uint32_t four = 0;
        std::memcpy(&four, coverage, 4);
        if (four == 0) return;
        if (four == 0x01010101u * FULL_LEVEL) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels), solid_);
            return;
        }
        const std::uint32_t low = four & 0x0F0F0F0Fu, pairs = low | low >> 4;
        const PairFactors& f01 = shades_.pairs[pairs & 0xFFu];
        const PairFactors& f23 = shades_.pairs[(pairs >> 16) & 0xFFu];
        const __m128i zero = _mm_setzero_si128();
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels));
        const __m128i lo = shade(_mm_unpacklo_epi8(p, zero), f01);
        const __m128i hi = shade(_mm_unpackhi_epi8(p, zero), f23);
        // Pixels of level 0 keep their colour.
        __m128i a = _mm_cvtsi32_si128(static_cast<int>(four));
        a = _mm_unpacklo_epi8(a, a);
        const __m128i keep = _mm_cmpeq_epi32(_mm_unpacklo_epi16(a, a), zero);
        const __m128i shaded = _mm_packus_epi16(lo, hi);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels),
                         _mm_or_si128(_mm_and_si128(keep, p), _mm_andnot_si128(keep, shaded)));
    }

private:
    // Two pixels' channels moved towards the text's by their factors.
    [[gnu::always_inline]] __m128i shade(__m128i d, const PairFactors& f) const {
        const __m128i up = _mm_load_si128(reinterpret_cast<const __m128i*>(f.up.data()));
        const __m128i down = _mm_load_si128(reinterpret_cast<const __m128i*>(f.down.data()));
        const __m128i above = _mm_subs_epu16(d, text_), below = _mm_subs_epu16(text_, d);
        return _mm_sub_epi16(_mm_add_epi16(text_, _mm_mulhi_epu16(above, up)),
                             _mm_mulhi_epu16(below, down));
    }

    const GlyphShades& shades_;
    __m128i solid_, text_;
};
#else
using GroupBlender = PixelBlender;
#endif

}  // namespace

void blend_span(std::uint32_t* pixels, const std::uint8_t* coverage, std::int64_t n,
                const GlyphShades& shades) {
    if (!shades.fits_16_bits) return blend_run(PixelBlender(shades), pixels, coverage, n, n, n);
    blend_run(GroupBlender(shades), pixels, coverage, n, n, n);
}

BlendCount blend_glyph(std::uint32_t* image, int width, int height, const text::Glyph& g,
                       std::int64_t x, std::int64_t y, const GlyphShades& shades) {
    if (!shades.fits_16_bits) return blit_glyph(PixelBlender(shades), image, width, height, g, x, y);
#if TOVIK_WIDE_BLEND
    static const bool wide = __builtin_cpu_supports("avx2");
    if (wide) return blend_glyph_wide(image, width, height, g, x, y, shades);
#endif
    return blit_glyph(GroupBlender(shades), image, width, height, g, x, y);
}

}  // namespace tovik::raster
