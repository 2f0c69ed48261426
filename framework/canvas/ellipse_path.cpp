// The walk's closed form.
//
// Row v is entered at column E(v) (its outermost pixel) and left upward from
// min(E(v), turn(v)), where turn(v) is the largest u whose upward test holds on
// row v; the step up is diagonal unless the point (u - 1, v + 2) lies inside by
// more than b^2, which holds for u <= straight(v + 2).  Because the inward test
// always holds where the upward one does not (for u >= 1), turn(v) >=
// straight(v + 2), and the entries follow
//     E(v + 2) = clamp(E(v) - 2, straight(v + 2), max(straight(v + 2), turn(v) - 2)).
// Along a diagonal z = E + v is constant, and with P(v) = straight(v + 2) + v + 2,
// Q(v) = turn(v) + v this is z(v + 2) = max(P(v), min(z(v), Q(v))).  Unrolled,
// and since Q rises and then falls (the minimum of such a sequence over any
// range lies at one of its ends):
//     z(v) = max(P(v - 2), min(Q(v - 2), max(R0, R(v0), ..., R(v - 4))))
// with R(j) = min(P(j), Q(j + 2)) and R0 = min(a + v0, Q(v0)).  R rises and then
// falls as well, so its running maximum is R(min(j, peak)): one peak per
// ellipse, found from the smooth curves P and Q round off (each rises up to the
// point where the curve runs at 45 degrees, then falls) and checked exactly
// near it.  Every quantity is an exact integer square root.
#include "canvas/ellipse_path.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "canvas/exact_math.h"

