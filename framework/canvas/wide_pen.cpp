#include "canvas/wide_pen.h"

#include <cmath>
#include <vector>

#include "canvas/box_spans.h"
#include "canvas/ellipse_rows.h"
#include "canvas/polygon_fill.h"

namespace tovik::raster {

namespace {

bool same(Point64 a, Point64 b) { return a.x == b.x && a.y == b.y; }

// The band of the segment without its ends: along an axis, [min, max) along
// the line; otherwise the four-point polygon whose long sides lie the pen's
// reach away from the path, rounded to whole pixels.
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
    const long double dx = static_cast<long double>(b.x - a.x);
    const long double dy = static_cast<long double>(b.y - a.y);
    const long double length = std::hypot(dx, dy);
    // Unit normal pointing down the image, the side that gets the pos reach.
    long double nx = -dy / length, ny = dx / length;
    if (ny < 0) {
        nx = -nx;
        ny = -ny;
    }
    // The polygon's lower edge is left out by the fill rule, so its far side
    // lies one pixel beyond the last covered offset.
    const auto offset = [](long double v, std::int64_t reach) {
        return static_cast<std::int64_t>(std::llround(v * static_cast<long double>(reach)));
    };
    const Point64 up{offset(-nx, r.neg), offset(-ny, r.neg)};
    const Point64 down{offset(nx, r.pos + 1), offset(ny, r.pos + 1)};
    const Point64 quad[] = {{a.x + up.x, a.y + up.y},
                            {b.x + up.x, b.y + up.y},
                            {b.x + down.x, b.y + down.y},
                            {a.x + down.x, a.y + down.y}};
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
