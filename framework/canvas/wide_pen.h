// Wide pens (width above 1): bands centred on the one-pixel path, round ends
// and round joins.  Across the path a pen of width w covers the offsets
// -floor(w/2) .. w-1-floor(w/2) (the extra pixel of an even width goes up or
// left); each end or join is a round cap, the platform's ellipse in a w x w box
// around the point.  Pieces overlap, so draw into a SpanSet.  Points must lie
// within COORD_LIMIT and w within WIDTH_LIMIT.
#pragma once

#include <cstdint>
#include <span>

#include "canvas.h"
#include "canvas/span_sink.h"

namespace tovik::raster {

struct PenReach {
    std::int64_t neg;  // pixels covered above or left of the path
    std::int64_t pos;  // below or right of it
};

inline PenReach pen_reach(std::int64_t width) { return {width / 2, width - 1 - width / 2}; }

// The round cap of the pen centred on (x, y).
void pen_cap(SpanSink& sink, Point64 p, std::int64_t width);

// A segment with both caps; a segment of zero length draws nothing.
void wide_line(SpanSink& sink, Point64 a, Point64 b, std::int64_t width);

// A closed figure through the points (the last joined back to the first),
// with round joins and no ends.
void wide_closed_path(SpanSink& sink, std::span<const Point64> points, std::int64_t width);

}  // namespace tovik::raster
