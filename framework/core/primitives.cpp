// The drawing operations: argument checks and corrections with their messages,
// the log lines, and the command each one hands to the renderer.  Each public
// operation is a thin entry over a worker with the same parameters.
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>
#include <utility>

#include "core/colours.h"
#include "core/draw_command.h"
#include "core/framework_state.h"
#include "tovik.h"

namespace tovik {

namespace {

constexpr std::int32_t MAX_POINT_SIZE = 127;

// The most negative value has no positive counterpart: it becomes the largest.
std::int32_t magnitude(std::int32_t value) { return value == INT_MIN ? INT_MAX : -value; }

std::int32_t correct_sign(std::int32_t value, const char* message) {
    if (value >= 0) return value;
    const std::int32_t corrected = magnitude(value);
    TOVIK_print(message, value, corrected);
    return corrected;
}

std::int32_t correct_radius(std::int32_t r) {
    return correct_sign(r, "Radius of %d not possible, using radius %d\n");
}
std::int32_t correct_width(std::int32_t w) {
    return correct_sign(w, "Width of %d not possible, using width %d\n");
}

void normalise_box(std::int32_t& x1, std::int32_t& y1, std::int32_t& x2, std::int32_t& y2) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 < y2) std::swap(y1, y2);
}

bool logging_on() { return fw.logging != 0; }

const char* name_of(ColourIndex colour) { return colour_names[static_cast<std::size_t>(colour)]; }

// Builds the command for a shape and paints it.
void submit_shape(DrawKind kind, ColourIndex colour, std::int32_t width, std::int64_t x1,
                  std::int64_t y1, std::int64_t x2, std::int64_t y2, std::int64_t x3 = 0,
                  std::int64_t y3 = 0) {
    DrawCommand command;
    command.kind = kind;
    command.colour = colour;
    command.width = width;
    command.x1 = x1;
    command.y1 = y1;
    command.x2 = x2;
    command.y2 = y2;
    command.x3 = x3;
    command.y3 = y3;
    render_command(command);
}

int draw_circle(ColourIndex colour, std::int32_t x, std::int32_t y, std::int32_t radius) {
    colour = check_colour(colour);
    radius = correct_radius(radius);
    if (logging_on()) TOVIK_print("%s circle at (%d,%d), radius %d\n", name_of(colour), x, y, radius);
    submit_shape(DRAW_OVAL, colour, 0, std::int64_t{x} - radius, std::int64_t{y} + radius,
                 std::int64_t{x} + radius, std::int64_t{y} - radius);
    return 1;
}

int draw_triangle(ColourIndex colour, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                  std::int32_t y2, std::int32_t x3, std::int32_t y3, std::int32_t width) {
    colour = check_colour(colour);
    width = correct_width(width);
    if (logging_on()) {
        TOVIK_print("%s triangle at (%d,%d), (%d,%d), (%d,%d)\n", name_of(colour), x1, y1, x2,
                    y2, x3, y3);
    }
    submit_shape(DRAW_TRIANGLE, colour, width, x1, y1, x2, y2, x3, y3);
    return 1;
}

void log_box(const char* shape, const char* outline_format, ColourIndex colour, std::int32_t x1,
             std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t width) {
    if (!logging_on()) return;
    if (width == 0) {
        TOVIK_print("%s %s with bounding box (%d,%d) to (%d,%d), filled\n", name_of(colour),
                    shape, x1, y1, x2, y2);
    } else {
        TOVIK_print(outline_format, name_of(colour), shape, x1, y1, x2, y2, width);
    }
}

int draw_rectangle(ColourIndex colour, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                   std::int32_t y2, std::int32_t width) {
    normalise_box(x1, y1, x2, y2);
    colour = check_colour(colour);
    width = correct_width(width);
    log_box("rectangle", "%s %s with bounding box (%d,%d) to (%d,%d) with line width %d\n",
            colour, x1, y1, x2, y2, width);
    submit_shape(DRAW_RECTANGLE, colour, width, x1, y1, x2, y2);
    return 1;
}

