// Interim canvas: clears, fills and pixels only, so that the core can be built
// and tested while the real rasteriser is written.  Shapes and text draw nothing.
#include "canvas/software_canvas.h"

#include <algorithm>
#include <cstring>

namespace tovik {

namespace {
std::uint32_t to_xrgb(Colour c) { return (red_of(c) << 16) | (green_of(c) << 8) | blue_of(c); }
}  // namespace

SoftwareCanvas::SoftwareCanvas(int width, int height)
    : width_(std::max(0, width)), height_(std::max(0, height)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0) {}

void SoftwareCanvas::polygon(std::span<const Point64>, const Pen&, const Brush&) {}
void SoftwareCanvas::ellipse(std::int64_t, std::int64_t, std::int64_t, std::int64_t, const Pen&,
                             const Brush&) {}
void SoftwareCanvas::line(std::int64_t, std::int64_t, std::int64_t, std::int64_t, const Pen&) {}

void SoftwareCanvas::rectangle(std::int64_t left, std::int64_t top, std::int64_t right,
                               std::int64_t bottom, const Pen& pen, const Brush& brush) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    if (left == right || top == bottom) return;
    const auto clamp = [](std::int64_t v, int hi) { return static_cast<int>(std::clamp<std::int64_t>(v, 0, hi)); };
    if (!brush.null) fill_rect(clamp(left, width_), clamp(top, height_), clamp(right, width_), clamp(bottom, height_), brush.colour);
    for (std::int64_t x = left; x < right; ++x) {
        set_pixel(x, top, pen.colour);
        set_pixel(x, bottom - 1, pen.colour);
        if (x - left > width_ + 1 && x < right - width_ - 1) x = right - width_ - 1;
    }
    for (std::int64_t y = top; y < bottom; ++y) {
        set_pixel(left, y, pen.colour);
        set_pixel(right - 1, y, pen.colour);
        if (y - top > height_ + 1 && y < bottom - height_ - 1) y = bottom - height_ - 1;
    }
}

void SoftwareCanvas::set_pixel(std::int64_t x, std::int64_t y, Colour colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] = to_xrgb(colour);
}

void SoftwareCanvas::fill_rect(int left, int top, int right, int bottom, Colour colour) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width_);
    bottom = std::min(bottom, height_);
    for (int y = top; y < bottom; ++y) {
        std::fill_n(pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_ + left, std::max(0, right - left), to_xrgb(colour));
    }
}

void SoftwareCanvas::scroll_up(int dy) {
    if (dy <= 0 || dy >= height_) return;
    std::memmove(pixels_.data(), pixels_.data() + static_cast<std::ptrdiff_t>(dy) * width_,
                 sizeof(std::uint32_t) * static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_ - dy));
}

TextMetrics SoftwareCanvas::font_metrics(const FontRequest&) { return {13, 10, 0}; }
Extent SoftwareCanvas::text_extent(const FontRequest&, std::string_view text) {
    return text.empty() ? Extent{} : Extent{static_cast<int>(text.size()) * 8, 13};
}
void SoftwareCanvas::text_out(const FontRequest&, std::int64_t, std::int64_t, std::string_view, Colour, bool, Colour) {}

Colour SoftwareCanvas::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    const std::uint32_t p = pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
    return rgb((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

}  // namespace tovik
