#include "canvas/ellipse_rows.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "canvas/box_spans.h"
#include "canvas/exact_math.h"

namespace tovik::raster {

namespace {

// Below these both semi-axes give products that fit 64 and 128 bits.
constexpr std::int64_t AXIS_FOR_64_BITS = std::int64_t{1} << 15;
constexpr std::int64_t AXIS_FOR_128_BITS = std::int64_t{1} << 31;

std::int64_t abs64(std::int64_t v) { return v < 0 ? -v : v; }

void order(std::int64_t& left, std::int64_t& top, std::int64_t& right, std::int64_t& bottom) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
}

// The platform draws boxes this narrow or low as rectangles.
bool drawn_as_box(std::int64_t width, std::int64_t height) { return width <= 2 || height <= 2; }

// The largest r with r * r <= n, for 0 <= n < 2^62.
std::int64_t isqrt(std::int64_t n) {
    auto r = static_cast<std::int64_t>(std::sqrt(static_cast<double>(n)));
    while (r > 0 && r * r > n) --r;
    while ((r + 1) * (r + 1) <= n) ++r;
    return r;
}

}  // namespace

EllipseRows::EllipseRows(std::int64_t left, std::int64_t top, std::int64_t right,
                         std::int64_t bottom)
    : cx2_(left + right - 1),
      cy2_(top + bottom - 1),
      a_(right - left - 1),
      b_(bottom - top - 1),
      u_min_(a_ & 1),
      v_min_(b_ & 1),
      fits64_(a_ < AXIS_FOR_64_BITS && b_ < AXIS_FOR_64_BITS),
      fits128_(a_ < AXIS_FOR_128_BITS && b_ < AXIS_FOR_128_BITS) {}

// The largest u of the parity of A, at most A, with ((u - c) B)^2 < A^2 (B^2 - w^2):
// c = 1 places the midpoint to the inner neighbour strictly inside the curve on
// row offset w (steep part), c = 0 places the point itself strictly inside on
// the half-row w (flat part).  u_min when no such u exists.
std::int64_t EllipseRows::largest(std::int64_t c, std::int64_t w) const {
    // At u = 0 the steep test equals the one at u = 2, so start where it grows with u.
    const std::int64_t u0 = (c == 1 && u_min_ == 0) ? 2 : u_min_;
    if (fits64_) {
        // (u - c) B < sqrt(T) exactly when (u - c) B <= isqrt(T - 1).
        const std::int64_t t = a_ * a_ * (b_ * b_ - w * w);
        if (t == 0) return u_min_;
        std::int64_t u = isqrt(t - 1) / b_ + c;
        if (((u - a_) & 1) != 0) --u;
        return u >= u0 ? std::min(u, a_) : u_min_;
    }
    return search(c, w, u0);
}

// The same for axes too long for 64-bit products: start from the real-valued
// answer and correct it with exact 128- or 256-bit comparisons.  The search
// widens step by step, so a poor estimate costs a few more comparisons, not a
// wrong pixel.
std::int64_t EllipseRows::search(std::int64_t c, std::int64_t w, std::int64_t u0) const {
    const std::int64_t kmax = (a_ - u0) / 2;
    const UInt128 d = UInt128(b_) * UInt128(b_) - UInt128(w) * UInt128(w);
    const UInt128 a2 = UInt128(a_) * UInt128(a_);
    const UInt128 rhs_small = fits128_ ? a2 * d : 0;
    const UInt256 rhs_wide = fits128_ ? UInt256{} : mul_wide(a2, d);
    const auto holds = [&](std::int64_t k) {
        const UInt128 m = UInt128(u0 + 2 * k - c) * UInt128(b_);
        return fits128_ ? m * m < rhs_small : mul_wide(m, m) < rhs_wide;
    };
    if (!holds(0)) return u_min_;

    const long double s = static_cast<long double>(c) + static_cast<long double>(a_) *
                                                            std::sqrt(static_cast<long double>(d)) /
                                                            static_cast<long double>(b_);
    const long double guess = std::floor((s - static_cast<long double>(u0)) / 2);
    const std::int64_t k = guess <= 0 ? 0
                           : guess >= static_cast<long double>(kmax)
                               ? kmax
                               : static_cast<std::int64_t>(guess);
    std::int64_t lo = 0;         // holds(lo)
    std::int64_t hi = kmax + 1;  // !holds(hi), or past the end
    if (holds(k)) {
        lo = k;
        for (std::int64_t step = 1; lo + step <= kmax; step *= 2) {
            if (!holds(lo + step)) {
                hi = lo + step;
                break;
            }
            lo += step;
        }
    } else {
        hi = k;
        for (std::int64_t step = 1; hi - step > 0; step *= 2) {
            if (holds(hi - step)) {
                lo = hi - step;
                break;
            }
            hi -= step;
        }
    }
    while (hi - lo > 1) {
        const std::int64_t mid = lo + (hi - lo) / 2;
        (holds(mid) ? lo : hi) = mid;
    }
    return u0 + 2 * lo;
}

std::int64_t EllipseRows::half_width(std::int64_t v) const {
    if (v == v_min_) return a_;  // the middle row reaches the box's sides
    return std::max(largest(1, v), largest(0, v - 1));
}

EllipseRows::Extent EllipseRows::extent(std::int64_t y) const {
    const std::int64_t u = half_width(abs64(2 * y - cy2_));
    return {(cx2_ - u) / 2, (cx2_ + u) / 2};
}

EllipseRows::Outline EllipseRows::outline(std::int64_t y) const {
    const std::int64_t v = abs64(2 * y - cy2_);
    const std::int64_t u = half_width(v);
    // A row's run reaches in to just beyond the extent of the row further out.
    const std::int64_t inner = v >= b_ ? -u : std::min(u, half_width(v + 2) + 2);
    return {(cx2_ - u) / 2, (cx2_ - inner) / 2, (cx2_ + inner) / 2, (cx2_ + u) / 2};
}

void ellipse_fill(SpanSink& sink, std::int64_t left, std::int64_t top, std::int64_t right,
                  std::int64_t bottom) {
    order(left, top, right, bottom);
    if (drawn_as_box(right - left, bottom - top)) {
        fill_box(sink, left, top, right, bottom);
        return;
    }
    const EllipseRows ellipse(left, top, right, bottom);
    const RowRange rows = visible_rows(top, bottom, sink.height());
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
    const EllipseRows ellipse(left, top, right, bottom);
    const RowRange rows = visible_rows(top, bottom, sink.height());
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
    const EllipseRows ellipse(left, top, right, bottom);
    const RowRange rows = visible_rows(top, bottom, sink.height());
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
    const EllipseRows outer(ol, ot, orr, ob);
    std::optional<EllipseRows> inner;  // none: the hole is a box, like a tiny ellipse
    if (!drawn_as_box(ir - il, ib - it)) inner.emplace(il, it, ir, ib);
    const RowRange rows = visible_rows(ot, ob, sink.height());
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
