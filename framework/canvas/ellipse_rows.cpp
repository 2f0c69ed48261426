#include "canvas/ellipse_rows.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "canvas/box_spans.h"
#include "canvas/exact_math.h"
#include "canvas/quadrant_cache.h"

namespace tovik::raster {

namespace {

std::int64_t abs64(std::int64_t v) { return v < 0 ? -v : v; }

void order(std::int64_t& left, std::int64_t& top, std::int64_t& right, std::int64_t& bottom) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
}

// The platform draws boxes this narrow or low as rectangles.
bool drawn_as_box(std::int64_t width, std::int64_t height) { return width <= 2 || height <= 2; }

}  // namespace

EllipseRows::EllipseRows(std::int64_t left, std::int64_t top, std::int64_t right,
                         std::int64_t bottom, RowRange rows)
    : cx2_(left + right - 1), cy2_(top + bottom - 1), v_first_(0) {
    if (rows.empty()) return;
    const std::int64_t a = right - left - 1, b = bottom - top - 1;
    const std::int64_t v_min = EllipsePath(a, b).v_min();
    const std::int64_t v_top = abs64(2 * std::int64_t{rows.first} - cy2_);
    const std::int64_t v_bottom = abs64(2 * std::int64_t{rows.last - 1} - cy2_);
    const bool middle_inside = 2 * std::int64_t{rows.first} <= cy2_ && cy2_ <= 2 * std::int64_t{rows.last - 1};
    v_first_ = middle_inside ? v_min : std::min(v_top, v_bottom);
    quadrant_runs(a, b, v_first_, std::max(v_top, v_bottom), runs_);
}

const EllipsePath::Run& EllipseRows::run(int y) const {
    const std::int64_t v = abs64(2 * std::int64_t{y} - cy2_);
    return runs_[static_cast<std::size_t>((v - v_first_) / 2)];
}

EllipseRows::Extent EllipseRows::extent(int y) const {
    const EllipsePath::Run& r = run(y);
    return {(cx2_ - r.outer) / 2, (cx2_ + r.outer) / 2};
}

EllipseRows::Outline EllipseRows::outline(int y) const {
    const EllipsePath::Run& r = run(y);
    return {(cx2_ - r.outer) / 2, (cx2_ - r.inner) / 2, (cx2_ + r.inner) / 2, (cx2_ + r.outer) / 2};
}

void ellipse_fill(SpanSink& sink, std::int64_t left, std::int64_t top, std::int64_t right,
                  std::int64_t bottom) {
    order(left, top, right, bottom);
    if (drawn_as_box(right - left, bottom - top)) {
        fill_box(sink, left, top, right, bottom);
        return;
    }
    const RowRange rows = visible_rows(top, bottom, sink.height());
    const EllipseRows ellipse(left, top, right, bottom, rows);
    for (int y = rows.first; y < rows.last; ++y) {
        const EllipseRows::Extent e = ellipse.extent(y);
        sink.span(y, e.left, e.right + 1);
    }
}

void ellipse_outline(SpanSink& sink, std::int64_t left, std::int64_t top, std::int64_t right,
                     std::int64_t bottom) {
    order(left, top, right, bottom);
    if (drawn_as_box(right - left, bottom - top)) {
        frame_box(sink, left, top, right, bottom);
        return;
    }
    const RowRange rows = visible_rows(top, bottom, sink.height());
    const EllipseRows ellipse(left, top, right, bottom, rows);
    for (int y = rows.first; y < rows.last; ++y) {
        const EllipseRows::Outline o = ellipse.outline(y);
        if (o.left_inner + 1 >= o.right_inner) {
            sink.span(y, o.left, o.right + 1);
        } else {
            sink.span(y, o.left, o.left_inner + 1);
            sink.span(y, o.right_inner, o.right + 1);
        }
    }
}

void ellipse_inside(SpanSink& sink, std::int64_t left, std::int64_t top, std::int64_t right,
                    std::int64_t bottom) {
    order(left, top, right, bottom);
    if (drawn_as_box(right - left, bottom - top)) {
        inside_box(sink, left, top, right, bottom);
        return;
    }
    const RowRange rows = visible_rows(top, bottom, sink.height());
    const EllipseRows ellipse(left, top, right, bottom, rows);
    for (int y = rows.first; y < rows.last; ++y) {
        const EllipseRows::Extent e = ellipse.extent(y);
        sink.span(y, e.left + 1, e.right);
    }
}

void ellipse_band(SpanSink& sink, std::int64_t left, std::int64_t top, std::int64_t right,
                  std::int64_t bottom, std::int64_t neg, std::int64_t pos) {
    order(left, top, right, bottom);
    const std::int64_t ol = left - neg, ot = top - neg, orr = right + pos, ob = bottom + pos;
    const std::int64_t il = left + pos + 1, it = top + pos + 1, ir = right - neg - 1,
                       ib = bottom - neg - 1;
    if (il >= ir || it >= ib || drawn_as_box(orr - ol, ob - ot)) {
        ellipse_fill(sink, ol, ot, orr, ob);
        return;
    }
    const RowRange rows = visible_rows(ot, ob, sink.height());
    const EllipseRows outer(ol, ot, orr, ob, rows);
    std::optional<EllipseRows> inner;  // none: the hole is a box, like a tiny ellipse
    if (!drawn_as_box(ir - il, ib - it)) inner.emplace(il, it, ir, ib, visible_rows(it, ib, sink.height()));
    for (int y = rows.first; y < rows.last; ++y) {
        const EllipseRows::Extent o = outer.extent(y);
        if (y < it || y >= ib) {
            sink.span(y, o.left, o.right + 1);
            continue;
        }
        const EllipseRows::Extent i = inner ? inner->extent(y) : EllipseRows::Extent{il, ir - 1};
        sink.span(y, o.left, std::min(i.left, o.right + 1));
        sink.span(y, std::max(i.right + 1, o.left), o.right + 1);
    }
}

}  // namespace tovik::raster
