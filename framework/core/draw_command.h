// One drawing request, built by a primitive and painted at once by the renderer.
#pragma once

#include <cstdint>

#include "tovik.h"

namespace tovik {

enum DrawKind : std::uint32_t {
    DRAW_TRIANGLE = 0,
    DRAW_RECTANGLE = 1,
    DRAW_OVAL = 2,
    DRAW_LINE = 3,
    DRAW_PIXEL = 4,
    DRAW_TEXT = 5,
};

// A box (rectangle, oval) holds x1 <= x2 and y1 >= y2: (x1, y1) is its
// upper-left corner.  For text, x2 is the point size and `text` the copy to
// draw; a pointer does not fit the 32-bit y2, so it has a field of its own.
// The points are 64-bit: a circle's box (centre +- radius) can lie beyond the
// 32-bit range, and nothing may be lost or overflow on its way to the canvas.
struct DrawCommand {
    std::uint32_t kind = DRAW_TRIANGLE;
    ColourIndex colour = 0;
    std::int32_t width = 0;
    std::int64_t x1 = 0;
    std::int64_t y1 = 0;
    std::int64_t x2 = 0;
    std::int64_t y2 = 0;
    std::int64_t x3 = 0;
    std::int64_t y3 = 0;
    const char* text = nullptr;
};

// render.cpp
void render_command(const DrawCommand& command);
void clear_image();

}  // namespace tovik
