// The image itself: pixels, plain fills and scrolling.
#include "canvas/software_canvas.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "canvas/glyph_shades.h"
#include "canvas/pixel_format.h"
#include "canvas/span_set.h"
#include "canvas/span_sink.h"

namespace tovik {

SoftwareCanvas::SoftwareCanvas(int width, int height)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0) {}

std::unique_ptr<SoftwareCanvas> SoftwareCanvas::create(int width, int height) {
    if (width < 0 || height < 0) return nullptr;
    try {
        return std::make_unique<SoftwareCanvas>(width, height);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

SoftwareCanvas::~SoftwareCanvas() = default;
SoftwareCanvas::SoftwareCanvas(SoftwareCanvas&&) noexcept = default;
SoftwareCanvas& SoftwareCanvas::operator=(SoftwareCanvas&&) noexcept = default;

raster::SpanSet& SoftwareCanvas::band() {
    if (!band_) band_ = std::make_unique<raster::SpanSet>(width_, height_);
    return *band_;
}

raster::PixelWriter SoftwareCanvas::writer(Colour colour) {
    return raster::PixelWriter(pixels_.data(), width_, height_, width_, raster::to_pixel(colour),
                               counters_.pixel_writes);
}

void SoftwareCanvas::account(const raster::SpanSink& sink) { counters_.steps += sink.steps; }

void SoftwareCanvas::set_pixel(std::int64_t x, std::int64_t y, Colour colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
            static_cast<std::size_t>(x)] = raster::to_pixel(colour);
    ++counters_.pixel_writes;
}

void SoftwareCanvas::fill_rect(int left, int top, int right, int bottom, Colour colour) {
    raster::PixelWriter out = writer(colour);
    for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y) out.span(y, left, right);
    account(out);
}

// In blocks of dy rows, top first: each block moves into the one just above
// it, which it does not overlap, so each is one memcpy.  One memmove of the
// whole image is a byte loop under AddressSanitizer, and the text window
// scrolls once per message.
void SoftwareCanvas::scroll_up(int dy) {
    if (dy <= 0 || dy >= height_) return;
    const auto row = [this](int y) {
        return pixels_.data() + static_cast<std::ptrdiff_t>(y) * width_;
    };
    for (int top = 0; top + dy < height_; top += dy) {
        const int rows = std::min(dy, height_ - dy - top);
        std::memcpy(row(top), row(top + dy),
                    sizeof(std::uint32_t) * static_cast<std::size_t>(width_) *
                        static_cast<std::size_t>(rows));
    }
}

Colour SoftwareCanvas::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return raster::to_colour(
        pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                static_cast<std::size_t>(x)]);
}

}  // namespace tovik
