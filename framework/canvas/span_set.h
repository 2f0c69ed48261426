// A union of spans gathered from several overlapping pieces of one shape (the
// bands and round joins of a wide pen), written once per pixel when flushed.
#pragma once

#include <vector>

#include "canvas/span_sink.h"

namespace tovik::raster {

class SpanSet final : public SpanSink {
public:
    SpanSet(int width, int height) : SpanSink(width, height) {}

    // Writes the union to `target` (of the same size), row by row, and empties the set.
    void flush(SpanSink& target);

private:
    struct Entry {
        int y, x0, x1;
    };
    void put(int y, int x0, int x1) override { entries_.push_back({y, x0, x1}); }

    std::vector<Entry> entries_;
};

}  // namespace tovik::raster
