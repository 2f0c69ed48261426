// Exact integer arithmetic for the rasteriser: 128-bit quotients, 256-bit
// products and an exact stepper for ceil((n + k*dn) / d).  The pixel rules are
// stated with exact quotients, so no shape may round through floating point.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace tovik::raster {

__extension__ typedef __int128 Int128;
__extension__ typedef unsigned __int128 UInt128;

// Every coordinate is taken within +-2^60, far beyond any 32-bit caller plus an
// origin or a radius, so that differences, doubled values and their products
// with each other stay inside 128 bits.
constexpr std::int64_t COORD_LIMIT = std::int64_t{1} << 60;

inline std::int64_t clamp_coord(std::int64_t v) { return std::clamp(v, -COORD_LIMIT, COORD_LIMIT); }

// Clamps a box's edges and puts them in order, as the platform does with the
// box of a rectangle or an ellipse; false when the box has no area.
inline bool order_box(std::int64_t& left, std::int64_t& top, std::int64_t& right,
                      std::int64_t& bottom) {
    left = clamp_coord(left);
    top = clamp_coord(top);
    right = clamp_coord(right);
    bottom = clamp_coord(bottom);
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    return left != right && top != bottom;
}

// Pen widths beyond this cover any image many times over; limiting them keeps
// a coordinate plus a width inside +-2^61.
constexpr std::int64_t WIDTH_LIMIT = std::int64_t{1} << 40;

inline std::int64_t clamp_width(std::int64_t w) {
    return std::clamp<std::int64_t>(w, 0, WIDTH_LIMIT);
}

// Mathematical floor and ceiling of n / d for d > 0 (C++ division truncates).
// Most operands fit 64 bits, where division is far cheaper; the steps of
// lines and the first rows of edges mostly have -d <= n < d, where it is not
// needed at all.
inline bool fits64(Int128 v) { return v >= INT64_MIN && v <= INT64_MAX; }

inline Int128 floor_div(Int128 n, Int128 d) {
    if (n >= -d && n < d) return n < 0 ? -1 : 0;
    if (fits64(n) && fits64(d)) {
        const std::int64_t n64 = static_cast<std::int64_t>(n), d64 = static_cast<std::int64_t>(d);
        std::int64_t q = n64 / d64;
        if (n64 % d64 != 0 && n64 < 0) --q;
        return q;
    }
    Int128 q = n / d;
    if (n % d != 0 && n < 0) --q;
    return q;
}
inline Int128 ceil_div(Int128 n, Int128 d) { return -floor_div(-n, d); }

// A 256-bit unsigned product, compared as a whole.
struct UInt256 {
    UInt128 hi = 0;
    UInt128 lo = 0;
};

inline UInt256 mul_wide(UInt128 a, UInt128 b) {
    const UInt128 mask = ~std::uint64_t{0};
    const UInt128 a0 = a & mask, a1 = a >> 64, b0 = b & mask, b1 = b >> 64;
    const UInt128 p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
    const UInt128 middle = (p00 >> 64) + (p01 & mask) + (p10 & mask);
    UInt256 r;
    r.lo = (p00 & mask) | (middle << 64);
    r.hi = p11 + (p01 >> 64) + (p10 >> 64) + (middle >> 64);
    return r;
}

inline bool operator<(const UInt256& a, const UInt256& b) {
    return a.hi != b.hi ? a.hi < b.hi : a.lo < b.lo;
}

// a - b for a >= b.
inline UInt256 minus(const UInt256& a, UInt128 b) {
    return {a.hi - (a.lo < b ? 1 : 0), a.lo - b};
}

inline long double to_long_double(const UInt256& v) {
    return std::ldexp(static_cast<long double>(v.hi), 128) + static_cast<long double>(v.lo);
}

// Walks the values ceil((n0 + k*dn) / d), k = 0, 1, 2, ... without dividing:
// the quotient and remainder are kept exactly.  Requires d > 0 and every
// intermediate quotient within 64 bits, which the coordinate limits ensure.
class CeilStepper {
public:
    CeilStepper() = default;
    // Every value is offset by `whole`: a caller that knows the whole part of
    // n0 / d passes it apart, and the division is then mostly not needed.
    CeilStepper(Int128 n0, Int128 dn, std::int64_t d, std::int64_t whole = 0) : d_(d) {
        q_ = static_cast<std::int64_t>(floor_div(n0, d));
        r_ = static_cast<std::int64_t>(n0 - Int128{q_} * d);
        dq_ = static_cast<std::int64_t>(floor_div(dn, d));
        dr_ = static_cast<std::int64_t>(dn - Int128{dq_} * d);
        q_ += whole;
    }
    std::int64_t value() const { return r_ > 0 ? q_ + 1 : q_; }
    void step() {
        // Without a branch: on most edges the carry comes at no steady rhythm.
        r_ += dr_;
        const bool carry = r_ >= d_;
        q_ += dq_ + carry;
        r_ -= carry ? d_ : 0;
    }

private:
    std::int64_t d_ = 1;
    std::int64_t q_ = 0, r_ = 0;    // current floor quotient and remainder
    std::int64_t dq_ = 0, dr_ = 0;  // the same for one step
};

}  // namespace tovik::raster
