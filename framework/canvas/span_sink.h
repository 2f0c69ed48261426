// Where shape generators put their pixels: horizontal spans, one image row at a
// time.  Generators walk only the image rows they reach (see visible_rows), and
// a sink clips each span to the image columns, so no shape can touch memory
// outside the image nor spend work on rows it cannot reach.
#pragma once

#include <algorithm>
#include <cstdint>

namespace tovik::raster {

class SpanSink {
public:
    SpanSink(int width, int height) : width_(width), height_(height) {}
    SpanSink(const SpanSink&) = delete;
    SpanSink& operator=(const SpanSink&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }

    // Columns [x0, x1) of row y, 0 <= y < height(); x is clipped here.
    void span(int y, std::int64_t x0, std::int64_t x1) {
        ++steps;
        x0 = std::max<std::int64_t>(x0, 0);
        x1 = std::min<std::int64_t>(x1, width_);
        if (x0 < x1) put(y, static_cast<int>(x0), static_cast<int>(x1));
    }
    void pixel(int y, std::int64_t x) { span(y, x, x + 1); }

    // Work done by generators (spans offered and rows walked): a measure of cost
    // that tests can bound without timing anything.
    std::uint64_t steps = 0;

protected:
    ~SpanSink() = default;
    virtual void put(int y, int x0, int x1) = 0;  // already clipped, x0 < x1

private:
    int width_;
    int height_;
};

// Rows [first, last) of the image that rows [top, bottom) of a shape reach.
struct RowRange {
    int first = 0;
    int last = 0;
    bool empty() const { return first >= last; }
};

inline RowRange visible_rows(std::int64_t top, std::int64_t bottom, int height) {
    const std::int64_t first = std::max<std::int64_t>(top, 0);
    const std::int64_t last = std::min<std::int64_t>(bottom, height);
    if (first >= last) return {};
    return {static_cast<int>(first), static_cast<int>(last)};
}

// Writes spans straight into a 32-bit image in one colour.
class PixelWriter final : public SpanSink {
public:
    PixelWriter(std::uint32_t* pixels, int width, int height, int stride, std::uint32_t value,
                std::uint64_t& pixel_count)
        : SpanSink(width, height),
          pixels_(pixels),
          stride_(stride),
          value_(value),
          pixel_count_(pixel_count) {}

private:
    void put(int y, int x0, int x1) override {
        std::uint32_t* row = pixels_ + static_cast<std::ptrdiff_t>(y) * stride_;
        if (x1 - x0 <= 2) {  // the steps of lines and outlines: no loop to set up
            row[x0] = value_;
            row[x1 - 1] = value_;
        } else {
            std::fill(row + x0, row + x1, value_);
        }
        pixel_count_ += static_cast<std::uint64_t>(x1 - x0);
    }

    std::uint32_t* pixels_;
    int stride_;
    std::uint32_t value_;
    std::uint64_t& pixel_count_;
};

}  // namespace tovik::raster
