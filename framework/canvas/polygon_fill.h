// The inside of a polygon by the alternate (even-odd) rule, row by row.
#pragma once

#include <span>

#include "canvas.h"
#include "canvas/span_sink.h"

namespace tovik::raster {

// Pixel (px, py) is inside when an odd number of non-horizontal edges have
// top <= py < bottom and cross row py at or left of px; each span is
// [ceil(x_left), ceil(x_right)), so shared edges are drawn once (top-left rule).
// Points must lie within COORD_LIMIT.
void polygon_fill(SpanSink& sink, std::span<const Point64> points);

}  // namespace tovik::raster
