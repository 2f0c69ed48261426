// Clamping and clipping of the canvas's 64-bit geometry for GDI (see the
// header for the limits).  Clipping works in double precision: the inputs are
// at most about 2^33 in size, so the clipped points are off by far less than
// the half pixel that rounding them costs anyway.
#include "win32/gdi_geometry.h"

#include <algorithm>
#include <cmath>

namespace tovik::gdi {

namespace {

struct PointD {
    double x = 0, y = 0;
};

std::int64_t to_int(double v, std::int64_t low, std::int64_t high) {
    return std::clamp(static_cast<std::int64_t>(std::llround(v)), low, high);
}

Point64 round_into(const PointD& p, const Box& box) {
    return {to_int(p.x, box.left, box.right), to_int(p.y, box.top, box.bottom)};
}

// One side of the box as a half-plane: inside when coordinate (x or y) is on
// the box's side of `limit`.
struct Side {
    bool vertical;  // a left or right side: compares x
    double limit;
    bool keep_greater;

    bool inside(const PointD& p) const {
        const double v = vertical ? p.x : p.y;
        return keep_greater ? v >= limit : v <= limit;
    }
    PointD crossing(const PointD& a, const PointD& b) const {
        if (vertical) {
            const double t = (limit - a.x) / (b.x - a.x);
            return {limit, a.y + t * (b.y - a.y)};
        }
        const double t = (limit - a.y) / (b.y - a.y);
        return {a.x + t * (b.x - a.x), limit};
    }
};

}  // namespace

Box drawing_box(int width, int height) {
    return {-MARGIN, -MARGIN, width + MARGIN, height + MARGIN};
}

int clamp_to_int(std::int64_t value, std::int64_t low, std::int64_t high) {
    return static_cast<int>(std::clamp(value, low, high));
}

int pen_width(std::int64_t width) { return clamp_to_int(width, 0, MAX_PEN_WIDTH); }

bool clip_segment(Point64& a, Point64& b, const Box& box) {
    if (box.contains(a) && box.contains(b)) return true;
    const double dx = static_cast<double>(b.x - a.x);
    const double dy = static_cast<double>(b.y - a.y);
    double t0 = 0.0;
    double t1 = 1.0;
    // Liang-Barsky: p * t <= q for each side.
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {static_cast<double>(a.x - box.left), static_cast<double>(box.right - a.x),
                         static_cast<double>(a.y - box.top), static_cast<double>(box.bottom - a.y)};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0.0) {
            t0 = std::max(t0, r);
        } else {
            t1 = std::min(t1, r);
        }
    }
    if (t0 > t1) return false;
    const PointD start{static_cast<double>(a.x), static_cast<double>(a.y)};
    if (t1 < 1.0) b = round_into({start.x + t1 * dx, start.y + t1 * dy}, box);
    if (t0 > 0.0) a = round_into({start.x + t0 * dx, start.y + t0 * dy}, box);
    return true;
}

std::vector<Point64> clip_polygon(std::span<const Point64> points, const Box& box) {
    if (std::all_of(points.begin(), points.end(), [&](const Point64& p) { return box.contains(p); })) {
        return {points.begin(), points.end()};
    }
    std::vector<PointD> polygon;
    polygon.reserve(points.size());
    for (const Point64& p : points) polygon.push_back({static_cast<double>(p.x), static_cast<double>(p.y)});

    // Sutherland-Hodgman, one side at a time.  The parts outside are replaced
    // by runs along the side, which keeps the even-odd inside of every point
    // within the box as it was.
    const Side sides[4] = {{true, static_cast<double>(box.left), true},
                           {true, static_cast<double>(box.right), false},
                           {false, static_cast<double>(box.top), true},
                           {false, static_cast<double>(box.bottom), false}};
    std::vector<PointD> clipped;
    for (const Side& side : sides) {
        clipped.clear();
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            const PointD& current = polygon[i];
            const PointD& previous = polygon[(i + polygon.size() - 1) % polygon.size()];
            const bool current_in = side.inside(current);
            if (current_in != side.inside(previous)) clipped.push_back(side.crossing(previous, current));
            if (current_in) clipped.push_back(current);
        }
        polygon.swap(clipped);
        if (polygon.empty()) break;
    }

    std::vector<Point64> result;
    result.reserve(polygon.size());
    for (const PointD& p : polygon) result.push_back(round_into(p, box));
    return result;
}

}  // namespace tovik::gdi
