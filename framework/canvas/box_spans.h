// Spans of axis-aligned boxes: the whole box, its one-pixel frame, its inside.
#pragma once

#include <cstdint>

#include "canvas/span_sink.h"

namespace tovik::raster {

// Columns [left, right), rows [top, bottom).
inline void fill_box(SpanSink& sink, std::int64_t left, std::int64_t top, std::int64_t right,
                     std::int64_t bottom) {
    if (left >= right) return;
    const RowRange rows = visible_rows(top, bottom, sink.height());
    for (int y = rows.first; y < rows.last; ++y) sink.span(y, left, right);
}

// The one-pixel frame of columns [left, right) and rows [top, bottom): the
// platform's rectangle outline.
inline void frame_box(SpanSink& sink, std::int64_t left, std::int64_t top, std::int64_t right,
                      std::int64_t bottom) {
    if (left >= right || top >= bottom) return;
    const RowRange rows = visible_rows(top, bottom, sink.height());
    for (int y = rows.first; y < rows.last; ++y) {
        if (y == top || y == bottom - 1 || right - left <= 2) {
            sink.span(y, left, right);
        } else {
            sink.pixel(y, left);
            sink.pixel(y, right - 1);
        }
    }
}

// Inside the frame: columns [left+1, right-1), rows [top+1, bottom-1).
inline void inside_box(SpanSink& sink, std::int64_t left, std::int64_t top, std::int64_t right,
                       std::int64_t bottom) {
    fill_box(sink, left + 1, top + 1, right - 1, bottom - 1);
}

}  // namespace tovik::raster
