// The software canvas: a 32-bit image in memory that follows the platform's
// pixel rules for shapes, pens and brushes, with text from FreeType.
#pragma once

#include <cstdint>
#include <vector>

#include "canvas.h"

namespace tovik {

class SoftwareCanvas final : public Canvas {
public:
    SoftwareCanvas(int width, int height);

    // Row after row of 0x00RRGGBB pixels, rows stride() pixels apart.
    const std::uint32_t* data() const { return pixels_.data(); }
    int stride() const { return width_; }

    int width() const override { return width_; }
    int height() const override { return height_; }

    void polygon(std::span<const Point64> points, const Pen& pen, const Brush& brush) override;
    void rectangle(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                   const Pen& pen, const Brush& brush) override;
    void ellipse(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                 const Pen& pen, const Brush& brush) override;
    void line(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
              const Pen& pen) override;
    void set_pixel(std::int64_t x, std::int64_t y, Colour colour) override;
    void fill_rect(int left, int top, int right, int bottom, Colour colour) override;
    void scroll_up(int dy) override;

    TextMetrics font_metrics(const FontRequest& font) override;
    Extent text_extent(const FontRequest& font, std::string_view text) override;
    void text_out(const FontRequest& font, std::int64_t x, std::int64_t y, std::string_view text,
                  Colour foreground, bool transparent, Colour background) override;

    Colour pixel(int x, int y) const override;

private:
    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;
};

}  // namespace tovik
