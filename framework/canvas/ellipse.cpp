// The platform's ellipse in a box: brush first, the outline on top.

#include "canvas/ellipse_rows.h"
#include "canvas/exact_math.h"
#include "canvas/software_canvas.h"
#include "canvas/wide_pen.h"

namespace tovik {

using namespace raster;

void SoftwareCanvas::ellipse(std::int64_t left, std::int64_t top, std::int64_t right,
                             std::int64_t bottom, const Pen& pen, const Brush& brush) {
    if (!order_box(left, top, right, bottom)) return;
    // Boxes of two pixels or less across are drawn as rectangles, pen and all.
    if (right - left <= 2 || bottom - top <= 2) {
        rectangle(left, top, right, bottom, pen, brush);
        return;
    }
    const std::int64_t width = clamp_width(pen.width);

    if (!brush.null) {
        PixelWriter inside = writer(brush.colour);
        if (width <= 1 && brush.colour == pen.colour) {
            ellipse_fill(inside, left, top, right, bottom);
            account(inside);
            return;
        }
        ellipse_inside(inside, left, top, right, bottom);
        account(inside);
    }

    PixelWriter out = writer(pen.colour);
    if (width <= 1) {
        ellipse_outline(out, left, top, right, bottom);
    } else {
        const PenReach r = pen_reach(width);
        ellipse_band(out, left, top, right, bottom, r.neg, r.pos);
    }
    account(out);
}

}  // namespace tovik
