// The peer: the same drawing calls made with cairo on an image surface of the
// same size, antialiasing off for shapes, text through cairo's FreeType face
// of the benchmark's font file.  It draws the same shapes, not the same pixels.
#pragma once

#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>

#include "canvas.h"

namespace bench {

class CairoCanvas final : public tovik::Canvas {
public:
    CairoCanvas(int width, int height, const std::string& font_file);
    ~CairoCanvas() override;
    CairoCanvas(const CairoCanvas&) = delete;
    CairoCanvas& operator=(const CairoCanvas&) = delete;

    int width() const override { return width_; }
    int height() const override { return height_; }
    void polygon(std::span<const tovik::Point64> points, const tovik::Pen& pen,
                 const tovik::Brush& brush) override;
    void rectangle(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b,
                   const tovik::Pen& pen, const tovik::Brush& brush) override;
    void ellipse(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b,
                 const tovik::Pen& pen, const tovik::Brush& brush) override;
    void line(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
              const tovik::Pen& pen) override;
    void set_pixel(std::int64_t x, std::int64_t y, tovik::Colour colour) override;
    void fill_rect(int l, int t, int r, int b, tovik::Colour colour) override;
    void scroll_up(int dy) override;
    tovik::TextMetrics font_metrics(const tovik::FontRequest& font) override;
    tovik::Extent text_extent(const tovik::FontRequest& font, std::string_view text) override;
    void text_out(const tovik::FontRequest& font, std::int64_t x, std::int64_t y,
                  std::string_view text, tovik::Colour fg, bool transparent,
                  tovik::Colour bg) override;
    tovik::Colour pixel(int x, int y) const override;

private:
    void colour(tovik::Colour c);
    // Brush, then the pen along the current path (a width-0 pen is one pixel wide).
    void paint_path(const tovik::Pen& pen, const tovik::Brush& brush);
    void use_font(const tovik::FontRequest& font);

    int width_;
    int height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
    cairo_font_face_t* font_face_ = nullptr;
};

}  // namespace bench
