// The platform's ellipse, row by row: the outline walk of EllipsePath mirrored
// into the four quadrants of the box, for the image rows a shape reaches.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <vector>

#include "canvas/ellipse_path.h"
#include "canvas/span_sink.h"

namespace tovik::raster {

class EllipseRows {
public:
    // Columns [left, right), rows [top, bottom), at least 3 x 3 and ordered;
    // `rows` are the image rows that will be asked for, all inside the box.
    EllipseRows(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                RowRange rows);

    // Leftmost and rightmost outline pixel of row y.
    struct Extent {
        std::int64_t left, right;
    };
    Extent extent(int y) const;

    // Outline pixels of row y: columns left..left_inner and right_inner..right
    // (the two runs meet on the rows at the top and bottom).
    struct Outline {
        std::int64_t left, left_inner, right_inner, right;
    };
    Outline outline(int y) const;

private:
    const EllipsePath::Run& run(int y) const;

    std::int64_t cx2_, cy2_;  // doubled centre
    std::int64_t v_first_;    // doubled row offset of runs_[0]
    // The rows of an ellipse of ordinary size need no heap.
    std::array<std::byte, 2048> arena_;
    std::pmr::monotonic_buffer_resource pool_{arena_.data(), arena_.size()};
    std::pmr::vector<EllipsePath::Run> runs_{&pool_};
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
