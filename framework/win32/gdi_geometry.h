// Bringing the canvas's 64-bit geometry into the range where GDI draws it
// exactly and cheaply.
//
// GDI takes 32-bit coordinates and is documented reliable only within about
// +-2^27; in practice its cost grows with the size of a shape (a polygon costs
// one step per row it spans, an ellipse allocates its outline, a wide pen
// builds a region), and Wine's GDI corrupts its heap for ellipses near 2^19
// pixels or pens a million pixels wide.  So the GDI canvas hands GDI only
// geometry within MARGIN pixels of the image:
//   - rectangles are clamped to that box, which changes no visible pixel;
//   - lines and polygons are clipped to it: the clipped ends move by less than
//     half a pixel there, so a visible pixel can change only where a line or
//     edge reaches beyond the margin;
//   - ellipses whose box reaches beyond the margin are squeezed into it, an
//     approximation for shapes more than 65536 pixels away;
//   - pens are at most MAX_PEN_WIDTH pixels wide;
//   - text anchors are clamped to +-TEXT_LIMIT, further than any text reaches.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "canvas.h"

namespace tovik::gdi {

constexpr std::int64_t MARGIN = 65536;
constexpr std::int64_t MAX_PEN_WIDTH = 4096;
constexpr std::int64_t TEXT_LIMIT = std::int64_t{1} << 27;

// Bounds inclusive on every side.
struct Box {
    std::int64_t left = 0, top = 0, right = 0, bottom = 0;

    bool contains(const Point64& p) const {
        return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
    }
};

// The image of width x height grown by MARGIN on every side.
Box drawing_box(int width, int height);

int clamp_to_int(std::int64_t value, std::int64_t low, std::int64_t high);

// A pen width GDI can take: 0..MAX_PEN_WIDTH.
int pen_width(std::int64_t width);

// Clips the segment to the box, moving only the ends that lie outside it.
// False when no part of it is inside.
bool clip_segment(Point64& a, Point64& b, const Box& box);

// The closed polygon clipped to the box (inside points unchanged); fewer than
// two points when nothing of it is inside.
std::vector<Point64> clip_polygon(std::span<const Point64> points, const Box& box);

}  // namespace tovik::gdi
