// The outline walks of the ellipses drawn most, kept: a program draws the
// same few sizes of circle frame after frame, and each walk costs exact
// square roots on every row.
#pragma once

#include <cstdint>
#include <memory_resource>
#include <vector>

#include "canvas/ellipse_path.h"

namespace tovik::raster {

// EllipsePath(a, b).runs(first, last, out), from the kept walk when the
// ellipse is small enough to keep.
void quadrant_runs(std::int64_t a, std::int64_t b, std::int64_t first, std::int64_t last,
                   std::pmr::vector<EllipsePath::Run>& out);

}  // namespace tovik::raster
