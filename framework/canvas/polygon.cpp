// The platform's polygon: the inside by the alternate rule, then the pen along
// every side including the closing one.
#include <algorithm>
#include <array>
#include <span>
#include <vector>

#include "canvas/exact_math.h"
#include "canvas/polygon_fill.h"
#include "canvas/software_canvas.h"
#include "canvas/span_set.h"
#include "canvas/thin_line.h"
#include "canvas/wide_pen.h"

namespace tovik {

using namespace raster;

void SoftwareCanvas::polygon(std::span<const Point64> points, const Pen& pen, const Brush& brush) {
    if (points.empty()) return;
    // Triangles and the other small figures need no heap.
    std::array<Point64, 8> small;
    std::vector<Point64> large;
    std::span<Point64> p(small.data(), points.size());
    if (points.size() > small.size()) {
        large.resize(points.size());
        p = large;
    }
    std::transform(points.begin(), points.end(), p.begin(), [](const Point64& q) {
        return Point64{clamp_coord(q.x), clamp_coord(q.y)};
    });
    const std::int64_t width = clamp_width(pen.width);

    if (!brush.null) {
        PixelWriter inside = writer(brush.colour);
        polygon_fill(inside, p);
        account(inside);
    }

    PixelWriter out = writer(pen.colour);
    if (width <= 1) {
        for (std::size_t i = 0; i < p.size(); ++i) {
            const Point64 a = p[i], b = p[(i + 1) % p.size()];
            thin_line(out, a.x, a.y, b.x, b.y);
        }
    } else {
        SpanSet& pieces = band();
        wide_closed_path(pieces, p, width);
        pieces.flush(out);
    }
    account(out);
}

}  // namespace tovik
