// The platform's ellipse outline: one quadrant of its integer walk, row by row.
//
// Work in doubled units from the centre of the box, so that the centre of an
// even-sized box is whole: with a = width - 1 and b = height - 1, a pixel's
// doubled offset (u, v) has u of the parity of a and v of the parity of b, and
// the curve is F(u, v) = b^2 u^2 + a^2 v^2 - a^2 b^2 = 0.  The platform walks the
// quadrant pixel by pixel from the middle row's outermost pixel (a, v_min)
// upward: from (u, v) it steps inward (u - 2) when F(u - 1, v + 2) >= -b^2 and
// upward (v + 2) when F(u - 2, v + 1) <= -a^2, both, or one; it stops when u
// passes the middle column.  Every row it visits is one run of columns.
//
// The walk has a closed form per row (see ellipse_path.cpp), so any row of any
// ellipse, however large, costs a few exact integer square roots, and the
// rows are the walk's rows exactly.  Where the walk stops before the top row
// (thin, tall ellipses) the remaining rows hold the middle column: the tip.
#pragma once

#include <cstdint>
#include <memory_resource>
#include <vector>

namespace tovik::raster {

class EllipsePath {
public:
    // a = width - 1 and b = height - 1 of a box at least 3 x 3, at most 2^62.
    EllipsePath(std::int64_t a, std::int64_t b);

    std::int64_t u_min() const { return u_min_; }  // the middle column
    std::int64_t v_min() const { return b_ & 1; }   // the middle row
    std::int64_t b() const { return b_; }           // the top row

    // The outermost column of row v (v_min <= v <= b, of b's parity) by the
    // closed form; below u_min() when the walk ends before row v.
    std::int64_t entry(std::int64_t v) const;

    // Columns u = inner .. outer (same parity as a) of one row of the quadrant.
    struct Run {
        std::int64_t outer, inner;
    };
    // Runs of rows first, first + 2, ..., last: v_min <= first <= last <= b, all of
    // the parity of b.
    void runs(std::int64_t first, std::int64_t last, std::pmr::vector<Run>& out) const;

private:
    std::int64_t root(std::int64_t y, std::int64_t d, bool strict) const;
    std::int64_t straight(std::int64_t w) const;
    std::int64_t turn(std::int64_t v) const;
    std::int64_t next_entry(std::int64_t entry, std::int64_t turn_at, std::int64_t v) const;
    std::int64_t p(std::int64_t v) const;
    std::int64_t q(std::int64_t v) const;
    std::int64_t r(std::int64_t j) const;
    std::int64_t peak_of_r() const;

    std::int64_t a_, b_;
    std::int64_t u_min_;
    bool narrow_;                     // products fit 128 bits
    mutable std::int64_t peak_ = -1;  // peak_of_r(), once known
};

}  // namespace tovik::raster
