// Text: cells of the FreeType face the request names, the top-left of the
// first cell at the given point, the baseline `ascent` rows below it.  Glyph
// coverage is blended onto the pixels under them, so pixels a glyph does not
// cover keep their colour (transparent background); aliased sizes cover fully
// or not at all.  Drawing moves the pen by the advances of the mode it draws
// in, while a measured extent adds up the unhinted ones, as the platform does.
#include <algorithm>
#include <limits>

#include "canvas/box_spans.h"
#include "canvas/exact_math.h"
#include "canvas/font_cache.h"
#include "canvas/glyph_blend.h"
#include "canvas/glyph_shades.h"
#include "canvas/pixel_format.h"
#include "canvas/software_canvas.h"

namespace tovik {

namespace {

// The sum over the text of one of its glyphs' advances.
std::int64_t advance_sum(text::SizedFont& font, std::string_view s,
                         int text::Glyph::*advance = &text::Glyph::advance) {
    std::int64_t width = 0;
    for (const char c : s) width += font.glyph(static_cast<unsigned char>(c)).*advance;
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
        std::min<std::int64_t>(advance_sum(*f, s, &text::Glyph::measure),
                               std::numeric_limits<int>::max());
    return {static_cast<int>(width), f->ascent() + f->descent()};
}

const raster::GlyphShades& SoftwareCanvas::shades(Colour colour) {
    const std::uint32_t value = raster::to_pixel(colour);
    if (!shades_ || shades_->value != value) shades_ = std::make_unique<raster::GlyphShades>(value);
    return *shades_;
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
        // The cells are as wide as the text's measured extent, which at hinted
        // sizes is not where the pen ends.
        raster::fill_box(cells, x, y, x + advance_sum(*f, s, &text::Glyph::measure),
                         y + f->ascent() + f->descent());
        account(cells);
    }
    const raster::GlyphShades& ink = shades(foreground);
    const std::int64_t baseline = y + f->ascent();
    std::int64_t pen = x;
    for (const char c : s) {
        const text::Glyph& g = f->glyph(static_cast<unsigned char>(c));
        const raster::BlendCount n =
            raster::blend_glyph(pixels_.data(), width_, height_, g, pen + g.left, baseline - g.top, ink);
        counters_.pixel_writes += n.pixels;
        counters_.steps += n.rows;
        pen += g.advance;
    }
}

}  // namespace tovik
