// Painting draw commands into the off-screen image, and clearing it.
#include <cstring>
#include <string_view>

#include "core/colours.h"
#include "core/draw_command.h"
#include "core/framework_state.h"

namespace tovik {

namespace {

// Framework point to image pixel.
std::int64_t column(std::int64_t x) { return fw.origin_x + x; }
std::int64_t row(std::int64_t y) { return fw.origin_y - y; }

void render_text(Canvas& image, const DrawCommand& command) {
    const FontRequest font{FontFace::Drawing, -static_cast<int>(command.x2)};
    const Colour colour = colour_table[static_cast<std::size_t>(command.colour)];
    const char* text = command.text != nullptr ? command.text : "";
    const std::size_t n = std::strlen(text);
    const std::int64_t line_height = image.text_extent(font, std::string_view(text, n)).height;

    // The first line stands directly above the anchor row, each further one below it.
    std::int64_t k = -1;
    std::size_t s = 0;
    for (;;) {
        std::size_t i = 0;
        while (s + i < n && text[s + i] != '\n') ++i;
        const bool last = s + i >= n;
        if (i > 0) {
            image.text_out(font, column(command.x1), row(command.y1) + k * line_height,
                           std::string_view(text + s, i), colour, true, 0);
        }
        ++k;
        if (last) break;
        s += i + 1;
    }
}

void render_shape(Canvas& image, const DrawCommand& command) {
    const Colour colour = colour_table[static_cast<std::size_t>(command.colour)];
    const Pen pen{colour, command.width};
    const Brush brush{colour, command.width != 0};
    switch (command.kind) {
    case DRAW_TRIANGLE: {
        const Point64 points[] = {{column(command.x1), row(command.y1)},
                                  {column(command.x2), row(command.y2)},
                                  {column(command.x3), row(command.y3)}};
        image.polygon(points, pen, brush);
        break;
    }
    case DRAW_RECTANGLE:
        image.rectangle(column(command.x1), row(command.y1), column(command.x2) + 1,
                        row(command.y2) + 1, pen, brush);
        break;
    case DRAW_OVAL:
        image.ellipse(column(command.x1), row(command.y1), column(command.x2) + 1,
                      row(command.y2) + 1, pen, brush);
        break;
    case DRAW_LINE:
        image.line(column(command.x1), row(command.y1), column(command.x2), row(command.y2), pen);
        break;
    case DRAW_PIXEL:
        image.set_pixel(column(command.x1), row(command.y1), colour);
        break;
    case DRAW_TEXT:
        render_text(image, command);
        break;
    default:
        break;
    }
}

}  // namespace

void render_command(const DrawCommand& command) {
    if (fw.offscreen_image && command.colour >= 0 && command.colour < COLOUR_COUNT) {
        render_shape(*fw.offscreen_image, command);
    }
    fw.image_changed = 1;
}

void clear_image() {
    if (fw.offscreen_image) {
        // The default one-pixel black pen frames the white image.
        fw.offscreen_image->rectangle(0, 0, IMAGE_WIDTH, IMAGE_HEIGHT,
                                      Pen{colour_table[COLOUR_BLACK], 0},
                                      Brush{colour_table[COLOUR_WHITE], false});
    }
    fw.image_changed = 1;
}

}  // namespace tovik
