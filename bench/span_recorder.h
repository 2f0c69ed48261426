// A canvas that draws each call on an image of an unused colour and keeps the
// spans the call painted: each shape's own covered pixels, clipped to the
// image, repeats included, in drawing order.  What a frame paints, with
// nothing of how it was computed.
#pragma once

#include <utility>
#include <vector>

#include "canvas/software_canvas.h"
#include "span_fill.h"

namespace bench {

class SpanRecorder final : public tovik::Canvas {
public:
    SpanRecorder(int width, int height);

    // The spans painted so far; taking them starts a new recording.
    std::vector<Span> take() { return std::exchange(spans_, {}); }
    long long pixels(const std::vector<Span>& spans) const;

    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }
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
    tovik::Colour pixel(int x, int y) const override { return image_.pixel(x, y); }

private:
    // Moves the pixels the last call painted into spans_, row by row.
    void harvest();

    tovik::SoftwareCanvas image_;
    std::vector<Span> spans_;
};

}  // namespace bench
