// Text: cells of the FreeType face the request names, the top-left of the
// first cell at the given point, the baseline `ascent` rows below it.  Glyphs
// are anti-aliased: their coverage is blended onto the pixels under them, and
// pixels a glyph does not cover are never touched (transparent background).
#include <algorithm>
#include <limits>

#include "canvas/box_spans.h"
#include "canvas/exact_math.h"
#include "canvas/font_cache.h"
#include "canvas/pixel_format.h"
#include "canvas/software_canvas.h"

namespace tovik {

namespace {

// round(v / 255) for v in 0..255*255.
constexpr std::uint32_t div255(std::uint32_t v) { return (v + 128 + ((v + 128) >> 8)) >> 8; }

std::int64_t advance_sum(text::SizedFont& font, std::string_view s) {
    std::int64_t width = 0;
    for (const char c : s) width += font.glyph(static_cast<unsigned char>(c)).advance;
    return width;
}

}  // namespace

TextMetrics SoftwareCanvas::font_metrics(const FontRequest& font) {
    text::SizedFont* f = text::find_font(font);
    if (f == nullptr) return {};
    return {f->ascent() + f->descent(), f->ascent(), f->external_leading()};
}

Extent SoftwareCanvas::text_extent(const FontRequest& font, std::string_view s) {
    if (s.empty()) return {};
    text::SizedFont* f = text::find_font(font);
    if (f == nullptr) return {};
    const std::int64_t width = std::min<std::int64_t>(advance_sum(*f, s), std::numeric_limits<int>::max());
    return {static_cast<int>(width), f->ascent() + f->descent()};
}

void SoftwareCanvas::blend(int x, int y, std::uint32_t value, unsigned coverage) {
    std::uint32_t& p = pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                               static_cast<std::size_t>(x)];
    if (coverage >= 255) {
        p = value;
    } else {
        const std::uint32_t a = coverage, b = 255 - coverage;
        std::uint32_t out = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            const std::uint32_t f = (value >> shift) & 0xFFu, d = (p >> shift) & 0xFFu;
            out |= div255(f * a + d * b) << shift;
        }
        p = out;
    }
    ++counters_.pixel_writes;
}

void SoftwareCanvas::text_out(const FontRequest& font, std::int64_t x, std::int64_t y,
                              std::string_view s, Colour foreground, bool transparent,
                              Colour background) {
    if (s.empty()) return;
    text::SizedFont* f = text::find_font(font);
    if (f == nullptr) return;
    x = raster::clamp_coord(x);
    y = raster::clamp_coord(y);
    if (!transparent) {
        raster::PixelWriter cells = writer(background);
        raster::fill_box(cells, x, y, x + advance_sum(*f, s), y + f->ascent() + f->descent());
        account(cells);
    }
    const std::uint32_t value = raster::to_pixel(foreground);
    const std::int64_t baseline = y + f->ascent();
    std::int64_t pen = x;
    for (const char c : s) {
        const text::Glyph& g = f->glyph(static_cast<unsigned char>(c));
        const std::int64_t gx = pen + g.left, gy = baseline - g.top;
        pen += g.advance;
        const std::int64_t col0 = std::max<std::int64_t>(gx, 0);
        const std::int64_t col1 = std::min<std::int64_t>(gx + g.width, width_);
        const std::int64_t row0 = std::max<std::int64_t>(gy, 0);
        const std::int64_t row1 = std::min<std::int64_t>(gy + g.rows, height_);
        for (std::int64_t row = row0; row < row1 && col0 < col1; ++row) {
            ++counters_.steps;
            const std::uint8_t* cover = g.coverage.data() + (row - gy) * g.width;
            for (std::int64_t col = col0; col < col1; ++col) {
                const unsigned c = cover[col - gx];
                if (c != 0) blend(static_cast<int>(col), static_cast<int>(row), value, c);
            }
        }
    }
}

}  // namespace tovik
