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

// Blends `value` over n pixels with the glyph's coverage: per channel
// round((value * a + pixel * (255 - a)) / 255), red and blue side by side in
// one word.
void blend_run(std::uint32_t* pixels, const std::uint8_t* coverage, std::int64_t n,
               std::uint32_t value) {
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
            std::uint32_t* line = pixels_.data() + row * width_;
            const std::uint8_t* cover = g.coverage.data() + (row - gy) * g.width;
            for (std::uint32_t i = g.row_runs[r]; i < g.row_runs[r + 1]; ++i) {
                const text::InkRun& run = g.runs[i];
                const std::int64_t c0 = std::max(col0, gx + run.x0);
                const std::int64_t c1 = std::min(col1, gx + run.x1);
                if (c0 >= c1) continue;
                if (run.solid) {
                    std::fill(line + c0, line + c1, value);
                } else {
                    blend_run(line + c0, cover + (c0 - gx), c1 - c0, value);
                }
                counters_.pixel_writes += static_cast<std::uint64_t>(c1 - c0);
            }
        }
    }
}

}  // namespace tovik
