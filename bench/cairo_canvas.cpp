#include "cairo_canvas.h"

#include <cairo-ft.h>

#include <string>

namespace bench {

using tovik::Colour;

CairoCanvas::CairoCanvas(int width, int height, const std::string& font_file)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)),
      cr_(cairo_create(surface_)) {
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
    cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_EVEN_ODD);
    if (!font_file.empty() && FT_Init_FreeType(&library_) == 0 &&
        FT_New_Face(library_, font_file.c_str(), 0, &face_) == 0) {
        font_face_ = cairo_ft_font_face_create_for_ft_face(face_, 0);
        cairo_set_font_face(cr_, font_face_);
    }
}

CairoCanvas::~CairoCanvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
    if (font_face_ != nullptr) cairo_font_face_destroy(font_face_);
    if (face_ != nullptr) FT_Done_Face(face_);
    if (library_ != nullptr) FT_Done_FreeType(library_);
}

void CairoCanvas::colour(Colour c) {
    cairo_set_source_rgb(cr_, tovik::red_of(c) / 255.0, tovik::green_of(c) / 255.0,
                         tovik::blue_of(c) / 255.0);
}

void CairoCanvas::paint_path(const tovik::Pen& pen, const tovik::Brush& brush) {
    if (!brush.null) {
        colour(brush.colour);
        cairo_fill_preserve(cr_);
    }
    colour(pen.colour);
    cairo_set_line_width(cr_, pen.width <= 1 ? 1.0 : static_cast<double>(pen.width));
    cairo_stroke(cr_);
}

// Pixel centres are at half coordinates in cairo.
void CairoCanvas::polygon(std::span<const tovik::Point64> points, const tovik::Pen& pen,
                          const tovik::Brush& brush) {
    if (points.empty()) return;
    for (const tovik::Point64& p : points) {
        cairo_line_to(cr_, static_cast<double>(p.x) + 0.5, static_cast<double>(p.y) + 0.5);
    }
    cairo_close_path(cr_);
    paint_path(pen, brush);
}

void CairoCanvas::rectangle(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b,
                            const tovik::Pen& pen, const tovik::Brush& brush) {
    cairo_rectangle(cr_, static_cast<double>(l) + 0.5, static_cast<double>(t) + 0.5,
                    static_cast<double>(r - l - 1), static_cast<double>(b - t - 1));
    paint_path(pen, brush);
}

void CairoCanvas::ellipse(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b,
                          const tovik::Pen& pen, const tovik::Brush& brush) {
    const double rx = static_cast<double>(r - l - 1) / 2, ry = static_cast<double>(b - t - 1) / 2;
    if (rx <= 0 || ry <= 0) return;
    cairo_save(cr_);
    cairo_translate(cr_, static_cast<double>(l) + 0.5 + rx, static_cast<double>(t) + 0.5 + ry);
    cairo_scale(cr_, rx, ry);
    cairo_new_path(cr_);
    cairo_arc(cr_, 0, 0, 1, 0, 6.283185307179586);
    cairo_restore(cr_);  // the path stays; the pen is stroked unscaled
    paint_path(pen, brush);
}

void CairoCanvas::line(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                       const tovik::Pen& pen) {
    cairo_move_to(cr_, static_cast<double>(x0) + 0.5, static_cast<double>(y0) + 0.5);
    cairo_line_to(cr_, static_cast<double>(x1) + 0.5, static_cast<double>(y1) + 0.5);
    colour(pen.colour);
    cairo_set_line_width(cr_, pen.width <= 1 ? 1.0 : static_cast<double>(pen.width));
    cairo_stroke(cr_);
}

void CairoCanvas::set_pixel(std::int64_t x, std::int64_t y, Colour c) {
    fill_rect(static_cast<int>(x), static_cast<int>(y), static_cast<int>(x) + 1,
              static_cast<int>(y) + 1, c);
}

void CairoCanvas::fill_rect(int l, int t, int r, int b, Colour c) {
    cairo_rectangle(cr_, l, t, r - l, b - t);
    colour(c);
    cairo_fill(cr_);
}

void CairoCanvas::scroll_up(int dy) {
    cairo_surface_flush(surface_);
    cairo_set_source_surface(cr_, surface_, 0, -dy);
    cairo_paint(cr_);
}

void CairoCanvas::use_font(const tovik::FontRequest& font) {
    cairo_set_font_size(cr_, font.height < 0 ? -font.height : font.height > 0 ? font.height : 16);
}

tovik::TextMetrics CairoCanvas::font_metrics(const tovik::FontRequest& font) {
    use_font(font);
    cairo_font_extents_t e;
    cairo_font_extents(cr_, &e);
    return {static_cast<int>(e.ascent + e.descent), static_cast<int>(e.ascent), 0};
}

tovik::Extent CairoCanvas::text_extent(const tovik::FontRequest& font, std::string_view text) {
    if (text.empty()) return {};
    use_font(font);
    const std::string s(text);
    cairo_text_extents_t t;
    cairo_text_extents(cr_, s.c_str(), &t);
    cairo_font_extents_t e;
    cairo_font_extents(cr_, &e);
    return {static_cast<int>(t.x_advance), static_cast<int>(e.ascent + e.descent)};
}

void CairoCanvas::text_out(const tovik::FontRequest& font, std::int64_t x, std::int64_t y,
                           std::string_view text, Colour fg, bool transparent, Colour bg) {
    if (text.empty()) return;
    use_font(font);
    const std::string s(text);
    cairo_font_extents_t e;
    cairo_font_extents(cr_, &e);
    if (!transparent) {
        cairo_text_extents_t t;
        cairo_text_extents(cr_, s.c_str(), &t);
        colour(bg);
        cairo_rectangle(cr_, static_cast<double>(x), static_cast<double>(y), t.x_advance,
                        e.ascent + e.descent);
        cairo_fill(cr_);
    }
    colour(fg);
    cairo_move_to(cr_, static_cast<double>(x), static_cast<double>(y) + e.ascent);
    cairo_show_text(cr_, s.c_str());
}

Colour CairoCanvas::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    cairo_surface_flush(surface_);
    const unsigned char* row =
        cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
    const std::uint32_t p = reinterpret_cast<const std::uint32_t*>(row)[x];
    return tovik::rgb((p >> 16) & 0xFFu, (p >> 8) & 0xFFu, p & 0xFFu);
}

}  // namespace bench
