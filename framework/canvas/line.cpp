// The platform's line from a current position to an end point, end excluded
// for the one-pixel pen; wide pens have round ends covering both points.
#include "canvas/exact_math.h"
#include "canvas/software_canvas.h"
#include "canvas/span_set.h"
#include "canvas/thin_line.h"
#include "canvas/wide_pen.h"

namespace tovik {

using namespace raster;

void SoftwareCanvas::line(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                          const Pen& pen) {
    const Point64 a{clamp_coord(x0), clamp_coord(y0)};
    const Point64 b{clamp_coord(x1), clamp_coord(y1)};
    const std::int64_t width = clamp_width(pen.width);
    PixelWriter out = writer(pen.colour);
    if (width <= 1) {
        thin_line(out, a.x, a.y, b.x, b.y);
    } else {
        SpanSet band(width_, height_);
        wide_line(band, a, b, width);
        band.flush(out);
    }
    account(out);
}

}  // namespace tovik
