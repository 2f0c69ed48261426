// Click to draw: a circle where the mouse was clicked, in the next colour each
// time, labelled with its framework coordinates.  Logging is on, so the text
// window lists every drawing operation; a typed 'c' clears the picture.
#include <cstdint>
#include <cstdio>

#include "tovik.h"

namespace {

void draw_axes() {
    TOVIK_draw_line(COLOUR_GRAY_50, -297, 0, 297, 0, 1);
    TOVIK_draw_line(COLOUR_GRAY_50, 0, -245, 0, 245, 1);
    TOVIK_draw_text(COLOUR_GRAY_50, 270, 4, 10, "+x");
    TOVIK_draw_text(COLOUR_GRAY_50, 4, 228, 10, "+y");
}

}  // namespace

int game_main(void* instance, void* previous_instance, const char* command_line, int show_mode) {
    TOVIK_start(instance, previous_instance, command_line, show_mode);
    TOVIK_set_logging(1);
    TOVIK_clear();
    draw_axes();
    std::puts("click: click in the graphics window; 'c' clears, Ctrl+Q quits");
    std::fflush(stdout);

    ColourIndex colour = COLOUR_RED;
    for (;;) {
        std::int32_t x = 0, y = 0;
        signed char key = 0;
        const EventKind event = TOVIK_wait_event(&x, &y, &key);
        if (event == TOVIK_QUIT) break;
        if (event == TOVIK_MOUSE) {
            TOVIK_draw_circle(colour, x, y, 12);
            TOVIK_draw_text(COLOUR_BLACK, x + 14, y - 4, 10, "(%d, %d)", x, y);
            colour = colour + 1 < COLOUR_COUNT ? colour + 1 : COLOUR_RED;
        } else if (event == TOVIK_KBD && key == 'c') {
            TOVIK_clear();
            draw_axes();
        }
    }
    TOVIK_finish();
    return 0;
}
