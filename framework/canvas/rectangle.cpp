// The platform's rectangle: the pen's path is the frame of columns left..right-1
// and rows top..bottom-1, the brush fills inside it.

#include "canvas/box_spans.h"
#include "canvas/exact_math.h"
#include "canvas/software_canvas.h"
#include "canvas/span_set.h"
#include "canvas/wide_pen.h"

namespace tovik {

using namespace raster;

void SoftwareCanvas::rectangle(std::int64_t left, std::int64_t top, std::int64_t right,
                               std::int64_t bottom, const Pen& pen, const Brush& brush) {
    if (!order_box(left, top, right, bottom)) return;
    const std::int64_t width = clamp_width(pen.width);

    if (!brush.null) {
        PixelWriter inside = writer(brush.colour);
        if (width <= 1 && brush.colour == pen.colour) {
            fill_box(inside, left, top, right, bottom);  // frame and inside in one pass
            account(inside);
            return;
        }
        inside_box(inside, left, top, right, bottom);
        account(inside);
    }

    PixelWriter out = writer(pen.colour);
    if (width <= 1) {
        frame_box(out, left, top, right, bottom);
    } else {
        SpanSet& pieces = band();
        const Point64 path[] = {
            {left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}};
        if (right - left == 1 && bottom - top == 1) {
            pen_cap(pieces, path[0], width);  // a one-pixel box is a dot of the pen
        } else {
            wide_closed_path(pieces, path, width);
        }
        pieces.flush(out);
    }
    account(out);
}

}  // namespace tovik
