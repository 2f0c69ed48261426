// A union of spans gathered from several overlapping pieces of one shape (the
// bands and round joins of a wide pen), written once per pixel when flushed.
// Each row keeps its covered columns as sorted, disjoint intervals, so memory
// stays within the image however many pieces a figure has.
#pragma once

#include <utility>
#include <vector>

#include "canvas/span_sink.h"

namespace tovik::raster {

class SpanSet final : public SpanSink {
public:
    SpanSet(int width, int height)
        : SpanSink(width, height), rows_(static_cast<std::size_t>(height)) {}

    // Writes the union to `target` (of the same size), row by row, and empties the set.
    void flush(SpanSink& target);

private:
    using Interval = std::pair<int, int>;  // columns [first, second)
    void put(int y, int x0, int x1) override;

    std::vector<std::vector<Interval>> rows_;
    int first_row_ = 0;  // rows touched: [first_row_, last_row_)
    int last_row_ = 0;
};

}  // namespace tovik::raster
