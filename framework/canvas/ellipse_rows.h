// The platform's ellipse, row by row.
//
// The outline is the integer midpoint ellipse through the centres of the box's
// outermost pixels.  Work in doubled units so that the centre of an even-sized
// box is whole: a pixel's offset u from the centre then has the parity of the
// doubled semi-axis A = width - 1 (likewise v and B = height - 1), and the
// ellipse is B^2 u^2 + A^2 v^2 = A^2 B^2.  Where the outline is steep, a row holds
// the pixel nearest the curve (the midpoint between neighbours decides; a
// midpoint on the curve goes inward); where it is flat, a row holds the columns
// whose nearest row it is.  Both reduce to one exact formula per row, so any row
// of any ellipse, however large, costs a few integer comparisons, and a small
// ellipse comes out exactly as the step-by-step midpoint algorithm draws it.
//
// The rows and columns at the box's edges always hold an outline pixel, so an
// ellipse reaches all four sides of its box even when it is so thin that its
// tips fall between pixel centres.
#pragma once

#include <cstdint>

#include "canvas/span_sink.h"

namespace tovik::raster {

class EllipseRows {
public:
    // Columns [left, right), rows [top, bottom); at least 3 x 3, ordered.
    EllipseRows(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);

    // Leftmost and rightmost outline pixel of row y (top <= y < bottom).
    struct Extent {
        std::int64_t left, right;
    };
    Extent extent(std::int64_t y) const;

    // Outline pixels of row y: columns left..left_inner and right_inner..right
    // (the two runs meet on the rows at the top and bottom).
    struct Outline {
        std::int64_t left, left_inner, right_inner, right;
    };
    Outline outline(std::int64_t y) const;

private:
    std::int64_t half_width(std::int64_t v) const;  // outline's |u| on doubled row offset v
    std::int64_t largest(std::int64_t c, std::int64_t w) const;
    std::int64_t search(std::int64_t c, std::int64_t w, std::int64_t u0) const;

    std::int64_t cx2_, cy2_;      // doubled centre
    std::int64_t a_, b_;          // doubled semi-axes
    std::int64_t u_min_, v_min_;  // smallest offsets a pixel can have (0 or 1)
    bool fits64_;                 // products fit 64 bits
    bool fits128_;                // products fit 128 bits
};

// Spans of the ellipse in the box (any order of the corners, any size).  Boxes
// 2 pixels wide or high, or less, are drawn as rectangles, as the platform does.
void ellipse_fill(SpanSink& sink, std::int64_t left, std::int64_t top, std::int64_t right,
                  std::int64_t bottom);
void ellipse_outline(SpanSink& sink, std::int64_t left, std::int64_t top, std::int64_t right,
                     std::int64_t bottom);
void ellipse_inside(SpanSink& sink, std::int64_t left, std::int64_t top, std::int64_t right,
                    std::int64_t bottom);

// The band of a wide pen along the outline path of the ellipse in
// [left, right) x [top, bottom): it covers offsets -neg..pos from each path
// pixel (image directions, as for every wide pen).  Drawn as the ring between
// the ellipse grown by those offsets and the one shrunk by them: exact for
// circles, a little thinner than a round pen on the diagonals of very
// elongated ellipses.
void ellipse_band(SpanSink& sink, std::int64_t left, std::int64_t top, std::int64_t right,
                  std::int64_t bottom, std::int64_t neg, std::int64_t pos);

}  // namespace tovik::raster
