// Text: cells of the FreeType face the request names, the top-left of the
// first cell at the given point, the baseline `ascent` rows below it.  Glyphs
// are anti-aliased: their coverage is blended onto the pixels under them, so
// pixels a glyph does not cover keep their colour (transparent background).
#include <algorithm>
#include <limits>

#include "canvas/box_spans.h"
#include "canvas/exact_math.h"
#include "canvas/font_cache.h"
#include "canvas/glyph_blend.h"
#include "canvas/pixel_format.h"
#include "canvas/software_canvas.h"

namespace tovik {

namespace {

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
    const std::int64_t width =
        std::min<std::int64_t>(advance_sum(*f, s), std::numeric_limits<int>::max());
    return {static_cast<int>(width), f->ascent() + f->descent()};
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
            const std::size_t r = static_cast<std::size_t>(row - gy);
            const text::GlyphRow& ink = g.row_ink[r];
            const std::int64_t c0 = std::max(col0, gx + ink.first);
            const std::int64_t c1 = std::min(col1, gx + ink.last);
            if (c0 >= c1) continue;
            const std::uint8_t* cover = g.coverage.data() + (row - gy) * g.stride + (c0 - gx);
            // Whole groups of four where the image row has room for them.
            const std::int64_t whole = (c1 - c0 + text::GLYPH_PAD) & ~std::int64_t{3};
            raster::blend_span(pixels_.data() + row * width_ + c0, cover,
                               c0 + whole <= width_ ? whole : c1 - c0, value);
            // Count the pixels the glyph covers, not the gaps between its strokes.
            counters_.pixel_writes +=
                c1 - c0 == ink.last - ink.first
                    ? static_cast<std::uint64_t>(ink.ink)
                    : static_cast<std::uint64_t>(std::count_if(
                          cover, cover + (c1 - c0), [](std::uint8_t v) { return v != 0; }));
        }
    }
}

}  // namespace tovik