int draw_oval(ColourIndex colour, std::int32_t x1, std::int32_t y1, std::int32_t x2,
              std::int32_t y2, std::int32_t width) {
    normalise_box(x1, y1, x2, y2);
    width = correct_width(width);
    colour = check_colour(colour);
    log_box("oval", "%s %s with bounding box (%d,%d) to (%d,%d), line width %d\n", colour, x1,
            y1, x2, y2, width);
    submit_shape(DRAW_OVAL, colour, width, x1, y1, x2, y2);
    return 1;
}

int draw_line(ColourIndex colour, std::int32_t x1, std::int32_t y1, std::int32_t x2,
              std::int32_t y2, std::int32_t width) {
    width = correct_width(width);
    colour = check_colour(colour);
    if (logging_on()) {
        TOVIK_print("%s line from (%d,%d) to (%d,%d), width %d\n", name_of(colour), x1, y1, x2,
                    y2, width);
    }
    submit_shape(DRAW_LINE, colour, width == 0 ? 1 : width, x1, y1, x2, y2);
    return 1;
}

int draw_text(ColourIndex colour, std::int32_t x, std::int32_t y, std::int32_t point_size,
              const char* format, std::va_list args) {
    char buffer[FORMAT_BUFFER_SIZE];
    const int count = std::vsnprintf(buffer, sizeof buffer, format, args);
    if (count < 0) buffer[0] = '\0';

    point_size = correct_sign(point_size, "ptsize of %d not possible, using ptsize %d\n");
    if (point_size > MAX_POINT_SIZE) {
        TOVIK_print("ptsize of %d not possible, using ptsize %d\n", point_size, MAX_POINT_SIZE);
        point_size = MAX_POINT_SIZE;
    }
    colour = check_colour(colour);
    if (logging_on()) TOVIK_print("%s text at (%d,%d), \"%s\"\n", name_of(colour), x, y, buffer);

    const std::size_t length = std::strlen(buffer);
    std::unique_ptr<char[]> copy(new (std::nothrow) char[length + 1]);
    if (!copy) return count;  // nothing to draw from
    std::memcpy(copy.get(), buffer, length + 1);

    DrawCommand command;
    command.kind = DRAW_TEXT;
    command.colour = colour;
    command.x1 = x;
    command.y1 = y;
    command.x2 = point_size;
    command.text = copy.get();
    render_command(command);
    return count;
}

int clear() {
    if (logging_on()) TOVIK_print("Clearing the graphics window\n");
    clear_image();
    return 1;
}

}  // namespace
}  // namespace tovik

using namespace tovik;

int TOVIK_draw_circle(ColourIndex colour, std::int32_t x, std::int32_t y, std::int32_t radius) {
    return draw_circle(colour, x, y, radius);
}

int TOVIK_draw_triangle(ColourIndex colour, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                        std::int32_t y2, std::int32_t x3, std::int32_t y3, std::int32_t width) {
    return draw_triangle(colour, x1, y1, x2, y2, x3, y3, width);
}

int TOVIK_draw_rectangle(ColourIndex colour, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                         std::int32_t y2, std::int32_t width) {
    return draw_rectangle(colour, x1, y1, x2, y2, width);
}

int TOVIK_draw_oval(ColourIndex colour, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                    std::int32_t y2, std::int32_t width) {
    return draw_oval(colour, x1, y1, x2, y2, width);
}

int TOVIK_draw_line(ColourIndex colour, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                    std::int32_t y2, std::int32_t width) {
    return draw_line(colour, x1, y1, x2, y2, width);
}

int TOVIK_draw_text(ColourIndex colour, std::int32_t x, std::int32_t y, std::int32_t point_size,
                    const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    const int count = draw_text(colour, x, y, point_size, format, args);
    va_end(args);
    return count;
}

int TOVIK_clear() { return clear(); }