namespace tovik::raster {

namespace {

// "No such column": below every column, so that max and min treat it as minus
// infinity and it survives them.
constexpr std::int64_t NONE = std::numeric_limits<std::int64_t>::min() / 4;

std::int64_t plus(std::int64_t x, std::int64_t d) { return x == NONE ? NONE : x + d; }

// Axes below this keep every product within 128 bits.
constexpr std::int64_t NARROW_AXIS = std::int64_t{1} << 30;

// Rows closer than this to the middle are reached by stepping from it, which
// is cheaper than the closed form's search for the peak.
constexpr std::int64_t STEPPED_ROWS = 512;

// Largest s with s * s <= n, for 0 <= n < 2^124.
std::int64_t isqrt(Int128 n) {
    auto s = static_cast<std::int64_t>(n < (Int128{1} << 52)
                                           ? std::sqrt(static_cast<double>(n))
                                           : std::sqrt(static_cast<long double>(n)));
    while (s > 0 && Int128{s} * s > n) --s;
    while (Int128{s + 1} * (s + 1) <= n) ++s;
    return s;
}

}  // namespace

EllipsePath::EllipsePath(std::int64_t a, std::int64_t b)
    : a_(a), b_(b), u_min_(a & 1), narrow_(a < NARROW_AXIS && b < NARROW_AXIS) {}

// The largest t >= 0 with (t b)^2 < a^2 (b^2 - y^2) - b^2 (strict) or
// (t b)^2 <= a^2 (b^2 - y^2 - d) (not strict); -1 when there is none.
std::int64_t EllipsePath::root(std::int64_t y, std::int64_t d, bool strict) const {
    if (narrow_) {
        const Int128 s = Int128{b_} * b_ - Int128{y} * y - d;
        if (s < 0) return -1;
        Int128 n = Int128{a_} * a_ * s;
        if (strict) {
            n -= Int128{b_} * b_;
            if (n <= 0) return -1;
            n -= 1;  // below n exactly when at most n - 1
        }
        return isqrt(n) / b_;
    }
    const UInt128 bb = UInt128(b_) * UInt128(b_);
    const UInt128 yy = UInt128(y) * UInt128(y) + UInt128(d);
    if (yy > bb) return -1;
    UInt256 n = mul_wide(UInt128(a_) * UInt128(a_), bb - yy);
    if (strict) {
        if (!(UInt256{0, bb} < n)) return -1;
        n = minus(n, bb + 1);
    }
    const auto fits = [&](std::int64_t t) {
        const UInt128 m = UInt128(t) * UInt128(b_);
        return !(n < mul_wide(m, m));
    };
    // (t b)^2 <= a^2 b^2, so t <= a.  Start from the real-valued root and
    // correct it exactly; the steps double, so a poor start costs little.
    const long double guess = std::sqrt(to_long_double(n)) / static_cast<long double>(b_);
    std::int64_t t = guess <= 0 ? 0
                     : guess >= static_cast<long double>(a_)
                         ? a_
                         : static_cast<std::int64_t>(guess);
    std::int64_t lo = 0, hi = 0;  // fits(lo), !fits(hi)
    if (fits(t)) {
        lo = t;
        for (std::int64_t step = 1;; step *= 2) {
            if (lo + step > a_) {
                hi = a_ + 1;
                break;
            }
            if (!fits(lo + step)) {
                hi = lo + step;
                break;
            }
            lo += step;
        }
    } else {
        hi = t;
        for (std::int64_t step = 1;; step *= 2) {
            if (hi - step <= 0) {
                if (!fits(0)) return -1;
                lo = 0;
                break;
            }
            if (fits(hi - step)) {
                lo = hi - step;
                break;
            }
            hi -= step;
        }
    }
    while (hi - lo > 1) {
        const std::int64_t mid = lo + (hi - lo) / 2;
        (fits(mid) ? lo : hi) = mid;
    }
    return lo;
}

// Largest u (of a's parity, at most a) whose upward step into row w is
// straight: F(u - 1, w) < -b^2.
std::int64_t EllipsePath::straight(std::int64_t w) const {
    if (w >= b_) return NONE;
    const std::int64_t t = root(w, 0, true);
    if (t < 0) return NONE;
    std::int64_t u = std::min(a_, t + 1);
    u -= (u - a_) & 1;
    return u >= 1 ? u : NONE;  // u = 0 would test the same point as u = 2
}

// Largest u (of a's parity, at most a) whose upward test holds on row v:
// F(u - 2, v + 1) <= -a^2.
std::int64_t EllipsePath::turn(std::int64_t v) const {
    const std::int64_t t = root(v + 1, 1, false);
    if (t < 0) return NONE;
    std::int64_t u = std::min(a_, t + 2);
    u -= (u - a_) & 1;
    return (a_ & 1) != 0 && u < 3 ? NONE : u;  // u = 1 would test the same point as u = 3
}

// The entry of row v + 2 from that of row v; turn_at = turn(v).
std::int64_t EllipsePath::next_entry(std::int64_t entry, std::int64_t turn_at,
                                     std::int64_t v) const {
    if (entry < u_min_ || turn_at == NONE) return NONE;  // no turn: the row runs to the end  // the row runs to the middle: the walk ends
    const std::int64_t leave = std::min(entry, turn_at);
    const std::int64_t keep = straight(v + 2);
    return keep == NONE || leave > keep ? leave - 2 : leave;
}

std::int64_t EllipsePath::p(std::int64_t v) const { return plus(straight(v + 2), v + 2); }
std::int64_t EllipsePath::q(std::int64_t v) const { return plus(turn(v), v); }
std::int64_t EllipsePath::r(std::int64_t j) const { return std::min(p(j), q(j + 2)); }

// A row j at which R is largest.
std::int64_t EllipsePath::peak_of_r() const {
    const std::int64_t v0 = v_min(), last = b_;
    // Rows of the lattice v0, v0 + 2, ..., last.
    const auto down = [&](long double x) {
        const std::int64_t v = x <= static_cast<long double>(v0)     ? v0
                               : x >= static_cast<long double>(last) ? last
                                                                     : static_cast<std::int64_t>(x);
        return v - ((v - v0) & 1);
    };
    const auto up = [&](long double x) {
        const std::int64_t v = down(x);
        return std::min(last, v < x ? v + 2 : v);
    };
    // The first row of [lo, hi] where a test that turns true and stays true
    // holds; hi + 2 when it never does.
    const auto first = [&](std::int64_t lo, std::int64_t hi, auto holds) {
        std::int64_t n = (hi - lo) / 2 + 1;  // rows lo + 2k for k in [0, n)
        std::int64_t k = 0;
        while (n > 0) {
            const std::int64_t half = n / 2;
            if (holds(lo + 2 * (k + half))) {
                n = half;
            } else {
                k += half + 1;
                n -= half + 1;
            }
        }
        return lo + 2 * k;
    };
    // The window [lo, hi] outside which a sequence rises (up to lo) and falls
    // (from hi); it ends where the sequence runs out of columns.
    const auto cut = [&](std::int64_t& lo, std::int64_t& hi, std::int64_t none) {
        if (none - 2 <= lo) {
            lo = hi = std::max(v0, none - 2);
        } else if (none - 2 < hi) {
            hi = none - 2;
        }
    };

    const long double a = static_cast<long double>(a_), b = static_cast<long double>(b_);
    const long double aa = a * a, bb = b * b;
    // Rows around a smooth peak where rounding may go either way.
    constexpr long double SLACK = 8;

    // P(j) rises while the curve under straight() is steeper than 45 degrees.
    const long double p_peak = bb * std::sqrt((aa - 1) / (aa * (aa + bb))) - 2;
    std::int64_t p_lo = down(p_peak - SLACK), p_hi = up(p_peak + SLACK);
    cut(p_lo, p_hi, first(v0, last, [&](std::int64_t j) { return straight(j + 2) == NONE; }));

    // Q(j + 2) likewise for turn(), except that turn() is capped at a near the
    // middle: the cap rises with j, so it only matters if it lasts past the peak.
    const long double q_peak = b * std::sqrt((bb - 1) / (aa + bb)) - 3;
    std::int64_t q_lo = down(q_peak - SLACK), q_hi = up(q_peak + SLACK);
    const std::int64_t free =
        first(v0, last, [&](std::int64_t j) { return root(j + 3, 1, false) < a_; });
    if (free - 2 > q_hi) {
        q_lo = free - 2;
        q_hi = std::min(last, free);
    } else if (free > q_lo) {
        q_lo = std::min(q_lo, free - 2);
        q_hi = std::min(last, std::max(q_hi, free));
    }
    cut(q_lo, q_hi, first(v0, last, [&](std::int64_t j) { return turn(j + 2) == NONE; }));

    std::int64_t best = NONE, at = v0;
    const auto consider = [&](std::int64_t j) {
        if (j < v0 || j > last) return;
        const std::int64_t value = r(j);
        if (value > best) {
            best = value;
            at = j;
        }
    };
    const auto each = [&](std::int64_t lo, std::int64_t hi) {
        for (std::int64_t j = lo; j <= hi; j += 2) consider(j);
    };
    each(p_lo, p_hi);
    each(q_lo, q_hi);
    if (p_hi < q_lo) {
        // Between the windows P falls and Q rises: R peaks where they cross.
        const std::int64_t j = first(p_hi, q_lo, [&](std::int64_t k) { return q(k + 2) >= p(k); });
        consider(std::min(j, q_lo));
        consider(std::min(j, q_lo + 2) - 2);
    } else if (q_hi < p_lo) {
        const std::int64_t j = first(q_hi, p_lo, [&](std::int64_t k) { return p(k) >= q(k + 2); });
        consider(std::min(j, p_lo));
        consider(std::min(j, p_lo + 2) - 2);
    } else {
        each(std::min(p_lo, q_lo), std::max(p_hi, q_hi));
    }
    return at;
}

std::int64_t EllipsePath::entry(std::int64_t v) const {
    const std::int64_t v0 = v_min();
    if (v <= v0) return a_;
    std::int64_t before = std::min(a_ + v0, q(v0));
    if (v - 4 >= v0) {
        if (peak_ < 0) peak_ = peak_of_r();
        before = std::max(before, r(std::min(v - 4, peak_)));
    }
    const std::int64_t z = std::max(p(v - 2), std::min(q(v - 2), before));
    return z == NONE ? NONE : z - v;
}

void EllipsePath::runs(std::int64_t first, std::int64_t last, std::pmr::vector<Run>& out) const {
    out.clear();
    out.reserve(static_cast<std::size_t>((last - first) / 2 + 1));
    std::int64_t e = a_;
    if (first - v_min() > 2 * STEPPED_ROWS) {
        e = entry(first);
    } else {
        for (std::int64_t v = v_min(); v < first; v += 2) e = next_entry(e, turn(v), v);
    }
    for (std::int64_t v = first; v <= last; v += 2) {
        if (e < u_min_) {
            out.push_back({u_min_, u_min_});  // beyond the walk's end: the tip
            continue;
        }
        const std::int64_t turn_at = turn(v);
        out.push_back({e, turn_at == NONE ? u_min_ : std::max(u_min_, std::min(e, turn_at))});
        e = next_entry(e, turn_at, v);
    }
}

}  // namespace tovik::raster
