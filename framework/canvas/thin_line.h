// The one-pixel line from (x0, y0) towards (x1, y1): first pixel drawn, last
// left out, ties on the grid resolved as the platform does (x-major lines take
// the upper pixel, y-major and diagonal ones the left).  Only the part inside
// the image is walked.  Points must lie within COORD_LIMIT.
#pragma once

#include <cstdint>

#include "canvas/span_sink.h"

namespace tovik::raster {

void thin_line(SpanSink& sink, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1);

}  // namespace tovik::raster
