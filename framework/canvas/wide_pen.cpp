#include "canvas/wide_pen.h"

#include <cmath>
#include <utility>
#include <vector>

#include "canvas/box_spans.h"
#include "canvas/ellipse_rows.h"
#include "canvas/polygon_fill.h"

namespace tovik::raster {

namespace {

bool same(Point64 a, Point64 b) { return a.x == b.x && a.y == b.y; }

// Half a band's width rounded to whole pixels, halves away from zero, in the
// platform's double arithmetic so that ties fall the same way.
std::int64_t half_width(double across) {
    return static_cast<std::int64_t>(std::floor(across / 2 + 0.5));
}

// The band of the segment without its ends.  Along an axis it covers
// [min, max) along the line; otherwise it is the four-point polygon whose
// sides lie half the pen's width (rounded to whole pixels) either side of the
// path: the narrow half to the left of the path, the wide half, rounded from
// one pixel more, to its right (image directions), whichever way it runs.
void segment_body(SpanSink& sink, Point64 a, Point64 b, std::int64_t width) {
    const PenReach r = pen_reach(width);
    if (a.y == b.y) {
        fill_box(sink, std::min(a.x, b.x), a.y - r.neg, std::max(a.x, b.x), a.y + r.pos + 1);
        return;
    }
    if (a.x == b.x) {
        fill_box(sink, a.x - r.neg, std::min(a.y, b.y), a.x + r.pos + 1, std::max(a.y, b.y));
        return;
    }
    const std::int64_t dx = b.x - a.x, dy = b.y - a.y;
    const double length = std::hypot(static_cast<double>(dx), static_cast<double>(dy));
    const double across_x = static_cast<double>(width) * static_cast<double>(dy < 0 ? -dy : dy) / length;
    const double across_y = static_cast<double>(width) * static_cast<double>(dx < 0 ? -dx : dx) / length;
    Point64 narrow{half_width(across_x), half_width(across_y)};
    Point64 wide{half_width(across_x + 1), half_width(across_y + 1)};
    if (dx < 0) {
        narrow.y = -narrow.y;
        wide.y = -wide.y;
    }
    if (dy < 0) {
        std::swap(narrow, wide);
        narrow.x = -narrow.x;
        wide.x = -wide.x;
    }
    const Point64 quad[] = {{a.x - narrow.x, a.y + narrow.y},
                            {a.x + wide.x, a.y - wide.y},
                            {b.x + wide.x, b.y - wide.y},
                            {b.x - narrow.x, b.y + narrow.y}};
    polygon_fill(sink, quad);
}

}  // namespace

void pen_cap(SpanSink& sink, Point64 p, std::int64_t width) {
    const PenReach r = pen_reach(width);
    ellipse_fill(sink, p.x - r.neg, p.y - r.neg, p.x + r.pos + 1, p.y + r.pos + 1);
}

void wide_line(SpanSink& sink, Point64 a, Point64 b, std::int64_t width) {
    if (same(a, b)) return;
    segment_body(sink, a, b, width);
    pen_cap(sink, a, width);
    pen_cap(sink, b, width);
}

void wide_closed_path(SpanSink& sink, std::span<const Point64> points, std::int64_t width) {
    const std::size_t n = points.size();
    std::vector<bool> joined(n, false);
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t j = (i + 1) % n;
        if (same(points[i], points[j])) continue;
        segment_body(sink, points[i], points[j], width);
        joined[i] = joined[j] = true;
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (joined[i]) pen_cap(sink, points[i], width);
    }
}

}  // namespace tovik::raster
