// The software canvas: a 32-bit image in memory that follows the platform's
// pixel rules for shapes, pens and brushes, with text from FreeType.
//
// Coordinates are taken within +-2^60 and pen widths within 2^40 (anything
// further is clamped there): that is far beyond every value a 32-bit caller can
// produce, and it keeps all arithmetic exact in 128 bits.  Each shape is
// clipped to the image before it is walked, so its cost follows the pixels it
// covers inside the image, however large it is.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "canvas.h"

namespace tovik {

namespace raster {
class SpanSink;
class PixelWriter;
class SpanSet;
struct GlyphShades;
}  // namespace raster

// Work done since the canvas was made (or the counters reset): for tests and
// benchmarks that bound cost without timing.
struct CanvasCounters {
    std::uint64_t pixel_writes = 0;  // pixels stored, counting repeats
    std::uint64_t steps = 0;         // spans offered and rows walked by the shapes
};

class SoftwareCanvas final : public Canvas {
public:
    SoftwareCanvas(int width, int height);
    // Null, instead of an exception, when the size is negative or the memory is not there.
    static std::unique_ptr<SoftwareCanvas> create(int width, int height);
    ~SoftwareCanvas() override;
    SoftwareCanvas(SoftwareCanvas&&) noexcept;
    SoftwareCanvas& operator=(SoftwareCanvas&&) noexcept;

    // Row after row of 0x00RRGGBB pixels, rows stride() pixels apart.
    const std::uint32_t* data() const { return pixels_.data(); }
    int stride() const { return width_; }

    const CanvasCounters& counters() const { return counters_; }
    void reset_counters() { counters_ = {}; }

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
    const std::uint32_t* rows() const override { return pixels_.data(); }

private:
    raster::PixelWriter writer(Colour colour);
    void account(const raster::SpanSink& sink);
    // The union of a wide pen's pieces, empty between drawings; kept so that
    // its rows keep their memory from one drawing to the next.
    raster::SpanSet& band();
    // How text of this colour shades glyph pixels; kept for the last colour
    // drawn in, since text comes in few colours and the factors take a while.
    const raster::GlyphShades& shades(Colour colour);

    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;
    CanvasCounters counters_;
    std::unique_ptr<raster::SpanSet> band_;
    std::unique_ptr<raster::GlyphShades> shades_;
};

}  // namespace tovik
